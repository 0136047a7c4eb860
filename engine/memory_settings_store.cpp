#include "engine/memory_settings_store.h"

#include <stdexcept>

namespace hero {

std::optional<std::string> MemorySettingsStore::read_text(std::string_view name) const {
  const auto it = values_.find(name);
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

void MemorySettingsStore::write_text(std::string_view name, std::string_view value) {
  if (failing_) throw std::runtime_error("The setting " + std::string(name) + " could not be stored.");
  ++write_count_;
  values_.insert_or_assign(std::string(name), std::string(value));
}

std::vector<std::pair<std::string, std::string>> MemorySettingsStore::all() const {
  return {values_.begin(), values_.end()};
}

}  // namespace hero
