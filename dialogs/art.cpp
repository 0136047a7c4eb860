#include "dialogs/art.h"

#include <array>

#include <QImage>
#include <QPainter>

namespace hero {
namespace {

struct ArtEntry {
  BuiltinPicture picture;
  const char* resource;  // path in the built-in art
  int width;
  int height;
  QRgb stand_in;  // colour of the plain stand-in
};

constexpr std::array<ArtEntry, 14> kArt = {{
    {BuiltinPicture::splash_background, ":/art/splash_background.png", 460, 450, 0xff103060},
    {BuiltinPicture::box_picture, ":/art/box_picture.jpg", 160, 86, 0xff808080},
    {BuiltinPicture::play_button, ":/art/play.png", 107, 30, 0xff20a020},
    {BuiltinPicture::play_disabled, ":/art/play_disabled.png", 107, 30, 0xff909090},
    {BuiltinPicture::donate_button, ":/art/donate.png", 107, 30, 0xffffc040},
    {BuiltinPicture::about_picture, ":/art/about.png", 512, 448, 0xffc0c0c0},
    {BuiltinPicture::manual_close_up, ":/art/manual_close_up.bmp", 16, 14, 0xff2040c0},
    {BuiltinPicture::manual_close_down, ":/art/manual_close_down.bmp", 16, 14, 0xff102080},
    {BuiltinPicture::manual_left_up, ":/art/manual_left_up.bmp", 16, 14, 0xff2040c0},
    {BuiltinPicture::manual_left_down, ":/art/manual_left_down.bmp", 16, 14, 0xff102080},
    {BuiltinPicture::manual_right_up, ":/art/manual_right_up.bmp", 16, 14, 0xff2040c0},
    {BuiltinPicture::manual_right_down, ":/art/manual_right_down.bmp", 16, 14, 0xff102080},
    {BuiltinPicture::game_menu, ":/art/game_menu.png", 512, 512, 0xcc000000},
    {BuiltinPicture::icon, ":/art/icon.png", 64, 64, 0xff6666cc},
}};

}  // namespace

QPixmap builtin_picture(BuiltinPicture picture) {
  for (const ArtEntry& entry : kArt) {
    if (entry.picture != picture) continue;
    QPixmap pixmap(QString::fromLatin1(entry.resource));
    if (!pixmap.isNull()) return pixmap;
    QImage stand_in(entry.width, entry.height, QImage::Format_ARGB32);
    stand_in.fill(QColor::fromRgba(entry.stand_in));
    return QPixmap::fromImage(stand_in);
  }
  return QPixmap();
}

}  // namespace hero
