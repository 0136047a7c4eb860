#include "engine/settings_values.h"

#include <algorithm>

#include "engine/settings_codec.h"

namespace hero::settings {

std::optional<bool> read_stored(const SettingsStore& store, const Flag& flag) {
  const auto text = store.read_text(flag.name);
  const auto value = text ? parse_integer(*text) : std::nullopt;
  if (!value) return std::nullopt;
  return *value != 0;
}

bool read(const SettingsStore& store, const Flag& flag) {
  return read_stored(store, flag).value_or(flag.default_value);
}

void write(SettingsStore& store, const Flag& flag, bool value) {
  store.write_text(flag.name, value ? "1" : "0");
}

std::optional<std::int32_t> read_stored(const SettingsStore& store, const Integer& integer) {
  const auto text = store.read_text(integer.name);
  const auto value = text ? parse_integer(*text) : std::nullopt;
  if (!value || *value < integer.min || *value > integer.max) return std::nullopt;
  return value;
}

std::int32_t read(const SettingsStore& store, const Integer& integer) {
  return read_stored(store, integer).value_or(integer.default_value);
}

std::int32_t layered(std::optional<std::int32_t> player, std::optional<std::int32_t> skin,
                     const Integer& integer) {
  if (player) return std::clamp(*player, integer.min, integer.max);
  if (skin) return std::clamp(*skin, integer.min, integer.max);
  return integer.default_value;
}

void write(SettingsStore& store, const Integer& integer, std::int32_t value) {
  store.write_text(integer.name, std::to_string(value));
}

std::string read(const SettingsStore& store, const Text& text) {
  return store.read_text(text.name).value_or(std::string(text.default_value));
}

void write(SettingsStore& store, const Text& text, std::string_view value) {
  store.write_text(text.name, std::string(value));
}

}  // namespace hero::settings
