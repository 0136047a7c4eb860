// The pictures built into the program that the dialogs show. Each comes from
// the built-in art; if a picture is missing from the build, a plain stand-in
// of the same size keeps the dialog usable.
#pragma once

#include <QImage>
#include <QPixmap>

namespace hero {

enum class BuiltinPicture {
  splash_background,  // 460 x 450
  box_picture,        // 160 x 86
  play_button,        // 107 x 30
  play_disabled,      // 107 x 30
  donate_button,      // 107 x 30
  about_picture,      // 512 x 448
  manual_close_up,    // 16 x 14 each
  manual_close_down,
  manual_left_up,
  manual_left_down,
  manual_right_up,
  manual_right_down,
  game_menu,  // 512 x 640 with alpha
  icon,
};

// The picture for the screens' device pixel ratio (the highest of them):
// above 1 its @2x twin where the build has one, marked as twice as dense so
// that it shows at the same size.
QPixmap builtin_picture(BuiltinPicture picture);
QPixmap builtin_picture(BuiltinPicture picture, qreal device_pixel_ratio);
// The same as an image, for pictures drawn by the main window's scene.
QImage builtin_image(BuiltinPicture picture);

}  // namespace hero
