// hero-skin build: one drawing becomes a complete skin folder.
#pragma once

#include <QString>

#include <vector>

#include "tools/skin/skin_check.h"

namespace hero::skinkit {

struct BuildRequest {
  QString drawing;  // the SVG: one top-level element per skin element, id = its name
  QString out_dir;
  double scale = 1.0;    // skin pixels per drawing unit
  QString backdrop_svg;  // optional drawings of their own for the full screen
  QString logo_svg;
  QString title;  // first comment line of Config.ini
};

// Ids of the drawing's top-level elements checked against the element
// names: a missing one is an error, an unknown one a warning, each at its
// line of the drawing.
std::vector<Finding> check_drawing(const QString& drawing);

// Checks the drawing, then (when it has no errors) writes the skin. Throws
// std::runtime_error when rendering fails.
std::vector<Finding> build_skin(const BuildRequest& request);

}  // namespace hero::skinkit
