// hero-assetgen: makes the installation's data and the built-in art from the
// sources under assets/.
//   hero-assetgen install <assets dir> <installation dir>
//   hero-assetgen builtin <assets dir> <output dir>
//   hero-assetgen preview <skin dir> <picture.png> [dark]
#include <cstdio>
#include <exception>

#include <QGuiApplication>
#include <QString>

#include "assets/generator/art_painter.h"
#include "assets/generator/image_io.h"
#include "assets/generator/installation.h"
#include "assets/generator/skin_preview.h"

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments();
  try {
    hero::assetgen::load_fixed_fonts();
    if (args.size() == 4 && args[1] == "install") {
      hero::assetgen::make_installation(args[2], args[3]);
      return 0;
    }
    if (args.size() == 4 && args[1] == "builtin") {
      hero::assetgen::make_builtin_art(args[2], args[3]);
      return 0;
    }
    if ((args.size() == 4 || (args.size() == 5 && args[4] == "dark")) && args[1] == "preview") {
      const bool lit = args.size() == 4;
      hero::assetgen::save_png(hero::assetgen::compose_skin(args[2], lit), args[3]);
      return 0;
    }
    std::fprintf(stderr,
                 "usage: hero-assetgen install <assets dir> <installation dir>\n"
                 "       hero-assetgen builtin <assets dir> <output dir>\n"
                 "       hero-assetgen preview <skin dir> <picture.png> [dark]\n");
    return 2;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "hero-assetgen: %s\n", e.what());
    return 1;
  }
}
