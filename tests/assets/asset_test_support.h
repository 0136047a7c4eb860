// Shared helpers of the asset tests: where the installation and the sources
// are, a GUI application for fonts and SVG, and the skins' INI files.
#pragma once

#include <QImage>
#include <QRect>
#include <QString>

#include <filesystem>
#include <ostream>
#include <string>

#include "display/files/ini_file.h"
#include "display/lcd/element_ids.h"

namespace hero::test {

// Creates the one QGuiApplication the tests need (fonts, SVG rendering).
void ensure_gui();

std::filesystem::path install_dir();  // HERO_INSTALL_DIR
std::filesystem::path source_dir();   // HERO_SOURCE_DIR

struct SkinUnderTest {
  std::string folder;  // "Graphics/Skin1"
  double scale;        // against the drawing
};
// Names the skin in failure messages.
inline void PrintTo(const SkinUnderTest& skin, std::ostream* os) { *os << skin.folder; }
inline const SkinUnderTest kSkinsUnderTest[] = {{"Graphics/Skin1", 1.0}, {"Graphics/Skin2", 0.6}};

IniFile skin_ini(const SkinUnderTest& skin);
std::string section_of(ElementId id);  // "Image" + n
QRect geometry_of(const IniFile& ini, ElementId id);
// The picture an element's section names, or a null image for none ("nil").
QImage picture_of(const SkinUnderTest& skin, const IniFile& ini, ElementId id);
// The LCD's glass in the skin's pixels, from the handheld drawing.
QRect lcd_rect(double scale);
// Pixels of a picture with more than half coverage.
int solid_pixels(const QImage& image);

}  // namespace hero::test
