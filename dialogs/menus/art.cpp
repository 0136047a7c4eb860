#include "dialogs/menus/art.h"

#include <array>

#include <QGuiApplication>
#include <QImage>

#include "assets/builtin_art.h"
#include "display/skins/gfxinit.h"

namespace hero {
namespace {

struct ArtEntry {
  BuiltinPicture picture;
  const char* resource;
  int width;  // the stand-in's size and colour
  int height;
  QRgb stand_in;
};

const std::array<ArtEntry, 14> kArt = {{
    {BuiltinPicture::splash_background, art::kSplashBackground, 460, 450, 0xff103060},
    {BuiltinPicture::box_picture, art::kBoxPicture, 160, 86, 0xff808080},
    {BuiltinPicture::play_button, art::kPlay, 107, 30, 0xff20a020},
    {BuiltinPicture::play_disabled, art::kPlayDisabled, 107, 30, 0xff909090},
    {BuiltinPicture::donate_button, art::kDonate, 107, 30, 0xffffc040},
    {BuiltinPicture::about_picture, art::kAbout, 512, 448, 0xffc0c0c0},
    {BuiltinPicture::manual_close_up, art::kManualCloseUp, 16, 14, 0xff2040c0},
    {BuiltinPicture::manual_close_down, art::kManualCloseDown, 16, 14, 0xff102080},
    {BuiltinPicture::manual_left_up, art::kManualLeftUp, 16, 14, 0xff2040c0},
    {BuiltinPicture::manual_left_down, art::kManualLeftDown, 16, 14, 0xff102080},
    {BuiltinPicture::manual_right_up, art::kManualRightUp, 16, 14, 0xff2040c0},
    {BuiltinPicture::manual_right_down, art::kManualRightDown, 16, 14, 0xff102080},
    {BuiltinPicture::game_menu, art::kGameMenu, 512, 640, 0xcc000000},
    {BuiltinPicture::icon, art::kIcon, 64, 64, 0xff6666cc},
}};

void register_art() {
  static const bool registered = [] {
    init_builtin_art();
    return true;
  }();
  (void)registered;
}

const ArtEntry* entry_of(BuiltinPicture picture) {
  for (const ArtEntry& entry : kArt)
    if (entry.picture == picture) return &entry;
  return nullptr;
}

}  // namespace

QImage builtin_image(BuiltinPicture picture) {
  register_art();
  const ArtEntry* entry = entry_of(picture);
  if (entry == nullptr) return QImage();
  QImage image(QString::fromLatin1(entry->resource));
  if (!image.isNull()) return image;
  QImage stand_in(entry->width, entry->height, QImage::Format_ARGB32);
  stand_in.fill(QColor::fromRgba(entry->stand_in));
  return stand_in;
}

QPixmap builtin_picture(BuiltinPicture picture, qreal device_pixel_ratio) {
  const QImage image = builtin_image(picture);
  const ArtEntry* entry = entry_of(picture);
  if (device_pixel_ratio > 1.0 && entry != nullptr) {
    // Where a pixel is two or more device pixels, the picture's @2x twin: the
    // same drawing at twice the pixels, shown at the picture's own size.
    QImage twin(QString::fromStdString(twin_name(entry->resource)));
    if (!twin.isNull() && twin.size() == image.size() * 2) {
      QPixmap sharp = QPixmap::fromImage(twin);
      sharp.setDevicePixelRatio(2.0);
      return sharp;
    }
  }
  return QPixmap::fromImage(image);
}

QPixmap builtin_picture(BuiltinPicture picture) {
  return builtin_picture(picture, qGuiApp != nullptr ? qGuiApp->devicePixelRatio() : 1.0);
}

}  // namespace hero
