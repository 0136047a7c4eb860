#include "display/skins/skin_schema.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <map>
#include <stdexcept>

#include "display/lcd/element_ids.h"
#include "display/skins/gfxinit.h"
#include "display/skins/scene.h"
#include "engine/settings_codec.h"
#include "engine/settings_values.h"

namespace hero::skin_schema {
namespace {

bool same(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// "Image17" is an image section; "Image0", "Image82", "Image017" are none.
bool is_image_section(std::string_view section) {
  if (section.size() < 6 || section.size() > 7 || !same(section.substr(0, 5), "Image") || section[5] == '0')
    return false;
  int n = 0;
  for (char c : section.substr(5)) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    n = n * 10 + (c - '0');
  }
  return n >= 1 && n <= kSkinImageCount;
}

constexpr std::int32_t kCoordinate = Scene::kMaxCoordinate;
constexpr std::int32_t kSide = Scene::kMaxSide;
constexpr std::int32_t kAny = std::numeric_limits<std::int32_t>::max();

// A [Common] key that gives a registry value's default for the skin; the
// default's text lives as long as the program.
Key shadow_key(const settings::Integer& value) {
  static std::map<std::string_view, std::string> defaults;
  const std::string& text =
      defaults.try_emplace(value.name, std::to_string(value.default_value)).first->second;
  return {"Common", value.skin_key, Type::integer, text, value.min, value.max, Outside::clamped};
}

std::vector<Key> make_keys() {
  const settings::Integer& ghost = settings::kGhostSegments;
  static const std::string ghost_default = std::to_string(ghost.default_value);
  const settings::Integer& response = settings::kLcdResponse;
  static const std::string response_default = std::to_string(response.default_value);
  static const std::string game_area =
      "the game area must be from 1 to " + std::to_string(kMaxGameSide) + " pixels wide and high";
  // clang-format off
  return {
    {"Common", "GameWidth", Type::integer, "1475", 1, kMaxGameSide, Outside::refused, game_area},
    {"Common", "GameHeight", Type::integer, "870", 1, kMaxGameSide, Outside::refused, game_area},
    {"Common", ghost.skin_key, Type::integer, ghost_default, ghost.min, ghost.max, Outside::clamped},
    {"Common", response.skin_key, Type::integer, response_default, response.min, response.max, Outside::clamped},
    shadow_key(settings::kShadowOffsetX),
    shadow_key(settings::kShadowOffsetY),
    shadow_key(settings::kShadowBlur),
    shadow_key(settings::kShadowOpacity),
    {"Fullscreen", "BackdropFile", Type::file, "nil"},
    {"Fullscreen", "BackdropStretch", Type::integer, "0", 0, 1, Outside::ignored,
     "is neither 0 nor 1; the handheld stretches"},
    {"Fullscreen", "BgColor", Type::colour, "$006666cc"},
    // "Center" or 0 centres the game area; the placement keeps it on a real screen.
    {"Fullscreen", "GameOffsetX", Type::offset, "0", -kAny - 1, kAny, Outside::ignored},
    {"Fullscreen", "GameOffsetY", Type::offset, "0", -kAny - 1, kAny, Outside::ignored},
    {"Fullscreen", "LogoFile", Type::file, "nil"},
    {"Fullscreen", "LogoPosition", Type::integer, "1", 0, 3, Outside::ignored,
     "is not a corner (0..3); the logo is not moved"},
    {"Shaped", "TranspColor", Type::colour, "$00ff00ff"},
    {"Image", "Filename", Type::file, ""},
    {"Image", "Left", Type::integer, "0", -kCoordinate, kCoordinate, Outside::clamped},
    {"Image", "Top", Type::integer, "0", -kCoordinate, kCoordinate, Outside::clamped},
    {"Image", "Width", Type::integer, "0", 0, kSide, Outside::clamped},
    {"Image", "Height", Type::integer, "0", 0, kSide, Outside::clamped},
  };
  // clang-format on
}

}  // namespace

std::int32_t Key::default_integer() const { return parse_integer(default_text).value_or(0); }

const std::vector<Key>& keys() {
  static const std::vector<Key> all = make_keys();
  return all;
}

const Key* find(std::string_view section, std::string_view name) {
  const bool image = is_image_section(section);
  for (const Key& k : keys())
    if ((image ? k.section == "Image" : same(k.section, section)) && same(k.name, name)) return &k;
  return nullptr;
}

bool is_section(std::string_view section) {
  if (is_image_section(section)) return true;
  for (const Key& k : keys())
    if (k.section != "Image" && same(k.section, section)) return true;
  return false;
}

const Key& key(std::string_view section, std::string_view name) {
  const Key* k = find(section, name);
  if (!k)
    throw std::logic_error("the skin file has no key " + std::string(name) + " in " + std::string(section));
  return *k;
}

std::int32_t apply(const Key& key, std::int32_t value, const std::string& config_name) {
  if (value >= key.min && value <= key.max) return value;
  switch (key.outside) {
    case Outside::refused:
      throw SkinError("Skin configuration file (" + config_name + "): " + std::string(key.name) + " is " +
                      std::to_string(value) + ", but " + std::string(key.outside_words) + ".");
    case Outside::clamped:
      return std::clamp(value, key.min, key.max);
    case Outside::ignored:
      return value;
  }
  return value;
}

std::int32_t read(const IniFile& ini, std::string_view section, const Key& key,
                  const std::string& config_name) {
  return apply(key, ini.read_integer(section, key.name, key.default_integer()), config_name);
}

std::string colour_fault(const Key& key, const ConversionError& error) {
  return std::string(error.what()) + ": " + std::string(key.name) +
         " must be a colour number such as $00ff00ff";
}

std::int32_t read_colour(const IniFile& ini, std::string_view section, const Key& key,
                         const std::string& config_name, const std::vector<IniLine>& lines) {
  try {
    return ini.read_colour(section, key.name, key.default_text);
  } catch (const ConversionError& error) {
    std::string where = config_name;
    for (const IniLine& l : lines)
      if (l.kind == IniLine::Kind::entry && l.used && same(l.section, section) && same(l.key, key.name))
        where += ", line " + std::to_string(l.line);
    throw SkinError(colour_fault(key, error) + " (" + where + ", [" + std::string(section) + "])");
  }
}

std::optional<Verdict> judge(const Key& key, std::int32_t value, const std::string& config_name) {
  if (value >= key.min && value <= key.max) return std::nullopt;
  switch (key.outside) {
    case Outside::refused:
      try {
        apply(key, value, config_name);
      } catch (const SkinError& e) {
        return Verdict{true, e.what()};
      }
      return std::nullopt;
    case Outside::clamped:
      return Verdict{false, std::string(key.name) + " " + std::to_string(value) + " is outside " +
                                std::to_string(key.min) + ".." + std::to_string(key.max) +
                                "; the handheld clamps it"};
    case Outside::ignored:
      return Verdict{
          false, std::string(key.name) + " " + std::to_string(value) + " " + std::string(key.outside_words)};
  }
  return std::nullopt;
}

}  // namespace hero::skin_schema
