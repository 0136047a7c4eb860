// How integers and flags live in the settings store as text.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "engine/interfaces.h"

namespace hero {

// Strict integer text: optional sign and decimal digits, or "$"/"0x"
// followed by hexadecimal digits, fitting in 32 bits. Anything else
// (empty, spaces, trailing junk, overflow) is no integer.
std::optional<std::int32_t> parse_integer(std::string_view text);

// Missing, empty or unparsable text reads as the default.
std::int32_t read_integer(const SettingsStore& store, std::string_view name, std::int32_t default_value);
// An integer read with default 1 or 0; any non-zero number is true.
bool read_flag(const SettingsStore& store, std::string_view name, bool default_value);
// Decimal text, minus sign when negative, no plus sign or leading zeros.
void write_integer(SettingsStore& store, std::string_view name, std::int32_t value);
void write_flag(SettingsStore& store, std::string_view name, bool value);

}  // namespace hero
