// The handheld's INI files (the skin catalogue and each skin's Config.ini),
// read the way the Windows private-profile functions read them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace hero {

// A colour value in a skin file that is not a number. The message is the one
// the player sees in the error box: "'abc' is not a valid integer value".
class ConversionError : public std::runtime_error {
 public:
  explicit ConversionError(const std::string& text);
};

// One parsed INI file. Section and key names match without regard to case;
// the first matching section and the first matching key in it win; names and
// values are trimmed; one pair of enclosing quotes is removed from a value;
// lines starting with ';' are comments; backslashes are literal; values are
// cut at 2047 characters. A file that is missing or unreadable reads empty.
// One meaningful line of an INI file as the reader saw it, for tools that
// point a skin author at the line the program ignored or misread.
struct IniLine {
  enum class Kind { section, entry, junk };  // junk: neither "[name]" nor "key=value"
  Kind kind = Kind::junk;
  int line = 0;         // 1-based
  std::string section;  // the section name as written (for entries: the one they fall in)
  std::string key;      // as written, trimmed
  std::string value;    // as a read returns it
  // False when no read ever sees the line: a repeated section or key, an
  // entry before the first section.
  bool used = false;
};

class IniFile {
 public:
  // Longest value a read returns, as the 2048-character buffer of the
  // platform's reader allows.
  static constexpr std::size_t kMaxValueLength = 2047;
  // Bytes of a file that are looked at; the rest of a larger file is ignored,
  // so a huge file cannot exhaust memory.
  static constexpr std::uintmax_t kMaxFileBytes = 64u * 1024u * 1024u;

  IniFile() = default;
  // Text in UTF-8 (a byte-order mark is skipped) or in UTF-16, little or
  // big endian, when it starts with the byte-order mark. With `lines`, every
  // section header, entry and unreadable line is also listed there in file
  // order; what the reads return is the same.
  static IniFile parse(std::string_view text, std::vector<IniLine>* lines = nullptr);
  static IniFile load(const std::filesystem::path& file, std::vector<IniLine>* lines = nullptr);

  bool has_section(std::string_view section) const;
  // The value as written, or nothing when the section or key is absent.
  std::optional<std::string> find(std::string_view section, std::string_view key) const;
  // Text keys: the value, or `default_value` when absent.
  std::string read_string(std::string_view section, std::string_view key,
                          std::string_view default_value) const;
  // Integer keys: decimal with optional sign, or hexadecimal after "$" or
  // "0x"; absent or unconvertible text gives `default_value`.
  std::int32_t read_integer(std::string_view section, std::string_view key, std::int32_t default_value) const;
  // Colour keys: the text (or `default_text`) converted strictly; text that
  // does not convert throws ConversionError. The result keeps the file's
  // layout, 0x00BBGGRR.
  std::int32_t read_colour(std::string_view section, std::string_view key,
                           std::string_view default_text) const;

 private:
  static IniFile parse_utf8(std::string_view text, std::vector<IniLine>* lines);
  using Keys = std::unordered_map<std::string, std::string>;
  std::unordered_map<std::string, Keys> sections_;
};

// Strict conversion of colour text, throwing ConversionError naming the text.
std::int32_t convert_colour_text(std::string_view text);

}  // namespace hero
