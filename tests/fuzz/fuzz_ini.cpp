// Any bytes as a skin or catalogue file: the reader must parse them in
// bounded time and every read must give a value or the stated error.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "display/files/ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const hero::IniFile ini = hero::IniFile::parse(text);
  static const char* const kSections[] = {"Common",  "Fullscreen", "Shaped", "Image1",
                                          "Image81", "Skin1",      "Manual", ""};
  static const char* const kKeys[] = {"Skins",    "GameWidth", "BgColor", "TranspColor",
                                      "Filename", "Path",      "Left",    ""};
  for (const char* section : kSections) {
    for (const char* key : kKeys) {
      const std::string value = ini.read_string(section, key, "nil");
      if (value.size() > hero::IniFile::kMaxValueLength) __builtin_trap();
      (void)ini.read_integer(section, key, 7);
      try {
        (void)ini.read_colour(section, key, "$006666cc");
      } catch (const hero::ConversionError&) {
      }
    }
  }
  return 0;
}
