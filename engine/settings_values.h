// Every value of the per-user settings store, declared once: its name, its
// kind, the value it reads as while it is missing or unreadable, its range
// and, where a skin may give its own default, the skin's key. Every read and
// write of the program goes through these declarations and the functions
// below, so the store's encoding is applied in one place: integers as
// decimal text; flags as "1"/"0", read as true for any number but 0.
//
// A new setting is a line here and a line in all() at the end; its control
// in the Preferences dialog is a line binding the control to it there.
#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/interfaces.h"

namespace hero::settings {

struct Flag {
  std::string_view name;
  bool default_value;
};

struct Integer {
  std::string_view name;
  std::int32_t default_value;
  std::int32_t min;
  std::int32_t max;
  // The [Common] key of a skin's Config.ini that gives the default in the
  // skin's stead (the player's own value still wins), or empty.
  std::string_view skin_key = {};
};

struct Text {
  std::string_view name;
  std::string_view default_value;
};

// ---- The values --------------------------------------------------------------

inline constexpr Flag kFullscreenMode{"FullscreenMode", true};
inline constexpr Flag kSplashScreen{"SplashScreen", true};
// The skin's number in the catalogue, 1-based; -1: none chosen yet. Its
// upper bound is the catalogue's, checked where it is used.
inline constexpr Integer kSkin{"Skin", -1, std::numeric_limits<std::int32_t>::min(),
                               std::numeric_limits<std::int32_t>::max()};
// A position in the sound driver list; -1: none chosen yet.
inline constexpr Integer kSoundMode{"SoundMode", -1, -1, 2};
inline constexpr std::int32_t kSoundModeDirect = 0;
inline constexpr std::int32_t kSoundModeMultimedia = 1;
inline constexpr std::int32_t kSoundModeNone = 2;

// The highest scores of Game A and Game B; the panel shows at most 998.
inline constexpr Integer kHiScore1{"HiScore1", 0, 0, 998};
inline constexpr Integer kHiScore2{"HiScore2", 0, 0, 998};

// Key1 .. Key7: GAME A, GAME B, TIME, ACL, LEFT, RIGHT, PAUSE, each a choice
// number 1..44 of the key list, not a key code.
inline constexpr int kKeyCount = kControlCount;
//                                                                 1  2  3  5  left right space
inline constexpr std::array<Integer, kKeyCount> kKeys = {{{"Key1", 2, 1, 44},
                                                          {"Key2", 3, 1, 44},
                                                          {"Key3", 4, 1, 44},
                                                          {"Key4", 6, 1, 44},
                                                          {"Key5", 39, 1, 44},
                                                          {"Key6", 40, 1, 44},
                                                          {"Key7", 44, 1, 44}}};

// Pad1 .. Pad7: the gamepad's buttons for the same seven controls, by SDL's
// button names; a name that is no button reads as the default.
inline constexpr std::array<Text, kKeyCount> kPads = {{{"Pad1", "a"},
                                                       {"Pad2", "b"},
                                                       {"Pad3", "y"},
                                                       {"Pad4", "back"},
                                                       {"Pad5", "dpleft"},
                                                       {"Pad6", "dpright"},
                                                       {"Pad7", "start"}}};

// Which skin was played: its folder as the catalogue gives it, so the skin
// stays chosen when a player's own skin, added or removed, moves its place
// in the list. Empty: none noted yet, Skin alone decides.
inline constexpr Text kSkinFolder{"SkinFolder", ""};

// The beeps' loudness in percent, and whether they are silenced.
inline constexpr Integer kVolume{"Volume", 100, 0, 100};
inline constexpr Flag kMute{"Mute", false};

// How faintly unlit segments show, in percent (0: the handheld's own picture).
inline constexpr Integer kGhostSegments{"GhostSegments", 0, 0, 30, "GhostSegments"};

// How long a segment takes to darken or clear, in milliseconds, as a real
// LCD's crystal does (0: at once, the handheld's own picture).
inline constexpr Integer kLcdResponse{"LcdResponse", 0, 0, 250, "LcdResponse"};

// Segment shadows: on a real unit the liquid crystal floats above a silvered
// reflector, so each dark segment casts a soft shadow beside it. Off by
// default (the handheld's flat picture); the look is the skin's, in skin
// pixels and percent, and the player's own values win.
inline constexpr Flag kSegmentShadows{"SegmentShadows", false};
inline constexpr Integer kShadowOffsetX{"ShadowOffsetX", 2, -20, 20, "ShadowOffsetX"};
inline constexpr Integer kShadowOffsetY{"ShadowOffsetY", 3, -20, 20, "ShadowOffsetY"};
inline constexpr Integer kShadowBlur{"ShadowBlur", 2, 0, 12, "ShadowBlur"};
inline constexpr Integer kShadowOpacity{"ShadowOpacity", 22, 0, 100, "ShadowOpacity"};

// The windowed handheld's zoom in percent (its steps are the zoom's own
// rule), 0 for "fit to screen"; and whether the full screen scales the game
// area to fit.
inline constexpr Integer kZoom{"Zoom", 100, 0, 200};
inline constexpr Flag kFullscreenFit{"FullscreenFit", false};

// Whether a running game waits, through the handheld's own PAUSE, while a
// menu or dialog has the input. Off: nothing pauses the game but PAUSE.
inline constexpr Flag kPauseInMenus{"PauseInMenus", false};

// The handheld's speed in percent, for a player who needs more time: below
// 100 its time runs slower than the real clock (the engine is untouched),
// and a game played so stores no high score.
inline constexpr Integer kGameSpeed{"GameSpeed", 100, 50, 100};

// Whether a game left unfinished when the program ended goes on by itself
// at the next start (paused, as it was left). Off: the menu offers it.
inline constexpr Flag kContinueUnfinished{"ContinueUnfinished", false};

// ---- Reading and writing --------------------------------------------------------

// Integers are read by parse_integer's rule (settings_codec.h).

// Any number but 0 is true; missing or unreadable text reads as the default.
bool read(const SettingsStore& store, const Flag& flag);
// The player's own choice, or nothing when it is missing or unreadable.
std::optional<bool> read_stored(const SettingsStore& store, const Flag& flag);
void write(SettingsStore& store, const Flag& flag, bool value);

// The player's own value: nothing when it is missing, unreadable or outside
// the range.
std::optional<std::int32_t> read_stored(const SettingsStore& store, const Integer& integer);
// The player's own value, else the default.
std::int32_t read(const SettingsStore& store, const Integer& integer);
// The player's own value, else the skin's, else the default; a value out of
// the range is brought to its nearest end.
std::int32_t layered(std::optional<std::int32_t> player, std::optional<std::int32_t> skin,
                     const Integer& integer);
// Decimal text, minus sign when negative, no plus sign or leading zeros.
void write(SettingsStore& store, const Integer& integer, std::int32_t value);

// The stored text, else the default.
std::string read(const SettingsStore& store, const Text& text);
void write(SettingsStore& store, const Text& text, std::string_view value);

// Every declared value, for the tests and the documentation. A new value is
// declared above and listed in all() below, in this file alone.
struct Entry {
  enum class Kind { flag, integer, text };
  std::string_view name;
  Kind kind;
  std::string default_text;  // as the store would hold it
  std::int32_t min = 0;      // integers only
  std::int32_t max = 0;
  std::string_view skin_key;
};
inline std::vector<Entry> all() {
  std::vector<Entry> entries;
  const auto flag = [&](const Flag& f) {
    entries.push_back({f.name, Entry::Kind::flag, f.default_value ? "1" : "0", 0, 1, {}});
  };
  const auto integer = [&](const Integer& i) {
    entries.push_back(
        {i.name, Entry::Kind::integer, std::to_string(i.default_value), i.min, i.max, i.skin_key});
  };
  const auto text = [&](const Text& t) {
    entries.push_back({t.name, Entry::Kind::text, std::string(t.default_value), 0, 0, {}});
  };
  flag(kFullscreenMode);
  flag(kSplashScreen);
  integer(kSkin);
  integer(kSoundMode);
  integer(kHiScore1);
  integer(kHiScore2);
  for (const Integer& key : kKeys) integer(key);
  for (const Text& pad : kPads) text(pad);
  text(kSkinFolder);
  integer(kVolume);
  flag(kMute);
  integer(kGhostSegments);
  integer(kLcdResponse);
  flag(kSegmentShadows);
  integer(kShadowOffsetX);
  integer(kShadowOffsetY);
  integer(kShadowBlur);
  integer(kShadowOpacity);
  integer(kZoom);
  flag(kFullscreenFit);
  flag(kPauseInMenus);
  integer(kGameSpeed);
  flag(kContinueUnfinished);
  return entries;
}

}  // namespace hero::settings
