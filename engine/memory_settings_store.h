// A settings store that lives only in memory: hero-trace and the tests use it
// in place of the per-user store on disk.
#pragma once

#include <map>
#include <string>

#include "engine/interfaces.h"

namespace hero {

class MemorySettingsStore : public SettingsStore {
 public:
  std::optional<std::string> read_text(std::string_view name) const override;
  void write_text(std::string_view name, std::string_view value) override;
  std::vector<std::pair<std::string, std::string>> all() const override;

  // Counts every write, also one that stores the text already held, so tests
  // can tell "written again" from "left alone".
  int write_count() const { return write_count_; }
  // While set, every write throws as a store on a full disk would.
  void set_failing(bool failing) { failing_ = failing; }

 private:
  std::map<std::string, std::string, std::less<>> values_;
  int write_count_ = 0;
  bool failing_ = false;
};

}  // namespace hero
