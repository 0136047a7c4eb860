// The pictures compiled into the program: the splash screen's art, the about
// picture, the manual viewer's buttons, the in-game menu picture and the
// application icon. Call init_builtin_art() once before loading any of them
// (a static library's resources are otherwise dropped by the linker).
#pragma once

namespace hero {

void init_builtin_art();

namespace art {

inline constexpr const char* kSplashBackground = ":/art/splash_background.png";  // 460 x 450
inline constexpr const char* kBoxPicture = ":/art/box_picture.jpg";              // 160 x 86 JPEG
inline constexpr const char* kPlay = ":/art/play.png";                           // 107 x 30
inline constexpr const char* kPlayDisabled = ":/art/play_disabled.png";          // 107 x 30
inline constexpr const char* kDonate = ":/art/donate.png";                       // 107 x 30, reads "Donate"
inline constexpr const char* kAbout = ":/art/about.png";                         // 512 x 448
inline constexpr const char* kManualCloseUp = ":/art/manual_close_up.bmp";       // 16 x 14 each
inline constexpr const char* kManualCloseDown = ":/art/manual_close_down.bmp";
inline constexpr const char* kManualLeftUp = ":/art/manual_left_up.bmp";
inline constexpr const char* kManualLeftDown = ":/art/manual_left_down.bmp";
inline constexpr const char* kManualRightUp = ":/art/manual_right_up.bmp";
inline constexpr const char* kManualRightDown = ":/art/manual_right_down.bmp";
inline constexpr const char* kGameMenu = ":/art/game_menu.png";  // 512 x 640 with alpha
inline constexpr const char* kIcon = ":/art/icon.png";           // 64 x 64 with alpha

}  // namespace art
}  // namespace hero
