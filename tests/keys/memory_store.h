// A settings store in memory that remembers the order of writes.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "engine/interfaces.h"

namespace hero {

class MemoryStore final : public SettingsStore {
 public:
  std::optional<std::string> read_text(std::string_view name) const override {
    const auto it = values.find(std::string(name));
    if (it == values.end()) return std::nullopt;
    return it->second;
  }
  void write_text(std::string_view name, std::string_view value) override {
    values[std::string(name)] = std::string(value);
    writes.emplace_back(std::string(name) + "=" + std::string(value));
  }
  std::vector<std::pair<std::string, std::string>> all() const override { return {values.begin(), values.end()}; }

  std::map<std::string, std::string> values;
  std::vector<std::string> writes;
};

}  // namespace hero
