// Renders a skin folder from the handheld drawing: one picture per skin
// element and the skin's own Config.ini that places them.
#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

class QSvgRenderer;

namespace hero::assetgen {

struct SkinOptions {
  QString svg_path;      // the handheld drawing (assets/skin/handheld.svg)
  QString backdrop_svg;  // full-screen backdrop drawing
  QString logo_svg;      // full-screen logo drawing
  QString out_dir;       // skin folder to write (Graphics/SkinN)
  double scale = 1.0;    // 1.0 for the large skin, 0.6 for the small one
  QString title;         // written as a comment into the skin's Config.ini
};

// Writes every picture and Config.ini; throws std::runtime_error with a
// message naming the element when the drawing lacks one.
void render_skin(const SkinOptions& options);

// Where an element of the drawing lands in the skin at `scale`, in pixels:
// its drawn bounds, or its "<id>_frame" rect when it has one.
QRect element_rect(QSvgRenderer& svg, const QString& id, double scale);

}  // namespace hero::assetgen
