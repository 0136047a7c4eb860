// How the durability child reports a stored value on one line and how the
// test reads it back: bytes outside printable ASCII (and the backslash) as \xNN.
#pragma once

#include <cstdio>
#include <string>

namespace hero {

inline std::string escaped(const std::string& value) {
  std::string out;
  for (unsigned char c : value) {
    if (c >= 0x20 && c < 0x7f && c != '\\') {
      out.push_back(static_cast<char>(c));
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02x", c);
      out += hex;
    }
  }
  return out;
}

}  // namespace hero
