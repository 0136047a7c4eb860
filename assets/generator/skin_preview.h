// Composes a generated skin as the window would show it with every segment
// lit (mode_all_lit: the panel reads 12:00), for looking at a skin by eye.
#pragma once

#include <QImage>
#include <QString>

namespace hero::assetgen {

// Reads <skin_dir>/Config.ini and its pictures. Throws std::runtime_error on
// a missing file or picture.
QImage compose_skin(const QString& skin_dir, bool all_lit);

}  // namespace hero::assetgen
