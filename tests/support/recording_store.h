// A settings store in memory that keeps every write in order ("Name=value"),
// for tests that check what was stored and when.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/memory_settings_store.h"

namespace hero::test {

class RecordingStore final : public MemorySettingsStore {
 public:
  void write_text(std::string_view name, std::string_view value) override {
    MemorySettingsStore::write_text(name, value);
    writes.push_back(std::string(name) + "=" + std::string(value));
  }
  // Values a previous run left, stored without counting as writes.
  void preset(std::initializer_list<std::pair<const char*, const char*>> values) {
    for (const auto& [name, value] : values) MemorySettingsStore::write_text(name, value);
  }
  // The stored text, or "" for none.
  std::string value(std::string_view name) const { return read_text(name).value_or(std::string()); }

  std::vector<std::string> writes;
};

}  // namespace hero::test
