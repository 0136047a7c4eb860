// hero-skin: the skin authors' kit.
//   hero-skin check DIR
//   hero-skin preview DIR [--mode M] [--layout L] [--zoom P] [--shadows] [--sheet] -o FILE.png
//   hero-skin build DRAWING.svg -o DIR [--scale S] [--backdrop SVG] [--logo SVG] [--title T]
#include <QGuiApplication>
#include <QStringList>

#include <cstdio>
#include <exception>
#include <string>

#include "tools/skin/skin_build.h"
#include "tools/skin/skin_check.h"
#include "tools/skin/skin_preview.h"

namespace {

constexpr const char* kUsage =
    "usage: hero-skin check DIR\n"
    "       hero-skin preview DIR [--mode all-lit|clock|game-a|game-over] [--layout windowed|fullscreen]\n"
    "                            [--zoom PERCENT] [--shadows] [--sheet] -o FILE.png\n"
    "       hero-skin build DRAWING.svg -o DIR [--scale S] [--backdrop SVG] [--logo SVG] [--title TEXT]\n"
    "\n"
    "check    loads a skin folder (or every skin of an installation's catalogue) as the\n"
    "         handheld does and prints each problem as FILE:LINE: error|warning: message;\n"
    "         exit 0 without errors, 1 with errors, 2 on a usage error.\n"
    "preview  draws the composed handheld (or, with --sheet, all 81 elements) into a PNG.\n"
    "build    turns one drawing into a complete skin folder.\n";

int usage(const std::string& problem) {
  if (!problem.empty()) std::fprintf(stderr, "hero-skin: %s\n", problem.c_str());
  std::fputs(kUsage, stderr);
  return 2;
}

// Prints the findings and a summary; 1 when any is an error.
int report(const std::vector<hero::skinkit::Finding>& findings) {
  int errors = 0, warnings = 0;
  for (const auto& f : findings) {
    std::printf("%s\n", hero::skinkit::format_finding(f).c_str());
    (f.level == hero::skinkit::Level::error ? errors : warnings) += 1;
  }
  std::printf("%d error%s, %d warning%s\n", errors, errors == 1 ? "" : "s", warnings,
              warnings == 1 ? "" : "s");
  return errors > 0 ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() < 2) return usage("");
  const QString command = args[1];
  if (command == "--help" || command == "-h" || command == "help") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  QStringList positional;
  QString out, mode = "all-lit", layout = "windowed", backdrop, logo, title;
  double zoom = 100, scale = 1.0;
  bool sheet = false, shadows = false;
  for (int i = 2; i < args.size(); ++i) {
    const QString a = args[i];
    auto value = [&](QString& into) {
      if (i + 1 >= args.size()) return false;
      into = args[++i];
      return true;
    };
    bool ok = true;
    if (a == "--help" || a == "-h") {
      // Every subcommand answers it: hero-skin preview --help.
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (a == "-o") ok = value(out);
    else if (a == "--mode") ok = value(mode);
    else if (a == "--layout") ok = value(layout);
    else if (a == "--backdrop") ok = value(backdrop);
    else if (a == "--logo") ok = value(logo);
    else if (a == "--title") ok = value(title);
    else if (a == "--sheet") sheet = true;
    else if (a == "--shadows") shadows = true;
    else if (a == "--zoom" || a == "--scale") {
      QString text;
      ok = value(text);
      bool number = false;
      const double v = text.toDouble(&number);
      if (!ok || !number || !(v > 0) || v > (a == "--zoom" ? 1600 : 16))
        return usage("'" + text.toStdString() + "' is not a valid " + a.mid(2).toStdString());
      (a == "--zoom" ? zoom : scale) = v;
    } else if (a.startsWith("-")) return usage("unknown option " + a.toStdString());
    else positional << a;
    if (!ok) return usage(a.toStdString() + " needs a value");
  }
  try {
    if (command == "check") {
      if (positional.size() != 1) return usage("check needs one folder");
      return report(hero::skinkit::check_folder(positional[0].toStdString()));
    }
    if (command == "preview") {
      if (positional.size() != 1 || out.isEmpty()) return usage("preview needs one folder and -o FILE.png");
      QImage image;
      if (sheet) {
        image = hero::skinkit::render_sheet(positional[0].toStdString());
      } else {
        hero::skinkit::PreviewRequest request;
        request.skin_dir = positional[0].toStdString();
        if (mode == "all-lit") request.mode = hero::skinkit::PreviewMode::all_lit;
        else if (mode == "clock") request.mode = hero::skinkit::PreviewMode::clock;
        else if (mode == "game-a") request.mode = hero::skinkit::PreviewMode::game_a;
        else if (mode == "game-over") request.mode = hero::skinkit::PreviewMode::game_over;
        else return usage("unknown mode " + mode.toStdString());
        if (layout != "windowed" && layout != "fullscreen")
          return usage("unknown layout " + layout.toStdString());
        request.fullscreen = layout == "fullscreen";
        request.zoom = zoom / 100.0;
        request.shadows = shadows;
        image = hero::skinkit::render_preview(request);
      }
      if (!image.save(out, "PNG")) {
        std::fprintf(stderr, "hero-skin: cannot write %s\n", out.toStdString().c_str());
        return 1;
      }
      return 0;
    }
    if (command == "build") {
      if (positional.size() != 1 || out.isEmpty()) return usage("build needs one drawing and -o DIR");
      hero::skinkit::BuildRequest request{positional[0], out, scale, backdrop, logo, title};
      const auto findings = hero::skinkit::build_skin(request);
      int errors = 0;
      for (const auto& f : findings) {
        std::fprintf(stderr, "%s\n", hero::skinkit::format_finding(f).c_str());
        errors += f.level == hero::skinkit::Level::error;
      }
      return errors > 0 ? 1 : 0;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "hero-skin: %s\n", e.what());
    return 1;
  }
  return usage("unknown command " + command.toStdString());
}
