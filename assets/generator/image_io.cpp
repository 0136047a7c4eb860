#include "assets/generator/image_io.h"

#include <array>
#include <stdexcept>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QImageWriter>

namespace hero::assetgen {
namespace {

std::runtime_error failure(const QString& text) { return std::runtime_error(text.toStdString()); }

void save_with(const QImage& image, const QString& path, const char* format, int quality) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QImage clean = image;
  for (const QString& key : clean.textKeys()) clean.setText(key, QString());
  QImageWriter writer(path, format);
  if (quality >= 0) writer.setQuality(quality);
  if (!writer.write(clean)) throw failure("cannot write " + path + ": " + writer.errorString());
}

}  // namespace

void save_png(const QImage& image, const QString& path) { save_with(image, path, "png", -1); }

void save_bmp24(const QImage& image, const QString& path) {
  // Qt writes a 24-bit bitmap for an image without alpha.
  save_with(image.convertToFormat(QImage::Format_RGB32), path, "bmp", -1);
}

void save_jpeg(const QImage& image, const QString& path, int quality) {
  save_with(image.convertToFormat(QImage::Format_RGB32), path, "jpeg", quality);
}

void write_text_file(const QString& path, const QString& text) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) throw failure("cannot write " + path);
  const QByteArray bytes = text.toUtf8();
  if (file.write(bytes) != bytes.size()) throw failure("cannot write " + path);
}

void load_fixed_fonts() {
  static const std::array<const char*, 6> kFonts = {
      "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
      "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
      "/usr/share/fonts/truetype/dejavu/DejaVuSans-Oblique.ttf",
      "/usr/share/fonts/truetype/dejavu/DejaVuSans-BoldOblique.ttf",
      "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf",
      "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf",
  };
  for (const char* font : kFonts)
    if (QFontDatabase::addApplicationFont(QString::fromLatin1(font)) < 0)
      throw failure(QString("font missing: ") + font + " (install fonts-dejavu-core)");
}

}  // namespace hero::assetgen
