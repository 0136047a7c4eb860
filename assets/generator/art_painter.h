// The built-in art of the program's windows: splash screen, about box,
// manual viewer buttons, in-game menu picture and the application icon.
#pragma once

#include <QImage>
#include <QString>

namespace hero::assetgen {

// The in-game menu's 512 x 640 picture: rows 0..31 opaque black with the
// white three-bar icon at x 8..27 and the white title "Game menu" at
// x 36..124; every other pixel black at alpha 204 (80 %).
QImage draw_game_menu();

// Writes every built-in picture and builtin_art.qrc into out_dir. The box
// picture and the about portrait are drawn from the handheld drawing.
void make_builtin_art(const QString& assets_dir, const QString& out_dir);

}  // namespace hero::assetgen
