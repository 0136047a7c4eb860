#include "assets/generator/art_painter.h"

#include <array>
#include <stdexcept>

#include <QFont>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QSvgGenerator>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include "assets/generator/image_io.h"
#include "assets/generator/skin_preview.h"
#include "assets/generator/skin_renderer.h"

namespace hero::assetgen {
namespace {

const QColor kNavy(0x1c, 0x2a, 0x4a);
const QColor kDeepNavy(0x0b, 0x11, 0x22);
const QColor kRed(0xc8, 0x37, 0x2b);
const QColor kGold(0xd9, 0xb4, 0x5a);

std::runtime_error failure(const QString& text) { return std::runtime_error(text.toStdString()); }

QFont font(int pixel_size, bool bold, bool italic = false) {
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(pixel_size);
  f.setBold(bold);
  f.setItalic(italic);
  return f;
}

// A picture of w x h units at `ratio` device pixels per unit. A painter on
// it draws in units, so the @2x twin is the same drawing at ratio 2.
QImage blank(int w, int h, QColor fill = Qt::transparent, double ratio = 1.0) {
  QImage image(qRound(w * ratio), qRound(h * ratio), QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(ratio);
  image.fill(fill);
  return image;
}

// Where a picture drawn at a ratio lies, in units.
QSizeF units(const QImage& image) { return image.deviceIndependentSize(); }

// The handheld as on its box: the skin with every segment lit, reading 12:00.
QImage handheld_picture(const QString& assets_dir, QSize fit, double ratio) {
  QTemporaryDir scratch;
  if (!scratch.isValid()) throw failure("cannot make a scratch folder for the box picture");
  SkinOptions options;
  options.svg_path = assets_dir + "/skin/handheld.svg";
  options.backdrop_svg = assets_dir + "/skin/backdrop.svg";
  options.logo_svg = assets_dir + "/skin/logo.svg";
  options.out_dir = scratch.path();
  options.scale = 0.25 * ratio;
  options.title = "box picture";
  render_skin(options);
  QImage lit = compose_skin(scratch.path(), true).convertToFormat(QImage::Format_ARGB32);
  // The colour key around the handheld becomes see-through on the box.
  for (int y = 0; y < lit.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(lit.scanLine(y));
    for (int x = 0; x < lit.width(); ++x)
      if ((line[x] & 0xffffff) == 0xff00ff) line[x] = qRgba(0, 0, 0, 0);
  }
  QImage fitted = lit.scaled(fit * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  fitted.setDevicePixelRatio(ratio);
  return fitted;
}

QImage drawn_element(const QString& assets_dir, const QString& id, double scale, double ratio) {
  QSvgRenderer svg(assets_dir + "/skin/handheld.svg");
  if (!svg.elementExists(id)) throw failure("the handheld drawing has no " + id);
  const QRectF bounds = svg.transformForElement(id).mapRect(svg.boundsOnElement(id));
  QImage image = blank(static_cast<int>(bounds.width() * scale) + 8,
                       static_cast<int>(bounds.height() * scale) + 8, Qt::transparent, ratio);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  svg.render(&p, id, QRectF(4, 4, bounds.width() * scale, bounds.height() * scale));
  return image;
}

void title_logo(QPainter& p, QPointF centre, int size) {
  p.setFont(font(size, true, true));
  const QRectF box(centre.x() - 200, centre.y() - size, 400, size * 1.3);
  p.setPen(kNavy);
  p.drawText(box.translated(3, 3), Qt::AlignCenter, QStringLiteral("HERO"));
  p.setPen(kRed);
  p.drawText(box, Qt::AlignCenter, QStringLiteral("HERO"));
}

QImage splash_background(const QString& assets_dir, double ratio) {
  QImage image = blank(460, 450, Qt::white, ratio);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  // Dark title band for the white title and version lines.
  QLinearGradient top(0, 0, 0, 50);
  top.setColorAt(0, kNavy);
  top.setColorAt(1, kDeepNavy);
  p.fillRect(0, 0, 460, 50, top);
  p.fillRect(0, 50, 460, 3, kRed);
  // Soft light behind the box picture.
  QRadialGradient spot(230, 136, 170);
  spot.setColorAt(0, QColor(0xf4, 0xf0, 0xe4));
  spot.setColorAt(1, Qt::white);
  p.fillRect(0, 53, 460, 170, spot);
  p.fillRect(40, 224, 380, 1, QColor(0xd8, 0xd0, 0xc0));
  // Faint pots falling down both margins, in perspective as on the LCD.
  p.setOpacity(0.10);
  for (int i = 0; i < 6; ++i) {
    const QImage pot = drawn_element(assets_dir, "im_enemy_x2y7", 0.45 + 0.09 * i, ratio);
    p.drawImage(QPointF(22 - units(pot).width() / 2.0, 60 + i * 56), pot);
    p.drawImage(QPointF(438 - units(pot).width() / 2.0, 60 + i * 56), pot);
  }
  p.setOpacity(1.0);
  // Bottom band behind the check box, in the check box's own colour.
  p.fillRect(0, 410, 460, 40, QColor(0x08, 0x29, 0x52));
  p.fillRect(0, 407, 460, 3, kGold);
  return image;
}

QImage push_button(const QString& text, QColor face, QColor ink, double ratio) {
  QImage image = blank(107, 30, Qt::transparent, ratio);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient g(0, 0, 0, 30);
  g.setColorAt(0, face.lighter(135));
  g.setColorAt(1, face.darker(115));
  p.setPen(QPen(face.darker(170), 1.5));
  p.setBrush(g);
  p.drawRoundedRect(QRectF(1, 1, 105, 28), 12, 12);
  p.setFont(font(15, true));
  p.setPen(ink);
  p.drawText(QRect(0, 0, 107, 30), Qt::AlignCenter, text);
  return image;
}

QImage about_picture(const QString& assets_dir, double ratio) {
  QImage image = blank(512, 448, QColor(0xd4, 0xd4, 0xd4), ratio);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  QLinearGradient ground(0, 0, 0, 448);
  ground.setColorAt(0, QColor(0xe6, 0xe6, 0xe6));
  ground.setColorAt(1, QColor(0xc4, 0xc4, 0xc4));
  p.fillRect(QRect(0, 0, 512, 448), ground);
  // The handheld family's mark.
  p.setFont(font(14, true));
  p.setPen(kNavy);
  p.drawText(QRect(200, 14, 306, 20), Qt::AlignCenter, QStringLiteral("H A N D C L O C K"));
  p.fillRect(260, 38, 186, 2, kGold);
  // The game's title logo with WIDE SCREEN and SIMULATOR beneath it.
  title_logo(p, QPointF(353, 98), 64);
  p.setFont(font(15, true));
  p.setPen(kNavy);
  p.drawText(QRect(200, 112, 306, 20), Qt::AlignCenter, QStringLiteral("WIDE SCREEN"));
  p.setPen(kRed);
  p.drawText(QRect(200, 132, 306, 20), Qt::AlignCenter, QStringLiteral("S I M U L A T O R"));
  // Portrait of the hero on a piece of LCD.
  const QRectF panel(18, 40, 170, 300);
  p.setPen(QPen(kNavy, 6));
  p.setBrush(QColor(0xdf, 0xe2, 0xcf));
  p.drawRoundedRect(panel, 10, 10);
  const QImage hero = drawn_element(assets_dir, "im_hero_x2", 1.9, ratio);
  p.drawImage(
      QPointF(panel.center().x() - units(hero).width() / 2.0, panel.bottom() - units(hero).height() - 14),
      hero);
  const QImage pot = drawn_element(assets_dir, "im_enemy_x2y7", 1.3, ratio);
  p.drawImage(QPointF(panel.center().x() - units(pot).width() / 2.0, panel.top() + 10), pot);
  p.setFont(font(12, true));
  p.setPen(kNavy);
  p.drawText(QRect(18, 346, 170, 18), Qt::AlignCenter, QStringLiteral("the hero"));
  return image;
}

// A blue key of the manual viewer with a white glyph; sunken keys have their
// bevel reversed and the glyph one pixel right and down. At ratio 2 each
// pixel of the drawing is a block of four, as crisp as the original.
QImage manual_button(char glyph, bool sunken, double ratio) {
  QImage image(qRound(16 * ratio), qRound(14 * ratio), QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(QColor(0x2a, 0x4f, 0xb0));
  QPainter p(&image);
  const QColor light(0x9c, 0xb6, 0xf0), dark(0x10, 0x1e, 0x52);
  p.setPen(sunken ? dark : light);
  p.drawLine(0, 0, 15, 0);
  p.drawLine(0, 0, 0, 13);
  p.setPen(sunken ? light : dark);
  p.drawLine(0, 13, 15, 13);
  p.drawLine(15, 0, 15, 13);
  p.setPen(Qt::white);
  const int d = sunken ? 1 : 0;
  // Glyphs drawn pixel by pixel so they stay crisp at this size.
  switch (glyph) {
    case 'x':
      for (int i = 0; i < 6; ++i) {
        p.drawPoint(5 + i + d, 4 + i + d);
        p.drawPoint(10 - i + d, 4 + i + d);
        p.drawPoint(6 + i + d, 4 + i + d);
        p.drawPoint(9 - i + d, 4 + i + d);
      }
      break;
    case '<':
      for (int i = 0; i < 4; ++i) {
        p.drawLine(9 - i + d, 3 + i + d, 10 - i + d, 3 + i + d);
        p.drawLine(9 - i + d, 10 - i + d, 10 - i + d, 10 - i + d);
      }
      break;
    default:  // '>'
      for (int i = 0; i < 4; ++i) {
        p.drawLine(5 + i + d, 3 + i + d, 6 + i + d, 3 + i + d);
        p.drawLine(5 + i + d, 10 - i + d, 6 + i + d, 10 - i + d);
      }
      break;
  }
  return image;
}

// The program's icon, the hero on a tile, on a square of 64 units: one
// drawing for every size, drawn as shapes so that it scales.
void paint_icon(QPainter& p, const QString& assets_dir) {
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(kNavy, 4));
  p.setBrush(QColor(0xdf, 0xe2, 0xcf));
  p.drawRoundedRect(QRectF(3, 3, 58, 58), 10, 10);
  p.fillRect(QRectF(5, 50, 54, 4), kRed);
  QSvgRenderer svg(assets_dir + "/skin/handheld.svg");
  const QString hero = QStringLiteral("im_hero_x2");
  if (!svg.elementExists(hero)) throw failure("the handheld drawing has no " + hero);
  const QRectF bounds = svg.transformForElement(hero).mapRect(svg.boundsOnElement(hero));
  const QSizeF size = bounds.size() * 0.42;
  svg.render(&p, hero, QRectF(QPointF(32 - size.width() / 2, 48 - size.height()), size));
}

QImage icon(const QString& assets_dir, int side) {
  QImage image = blank(side, side);
  QPainter p(&image);
  p.scale(side / 64.0, side / 64.0);
  paint_icon(p, assets_dir);
  return image;
}

void save_icon_svg(const QString& assets_dir, const QString& file) {
  QSvgGenerator svg;
  svg.setFileName(file);
  svg.setSize(QSize(64, 64));
  svg.setViewBox(QRect(0, 0, 64, 64));
  svg.setTitle(QStringLiteral("Hero"));
  QPainter p(&svg);
  paint_icon(p, assets_dir);
  if (!p.end()) throw failure("cannot write " + file);
}

}  // namespace

QImage draw_game_menu() {
  QImage image(512, 640, QImage::Format_ARGB32);
  image.fill(qRgba(0, 0, 0, 204));
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 512; ++x) image.setPixel(x, y, qRgba(0, 0, 0, 255));
  QPainter p(&image);
  // No smoothing: the strip holds pure black and pure white only.
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setRenderHint(QPainter::TextAntialiasing, false);
  for (int bar = 0; bar < 3; ++bar) p.fillRect(8, 8 + bar * 7, 20, 3, Qt::white);
  QFont title = font(16, true);
  title.setStyleStrategy(QFont::NoAntialias);
  // The title must stay inside x 36..124: shrink the font until it does.
  while (QFontMetrics(title).horizontalAdvance(QStringLiteral("Game menu")) > 88)
    title.setPixelSize(title.pixelSize() - 1);
  p.setFont(title);
  p.setPen(Qt::white);
  p.setClipRect(36, 0, 89, 32);
  p.drawText(QRect(36, 0, 89, 32), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Game menu"));
  return image;
}

void make_builtin_art(const QString& assets_dir, const QString& out_dir) {
  // Each picture of the windows at its own size and as its @2x twin, the
  // same drawing at twice the pixels for screens of two device pixels per
  // pixel.
  for (const double ratio : {1.0, 2.0}) {
    const QString twin = ratio > 1.0 ? QStringLiteral("@2x") : QString();
    const auto file = [&](const char* stem, const char* extension) {
      return out_dir + "/" + QString::fromLatin1(stem) + twin + "." + QString::fromLatin1(extension);
    };
    save_png(splash_background(assets_dir, ratio).convertToFormat(QImage::Format_RGB32),
             file("splash_background", "png"));

    QImage box = blank(160, 86, Qt::white, ratio);
    {
      QPainter p(&box);
      p.setRenderHint(QPainter::Antialiasing);
      QLinearGradient g(0, 0, 0, 86);
      g.setColorAt(0, kNavy);
      g.setColorAt(1, kDeepNavy);
      p.fillRect(QRect(0, 0, 160, 86), g);
      const QImage handheld = handheld_picture(assets_dir, QSize(150, 80), ratio);
      p.drawImage(QPointF((160 - units(handheld).width()) / 2.0, (86 - units(handheld).height()) / 2.0),
                  handheld);
    }
    save_jpeg(box, file("box_picture", "jpg"), 92);

    save_png(push_button(QStringLiteral("Play"), QColor(0x3c, 0xa0, 0x3c), Qt::white, ratio)
                 .convertToFormat(QImage::Format_ARGB32),
             file("play", "png"));
    save_png(push_button(QStringLiteral("Play"), QColor(0xa8, 0xa8, 0xa8), QColor(0x70, 0x70, 0x70), ratio)
                 .convertToFormat(QImage::Format_ARGB32),
             file("play_disabled", "png"));
    save_png(push_button(QStringLiteral("Donate"), QColor(0xf2, 0xb8, 0x3a), kNavy, ratio)
                 .convertToFormat(QImage::Format_ARGB32),
             file("donate", "png"));
    save_png(about_picture(assets_dir, ratio).convertToFormat(QImage::Format_RGB32), file("about", "png"));

    const std::array<std::pair<const char*, char>, 3> keys = {
        {{"close", 'x'}, {"left", '<'}, {"right", '>'}}};
    for (const auto& [name, glyph] : keys) {
      save_bmp24(manual_button(glyph, false, ratio),
                 file((std::string("manual_") + name + "_up").c_str(), "bmp"));
      save_bmp24(manual_button(glyph, true, ratio),
                 file((std::string("manual_") + name + "_down").c_str(), "bmp"));
    }
  }
  save_png(draw_game_menu(), out_dir + "/game_menu.png");
  save_png(icon(assets_dir, 64).convertToFormat(QImage::Format_ARGB32), out_dir + "/icon.png");
  // The desktop's icons: the same drawing at 256 pixels and as shapes.
  save_png(icon(assets_dir, 256).convertToFormat(QImage::Format_ARGB32), out_dir + "/icon-256.png");
  save_icon_svg(assets_dir, out_dir + "/icon.svg");
}

}  // namespace hero::assetgen
