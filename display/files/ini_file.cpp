#include "display/files/ini_file.h"

#include "display/files/printable.h"

#include <fstream>
#include <system_error>

#include "engine/settings_codec.h"

namespace hero {
namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view s) {
  while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
  return s;
}

std::string fold_case(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

// A value as the platform hands it out: one pair of matching enclosing quotes
// removed, then cut to the reader's buffer.
std::string value_as_read(std::string_view raw) {
  if (raw.size() >= 2 && (raw.front() == '"' || raw.front() == '\'') && raw.back() == raw.front()) {
    raw = raw.substr(1, raw.size() - 2);
  }
  if (raw.size() > IniFile::kMaxValueLength) raw = raw.substr(0, IniFile::kMaxValueLength);
  return std::string(raw);
}

// Appends code point `c` to `out` as UTF-8.
void put_utf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// Notepad on Windows saves "Unicode" files as UTF-16 with a byte-order mark,
// and Windows reads them as text; here they become UTF-8. A lone surrogate
// becomes U+FFFD, an odd last byte is dropped.
std::string utf16_to_utf8(std::string_view bytes, bool big_endian) {
  std::string out;
  out.reserve(bytes.size() / 2);
  auto unit_at = [&](std::size_t i) {
    const auto a = static_cast<unsigned char>(bytes[i]);
    const auto b = static_cast<unsigned char>(bytes[i + 1]);
    return static_cast<char32_t>(big_endian ? (a << 8 | b) : (b << 8 | a));
  };
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const char32_t unit = unit_at(i);
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 3 < bytes.size()) {
      const char32_t low = unit_at(i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        put_utf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        i += 2;
        continue;
      }
    }
    put_utf8(out, unit >= 0xD800 && unit <= 0xDFFF ? char32_t{0xFFFD} : unit);
  }
  return out;
}

}  // namespace

ConversionError::ConversionError(const std::string& text)
    : std::runtime_error("'" + printable(text) + "' is not a valid integer value") {}

IniFile IniFile::parse(std::string_view text, std::vector<IniLine>* lines) {
  // UTF-16 in either byte order, known by its byte-order mark.
  if (text.size() >= 2 && (text.substr(0, 2) == "\xFF\xFE" || text.substr(0, 2) == "\xFE\xFF")) {
    const std::string utf8 = utf16_to_utf8(text.substr(2), text[0] == '\xFE');
    return parse_utf8(utf8, lines);
  }
  return parse_utf8(text, lines);
}

IniFile IniFile::parse_utf8(std::string_view text, std::vector<IniLine>* lines) {
  IniFile ini;
  // A byte-order mark left by an editor would otherwise glue itself to the
  // first section's name.
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  Keys* current = nullptr;  // null before the first section and in repeated sections
  std::string current_name;
  std::size_t pos = 0;
  int line_number = 1;
  while (pos < text.size()) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = trim(text.substr(pos, end - pos));
    const int this_line = line_number;
    // "\r\n" ends one line; the empty piece between its two bytes is no line.
    if (end < text.size() && (text[end] == '\n' || end + 1 >= text.size() || text[end + 1] != '\n'))
      ++line_number;
    pos = end + 1;
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      std::string_view name = line.substr(1);
      const std::size_t close = name.find(']');
      if (close != std::string_view::npos) name = name.substr(0, close);
      // Only the first section of a name is ever consulted.
      auto [it, inserted] = ini.sections_.try_emplace(fold_case(trim(name)));
      current = inserted ? &it->second : nullptr;
      current_name = std::string(trim(name));
      if (lines) lines->push_back({IniLine::Kind::section, this_line, current_name, {}, {}, inserted});
      continue;
    }
    const std::size_t eq = line.find('=');
    const std::string_view key = eq == std::string_view::npos ? std::string_view() : trim(line.substr(0, eq));
    if (key.empty()) {
      if (lines)
        lines->push_back({IniLine::Kind::junk, this_line, current_name, {}, std::string(line), false});
      continue;
    }
    std::string value = value_as_read(trim(line.substr(eq + 1)));
    bool used = false;
    if (current != nullptr) used = current->try_emplace(fold_case(key), value).second;
    if (lines)
      lines->push_back(
          {IniLine::Kind::entry, this_line, current_name, std::string(key), std::move(value), used});
  }
  return ini;
}

IniFile IniFile::load(const std::filesystem::path& file, std::vector<IniLine>* lines) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) return IniFile();
  std::ifstream in(file, std::ios::binary);
  if (!in) return IniFile();
  std::string text;
  std::uintmax_t size = std::filesystem::file_size(file, ec);
  if (ec) size = 0;
  text.resize(static_cast<std::size_t>(std::min(size, kMaxFileBytes)));
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
  return parse(text, lines);
}

bool IniFile::has_section(std::string_view section) const {
  return sections_.find(fold_case(trim(section))) != sections_.end();
}

std::optional<std::string> IniFile::find(std::string_view section, std::string_view key) const {
  const auto s = sections_.find(fold_case(trim(section)));
  if (s == sections_.end()) return std::nullopt;
  const auto k = s->second.find(fold_case(trim(key)));
  if (k == s->second.end()) return std::nullopt;
  return k->second;
}

std::string IniFile::read_string(std::string_view section, std::string_view key,
                                 std::string_view default_value) const {
  if (auto value = find(section, key)) return *value;
  return std::string(default_value);
}

std::int32_t IniFile::read_integer(std::string_view section, std::string_view key,
                                   std::int32_t default_value) const {
  const auto value = find(section, key);
  if (!value) return default_value;
  return parse_integer(trim(*value)).value_or(default_value);
}

std::int32_t IniFile::read_colour(std::string_view section, std::string_view key,
                                  std::string_view default_text) const {
  return convert_colour_text(read_string(section, key, default_text));
}

std::int32_t convert_colour_text(std::string_view text) {
  if (auto value = parse_integer(trim(text))) return *value;
  throw ConversionError(std::string(text));
}

}  // namespace hero
