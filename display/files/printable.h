// Text from a file, a setting or the command line, fit to be echoed in a
// message: control bytes and escape sequences shown escaped, never sent to
// a terminal or a box as they are, and a long token cut.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace hero {

// The longest token a message echoes before cutting it with "...".
inline constexpr std::size_t kEchoedTokenChars = 64;

// `text` with every byte below 0x20, DEL and every byte of a malformed UTF-8
// sequence written as \xNN (tab, newline and return as \t \n \r), cut
// after `most` characters with "...". Well-formed UTF-8 letters stay as
// they are, and so does a backslash (the handheld's folder separator).
std::string printable(std::string_view text, std::size_t most = kEchoedTokenChars);

}  // namespace hero
