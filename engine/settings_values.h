// The names of every value in the per-user settings store and the value each
// reads as while it is missing. Every store (on disk or in memory) uses these.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace hero::settings {

inline constexpr std::string_view kFullscreenMode = "FullscreenMode";
inline constexpr std::string_view kSplashScreen = "SplashScreen";
inline constexpr std::string_view kSkin = "Skin";
inline constexpr std::string_view kSoundMode = "SoundMode";
inline constexpr std::string_view kHiScore1 = "HiScore1";  // Game A
inline constexpr std::string_view kHiScore2 = "HiScore2";  // Game B

// Key1 .. Key7: GAME A, GAME B, TIME, ACL, LEFT, RIGHT, PAUSE, each stored as
// a choice number 1..44 of the key list, not as a key code.
inline constexpr int kKeyCount = 7;
inline constexpr std::array<std::string_view, kKeyCount> kKeyNames = {"Key1", "Key2", "Key3", "Key4",
                                                                      "Key5", "Key6", "Key7"};

inline constexpr bool kFullscreenModeDefault = true;
inline constexpr bool kSplashScreenDefault = true;
inline constexpr std::int32_t kSkinDefault = -1;       // no skin chosen yet
inline constexpr std::int32_t kSoundModeDefault = -1;  // no driver chosen yet
inline constexpr std::int32_t kHiScoreDefault = 0;
//                                                    1  2  3  5  left right space
inline constexpr std::array<std::int32_t, kKeyCount> kKeyDefaults = {2, 3, 4, 6, 39, 40, 44};

// SoundMode's stored numbers: positions in the driver list.
inline constexpr std::int32_t kSoundModeDirect = 0;
inline constexpr std::int32_t kSoundModeMultimedia = 1;
inline constexpr std::int32_t kSoundModeNone = 2;

}  // namespace hero::settings
