// How an integer is written as text, in the settings store and in INI files
// alike. The store's values themselves are declared in settings_values.h.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace hero {

// Strict integer text: optional sign and decimal digits, or "$"/"0x"
// followed by hexadecimal digits, fitting in 32 bits. Anything else
// (empty, spaces, trailing junk, overflow) is no integer.
std::optional<std::int32_t> parse_integer(std::string_view text);

}  // namespace hero
