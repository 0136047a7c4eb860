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
// names: a missing or doubled one is an error, an unknown one a warning,
// each at its line of the drawing. A drawing may not reach outside itself:
// a link to anything but its own parts (#id), or an entity, is an error;
// only a regular file of at most 16 MiB is read.
std::vector<Finding> check_drawing(const QString& drawing);

// Checks the drawing (and the backdrop and logo drawings), and the game
// area it makes at the scale against the handheld's limits; then, when
// there is no error, writes the skin into a new folder beside the target
// and moves it into place, so that a failed build leaves the target as it
// was. Throws std::runtime_error when rendering or the move fails.
std::vector<Finding> build_skin(const BuildRequest& request);

}  // namespace hero::skinkit
