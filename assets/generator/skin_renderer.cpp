// Turns the handheld drawing into a skin folder. Every skin element is a
// group of the drawing with the element's own name as id; the generator
// renders it alone, crops it and records where it goes.
#include "assets/generator/skin_renderer.h"

#include <cmath>
#include <stdexcept>
#include <vector>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include "assets/generator/image_io.h"
#include "display/lcd/element_ids.h"

namespace hero::assetgen {
namespace {

// The colour key of the windowed mode: magenta, written as the skin file
// writes colours (0x00BBGGRR).
constexpr QRgb kKeyColour = qRgb(0xff, 0x00, 0xff);
constexpr const char* kKeyColourText = "$00ff00ff";
// Full-screen surroundings: a deep night blue behind the backdrop.
constexpr const char* kBgColourText = "$00301810";
// Lit LCD segments cast a faint shadow on the LCD backdrop behind them.
constexpr double kShadowOpacity = 0.16;
constexpr double kShadowOffsetX = 3.0;
constexpr double kShadowOffsetY = 4.0;

std::runtime_error failure(const QString& text) { return std::runtime_error(text.toStdString()); }

bool is_hot_area(const QString& name) { return name.startsWith("btn_") && name.endsWith("_top"); }
bool is_digit_position(const QString& name) { return name.startsWith("im_panel_digit_"); }

QRectF doc_rect(QSvgRenderer& svg, const QString& id) {
  if (!svg.elementExists(id)) throw failure("the handheld drawing has no element \"" + id + "\"");
  return svg.transformForElement(id).mapRect(svg.boundsOnElement(id));
}

QRect scaled_exact(const QRectF& r, double scale) {
  return QRect(static_cast<int>(std::lround(r.x() * scale)), static_cast<int>(std::lround(r.y() * scale)),
               static_cast<int>(std::lround(r.width() * scale)),
               static_cast<int>(std::lround(r.height() * scale)));
}

QRect opaque_bounds(const QImage& image) {
  int left = image.width(), top = image.height(), right = -1, bottom = -1;
  for (int y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (qAlpha(line[x]) == 0) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  if (right < 0) return {};
  return QRect(QPoint(left, top), QPoint(right, bottom));
}

struct Rendered {
  QImage image;  // premultiplied ARGB
  QImage twin;   // the same drawn at twice the pixels, for the @2x file
  QRect place;   // position and size in the game area
};

// The element drawn into `crop` (pixels of the skin at `scale`) at `density`
// device pixels per skin pixel.
QImage draw_element(QSvgRenderer& svg, const QString& id, double scale, bool with_shadow, const QRect& crop,
                    int density) {
  const QRectF bounds = doc_rect(svg, id);
  QImage drawn(crop.size() * density, QImage::Format_ARGB32_Premultiplied);
  drawn.fill(Qt::transparent);
  {
    QPainter painter(&drawn);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(density, density);
    svg.render(&painter, id,
               QRectF(bounds.x() * scale - crop.x(), bounds.y() * scale - crop.y(), bounds.width() * scale,
                      bounds.height() * scale));
  }
  if (!with_shadow) return drawn;
  QImage shadow = drawn;
  {
    QPainter tint(&shadow);
    tint.setCompositionMode(QPainter::CompositionMode_SourceIn);
    tint.fillRect(shadow.rect(), QColor(0, 0, 0));
  }
  QImage image(drawn.size(), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setOpacity(kShadowOpacity);
  painter.drawImage(QPointF(std::max(1.0, std::round(kShadowOffsetX * scale)) * density,
                            std::max(1.0, std::round(kShadowOffsetY * scale)) * density),
                    shadow);
  painter.setOpacity(1.0);
  painter.drawImage(0, 0, drawn);
  return image;
}

Rendered render_element(QSvgRenderer& svg, const QString& id, double scale, bool with_shadow) {
  const QRectF bounds = doc_rect(svg, id);
  if (bounds.width() <= 0 || bounds.height() <= 0) throw failure("element \"" + id + "\" has no size");
  const QString frame_id = id + "_frame";
  const bool framed = svg.elementExists(frame_id);
  const double margin = 8.0;
  QRect crop = framed ? scaled_exact(doc_rect(svg, frame_id), scale)
                      : QRectF(bounds.x() * scale - margin, bounds.y() * scale - margin,
                               bounds.width() * scale + 2 * margin, bounds.height() * scale + 2 * margin)
                            .toAlignedRect();
  const QImage image = draw_element(svg, id, scale, with_shadow, crop, 1);
  const QImage twin = draw_element(svg, id, scale, with_shadow, crop, 2);
  if (framed) return {image, twin, crop};
  const QRect used = opaque_bounds(image.convertToFormat(QImage::Format_ARGB32));
  if (used.isEmpty()) throw failure("element \"" + id + "\" draws nothing");
  // The twin covers exactly twice the picture's pixels, so one stands for the other.
  return {image.copy(used), twin.copy(QRect(used.topLeft() * 2, used.size() * 2)),
          used.translated(crop.topLeft())};
}

// The element as a drawing of its own, for a handheld shown at any size
// but the skin's: the drawing's shared parts (its <defs>) and the element,
// framed on its place in the skin (`place`, pixels at `scale`), so that it
// covers exactly the pixels its picture does. A segment carries the same
// faint shadow as its picture: the segment again, offset, at the shadow's
// opacity (segments are drawn in LCD black).
QByteArray element_drawing(const QByteArray& drawing, const QString& id, const QRect& place, double scale,
                           bool with_shadow) {
  QByteArray out;
  QXmlStreamWriter writer(&out);
  writer.writeStartDocument();
  writer.writeStartElement("svg");
  writer.writeDefaultNamespace("http://www.w3.org/2000/svg");
  writer.writeNamespace("http://www.w3.org/1999/xlink", "xlink");
  writer.writeAttribute("version", "1.2");
  writer.writeAttribute("baseProfile", "tiny");
  writer.writeAttribute("width", QString::number(place.width()));
  writer.writeAttribute("height", QString::number(place.height()));
  writer.writeAttribute("viewBox", QString("%1 %2 %3 %4")
                                       .arg(place.x() / scale, 0, 'g', 10)
                                       .arg(place.y() / scale, 0, 'g', 10)
                                       .arg(place.width() / scale, 0, 'g', 10)
                                       .arg(place.height() / scale, 0, 'g', 10));
  writer.writeAttribute("preserveAspectRatio", "none");
  // The groups the element lies in lend it their fill and placement: they
  // come along, without their other children.
  struct Open {
    QString name;
    QXmlStreamAttributes attributes;
  };
  std::vector<Open> open;
  QXmlStreamReader reader(drawing);
  while (!reader.atEnd()) {
    const auto token = reader.readNext();
    if (token == QXmlStreamReader::EndElement) {
      if (!open.empty()) open.pop_back();
      continue;
    }
    if (token != QXmlStreamReader::StartElement) continue;
    const bool shared = open.size() == 1 && reader.name() == QLatin1String("defs");
    if (!shared && reader.attributes().value("id") != id) {
      open.push_back({reader.qualifiedName().toString(), reader.attributes()});
      continue;
    }
    // The shadow, as in the picture: the element again, in plain black.
    if (with_shadow && !shared) {
      writer.writeStartElement("g");
      writer.writeAttribute("opacity", QString::number(kShadowOpacity));
      writer.writeAttribute("transform",
                            QString("translate(%1,%2)")
                                .arg(std::max(1.0, std::round(kShadowOffsetX * scale)) / scale, 0, 'g', 10)
                                .arg(std::max(1.0, std::round(kShadowOffsetY * scale)) / scale, 0, 'g', 10));
      writer.writeStartElement("use");
      writer.writeAttribute("http://www.w3.org/1999/xlink", "href", "#" + id);
      writer.writeEndElement();
      writer.writeEndElement();
    }
    // The shared parts and the element itself, each copied whole.
    const std::size_t around = shared ? 0 : open.size() - 1;
    for (std::size_t i = 1; i <= around; ++i) {
      writer.writeStartElement(open[i].name);
      writer.writeAttributes(open[i].attributes);
    }
    for (int inner = 0; !reader.atEnd(); reader.readNext()) {
      if (reader.tokenType() == QXmlStreamReader::StartElement) ++inner;
      if (reader.tokenType() == QXmlStreamReader::EndElement) --inner;
      if (reader.tokenType() != QXmlStreamReader::Comment) writer.writeCurrentToken(reader);
      if (inner == 0) break;
    }
    for (std::size_t i = 1; i <= around; ++i) writer.writeEndElement();
  }
  if (reader.hasError()) throw failure("cannot read the handheld drawing: " + reader.errorString());
  writer.writeEndElement();
  writer.writeEndDocument();
  return out;
}

// The handheld's outline must be cut sharply: a half-covered edge pixel
// blended with the key colour would leave a pink fringe on the desktop. Edge
// pixels become wholly drawn or wholly transparent; the transparent ones keep
// the key colour underneath, so a reader that ignores alpha sees the same
// outline. With its alpha the picture serves as its own drawn form.
QImage cut_on_key_colour(const QImage& premultiplied) {
  const QImage straight = premultiplied.convertToFormat(QImage::Format_ARGB32);
  QImage out(straight.size(), QImage::Format_ARGB32);
  for (int y = 0; y < straight.height(); ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(straight.constScanLine(y));
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < straight.width(); ++x)
      line[x] =
          qAlpha(in[x]) < 128 ? (kKeyColour & 0x00ffffffu) : qRgb(qRed(in[x]), qGreen(in[x]), qBlue(in[x]));
  }
  return out;
}

QImage render_whole(const QString& svg_path, QSize size) {
  QSvgRenderer svg(svg_path);
  if (!svg.isValid()) throw failure("cannot read the drawing " + svg_path);
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  svg.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
  return image;
}

// One element of the drawing alone, at its drawn size times `scale`.
QImage render_part(QSvgRenderer& svg, const QString& id, double scale) {
  const QRectF bounds = doc_rect(svg, id);
  const QSize size(std::max(1, static_cast<int>(std::lround(bounds.width() * scale))),
                   std::max(1, static_cast<int>(std::lround(bounds.height() * scale))));
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  svg.render(&painter, id, QRectF(QPointF(0, 0), QSizeF(size)));
  return image;
}

}  // namespace

QRect element_rect(QSvgRenderer& svg, const QString& id, double scale) {
  const QString frame_id = id + "_frame";
  if (svg.elementExists(frame_id)) return scaled_exact(doc_rect(svg, frame_id), scale);
  return scaled_exact(doc_rect(svg, id), scale);
}

void render_skin(const SkinOptions& options) {
  QSvgRenderer svg(options.svg_path);
  if (!svg.isValid()) throw failure("cannot read the handheld drawing " + options.svg_path);
  QFile drawing_file(options.svg_path);
  if (!drawing_file.open(QIODevice::ReadOnly))
    throw failure("cannot read the handheld drawing " + options.svg_path);
  const QByteArray drawing = drawing_file.readAll();
  QDir().mkpath(options.out_dir);
  const QSize page = svg.defaultSize();
  const int game_width = static_cast<int>(std::lround(page.width() * options.scale));
  const int game_height = static_cast<int>(std::lround(page.height() * options.scale));

  // The full-screen surroundings come from drawings of their own, or from
  // the drawing's "backdrop" and "logo" elements; without either, none.
  const bool has_backdrop = !options.backdrop_svg.isEmpty() || svg.elementExists("backdrop");
  const bool has_logo = !options.logo_svg.isEmpty() || svg.elementExists("logo");

  QString ini;
  QTextStream out(&ini);
  out << "; " << options.title << "\n"
      << "; Made by the asset generator from the handheld drawing; every picture\n"
      << "; is placed relative to the game area's top-left corner.\n\n"
      << "[Common]\nGameWidth=" << game_width << "\nGameHeight=" << game_height << "\n\n"
      << "[Fullscreen]\nBackdropFile=" << (has_backdrop ? "backdrop.png" : "nil")
      << "\nBackdropStretch=1\nBgColor=" << kBgColourText
      << "\nGameOffsetX=Center\nGameOffsetY=Center\nLogoFile=" << (has_logo ? "logo.png" : "nil")
      << "\nLogoPosition=3\n\n"
      << "[Shaped]\nTranspColor=" << kKeyColourText << "\n";

  for (int n = 1; n <= kSkinImageCount; ++n) {
    const ElementId element = skin_image(n);
    const QString name = QString::fromLatin1(element_name(element).data(),
                                             static_cast<qsizetype>(element_name(element).size()));
    QString file = "nil";
    QRect place;
    if (is_hot_area(name) || is_digit_position(name)) {
      // Hot areas show the pressed picture beneath them; digit positions get
      // their pictures from the glyph sources at run time.
      place = element_rect(svg, name, options.scale);
    } else {
      Rendered r = render_element(svg, name, options.scale, is_segment(element));
      place = r.place;
      file = (element == ElementId::im_background ? QString("background") : name) + ".png";
      const bool body = element == ElementId::im_background;
      const QString stem = body ? QString("background") : name;
      save_png(body ? cut_on_key_colour(r.image) : r.image.convertToFormat(QImage::Format_ARGB32),
               options.out_dir + "/" + file);
      // The @2x twin: the same picture at twice the pixels, sharp when zoomed
      // or on a screen of two device pixels per pixel.
      save_png(body ? cut_on_key_colour(r.twin) : r.twin.convertToFormat(QImage::Format_ARGB32),
               options.out_dir + "/" + stem + "@2x.png");
      // And its drawing, drawn instead at any other size.
      QFile element_file(options.out_dir + "/" + stem + ".svg");
      if (!element_file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
          element_file.write(element_drawing(drawing, name, place, options.scale, is_segment(element))) < 0)
        throw failure("cannot write " + element_file.fileName());
    }
    out << "\n[Image" << n << "]\n; " << name << "\nFilename=" << file << "\nLeft=" << place.x()
        << "\nTop=" << place.y() << "\nWidth=" << place.width() << "\nHeight=" << place.height() << "\n";
  }
  out.flush();
  write_text_file(options.out_dir + "/Config.ini", ini);

  // Full-screen surroundings: a backdrop stretched over the screen and the
  // title logo in the bottom-right corner.
  if (!options.backdrop_svg.isEmpty())
    save_png(render_whole(options.backdrop_svg, QSize(1920, 1080)).convertToFormat(QImage::Format_RGB32),
             options.out_dir + "/backdrop.png");
  else if (has_backdrop)
    save_png(render_part(svg, "backdrop", 1.0).convertToFormat(QImage::Format_RGB32),
             options.out_dir + "/backdrop.png");
  if (!options.logo_svg.isEmpty()) {
    QSvgRenderer logo(options.logo_svg);
    if (!logo.isValid()) throw failure("cannot read the logo drawing " + options.logo_svg);
    const QSize logo_size(static_cast<int>(std::lround(logo.defaultSize().width() * options.scale)),
                          static_cast<int>(std::lround(logo.defaultSize().height() * options.scale)));
    save_png(render_whole(options.logo_svg, logo_size).convertToFormat(QImage::Format_ARGB32),
             options.out_dir + "/logo.png");
    save_png(render_whole(options.logo_svg, logo_size * 2).convertToFormat(QImage::Format_ARGB32),
             options.out_dir + "/logo@2x.png");
  } else if (has_logo) {
    save_png(render_part(svg, "logo", options.scale).convertToFormat(QImage::Format_ARGB32),
             options.out_dir + "/logo.png");
    save_png(render_part(svg, "logo", options.scale * 2).convertToFormat(QImage::Format_ARGB32),
             options.out_dir + "/logo@2x.png");
  }
}

}  // namespace hero::assetgen
