#include "tests/assets/asset_test_support.h"

#include <cstdlib>

#include <QSvgRenderer>

#include "assets/generator/image_io.h"
#include "assets/generator/skin_renderer.h"
#include "tests/support/qt_app.h"

namespace hero::test {

void ensure_gui() {
  static const bool fonts = [] {
    qt_app();
    assetgen::load_fixed_fonts();
    return true;
  }();
  (void)fonts;
}

static std::filesystem::path from_env(const char* name, const char* built_in) {
  const char* value = std::getenv(name);
  return value && *value ? value : built_in;
}

std::filesystem::path install_dir() { return from_env("HERO_INSTALL_DIR", HERO_TEST_INSTALL_DIR); }
std::filesystem::path source_dir() { return from_env("HERO_SOURCE_DIR", HERO_TEST_SOURCE_DIR); }

IniFile skin_ini(const SkinUnderTest& skin) {
  return IniFile::load(install_dir() / skin.folder / "Config.ini");
}

std::string section_of(ElementId id) { return "Image" + std::to_string(skin_image_number(id)); }

QRect geometry_of(const IniFile& ini, ElementId id) {
  const std::string s = section_of(id);
  return QRect(ini.read_integer(s, "Left", 0), ini.read_integer(s, "Top", 0), ini.read_integer(s, "Width", 0),
               ini.read_integer(s, "Height", 0));
}

QImage picture_of(const SkinUnderTest& skin, const IniFile& ini, ElementId id) {
  const std::string file = ini.read_string(section_of(id), "Filename", "");
  if (file.empty() || file == "nil") return {};
  return QImage(QString::fromStdString((install_dir() / skin.folder / file).string()));
}

QRect lcd_rect(double scale) {
  ensure_gui();
  QSvgRenderer svg(QString::fromStdString((source_dir() / "assets/skin/handheld.svg").string()));
  return assetgen::element_rect(svg, "lcd_screen", scale);
}

int solid_pixels(const QImage& image) {
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  int count = 0;
  for (int y = 0; y < argb.height(); ++y)
    for (int x = 0; x < argb.width(); ++x)
      if (qAlpha(argb.pixel(x, y)) > 128) ++count;
  return count;
}

}  // namespace hero::test
