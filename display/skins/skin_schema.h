// The skin file's keys, each declared once: its section, type, default, the
// range the handheld uses it in and what it does with a number outside it.
// The skin loader reads every number through apply(); `hero-skin check`
// judges every value through judge(). Both take their rule from the same
// row, so what the checker says is what the loader does.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "display/files/ini_file.h"

namespace hero::skin_schema {

enum class Type { integer, offset, colour, file };

// What the handheld does with a number outside the key's range.
enum class Outside {
  refused,  // the load stops with an error box
  clamped,  // the nearest end of the range is used
  ignored,  // the value has no effect (the text says which)
};

struct Key {
  std::string_view section;  // "Image" stands for every [Image1]..[Image81]
  std::string_view name;
  Type type;
  std::string_view default_text;
  std::int32_t min = 0;  // integers and offsets
  std::int32_t max = 0;
  Outside outside = Outside::clamped;
  // For `refused`: what the range means ("the game area must be ..."); for
  // `ignored`: the effect ("is not a corner (0..3); the logo is not moved").
  std::string_view outside_words = {};

  std::int32_t default_integer() const;
};

// Every key the handheld reads from a skin's Config.ini.
const std::vector<Key>& keys();
// The key of `name` in `section` (without regard to case; "ImageN" for any
// of the 81 image sections), or null.
const Key* find(std::string_view section, std::string_view name);
const Key& key(std::string_view section, std::string_view name);  // one the handheld reads
// Whether the handheld reads anything from `section`.
bool is_section(std::string_view section);

// A value outside its key's range, as the loader treats it: refused throws
// SkinError naming `config_name`, the key and the bounds; clamped gives the
// nearest end; ignored gives the value as it is.
std::int32_t apply(const Key& key, std::int32_t value, const std::string& config_name);
// The number the loader uses for `key` in `section` of `ini`: missing or
// unreadable is the default, then apply().
std::int32_t read(const IniFile& ini, std::string_view section, const Key& key,
                  const std::string& config_name);

// What is wrong with a colour key's text, in the handheld's words first:
// "'navy' is not a valid integer value: BgColor must be a colour number such
// as $00ff00ff".
std::string colour_fault(const Key& key, const ConversionError& error);
// A colour key of `section`, read strictly (ini.read_colour). Text that is
// no colour number throws SkinError with colour_fault's words and where they
// stand: the file `config_name` and the line of `lines` (as IniFile::load
// lists them) that holds the key.
std::int32_t read_colour(const IniFile& ini, std::string_view section, const Key& key,
                         const std::string& config_name, const std::vector<IniLine>& lines);

// What a skin author is told of a stored number: nothing when the handheld
// uses it as it is, else an error (refused) or a warning with the effect.
struct Verdict {
  bool error = false;
  std::string message;
};
std::optional<Verdict> judge(const Key& key, std::int32_t value, const std::string& config_name);

}  // namespace hero::skin_schema
