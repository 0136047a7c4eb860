#include "tools/skin/skin_build.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <cmath>
#include <set>
#include <stdexcept>
#include <utility>

#include "assets/generator/skin_renderer.h"
#include "display/files/printable.h"
#include "display/lcd/element_ids.h"
#include "display/skins/gfxinit.h"
#include "display/skins/picture_loader.h"
#include "display/skins/vector_picture.h"

namespace hero::skinkit {
namespace {

// The largest drawing read: a handheld drawn by hand is a few hundred KB.
constexpr qint64 kMaxDrawingBytes = 16 * 1024 * 1024;

// Opens a drawing that is a regular file of a sane size; a folder, pipe or
// device would block the reading or never end. Empty when it is not.
std::string open_drawing(QFile& file) {
  const QFileInfo info(file.fileName());
  if (!info.exists()) return "cannot read the drawing: there is no such file";
  if (info.isDir()) return "the drawing is a folder, not an SVG file";
  if (!info.isFile()) return "the drawing is not a regular file (a device, pipe or socket is not read)";
  if (info.size() > kMaxDrawingBytes)
    return "the drawing is larger than " + std::to_string(kMaxDrawingBytes / (1024 * 1024)) + " MiB";
  if (!file.open(QIODevice::ReadOnly)) return "cannot read the drawing: " + file.errorString().toStdString();
  return {};
}

enum class DrawingKind { handheld, part };

std::vector<Finding> scan_drawing(const QString& drawing, DrawingKind kind) {
  std::vector<Finding> findings;
  const std::string shown = drawing.toStdString();
  QFile file(drawing);
  if (const std::string why = open_drawing(file); !why.empty()) {
    findings.push_back({shown, 0, Level::error, why});
    return findings;
  }
  QXmlStreamReader xml(&file);
  int root_line = 0;
  // Open elements: whether each is (inside) a skin element, or <defs>.
  struct Open {
    bool in_element_or_defs;
  };
  std::vector<Open> open;
  std::set<std::string> found;
  std::vector<std::pair<std::string, int>> strays;  // ids in no element: (id, line)
  auto is_known = [](const std::string& id) {
    const auto element = element_by_name(id);
    return (element && skin_image_number(*element) != 0) || id == "backdrop" || id == "logo";
  };
  while (!xml.atEnd()) {
    const auto token = xml.readNext();
    const int line = static_cast<int>(xml.lineNumber());
    if (token == QXmlStreamReader::DTD && !xml.entityDeclarations().isEmpty()) {
      findings.push_back({shown, line, Level::error, "the drawing declares entities; a drawing may not"});
      return findings;
    }
    if (token == QXmlStreamReader::StartElement) {
      if (open.empty()) root_line = line;
      // A drawing may not reach outside itself: no picture, style or part of
      // another file, nor data it carries in a link.
      for (const QXmlStreamAttribute& attribute : xml.attributes()) {
        if (attribute.name() != QLatin1String("href")) continue;
        if (!is_inner_reference(attribute.value()))
          findings.push_back(
              {shown, line, Level::error,
               "<" + xml.name().toString().toStdString() + "> refers to \"" +
                   printable(attribute.value().toString().toStdString()) +
                   "\" outside the drawing; only references to its own parts (#id) are allowed"});
      }
      const std::string id = xml.attributes().value("id").toString().toStdString();
      const bool inside = !open.empty() && open.back().in_element_or_defs;
      const bool known = !inside && is_known(id);
      if (known && !found.insert(id).second)
        findings.push_back({shown, line, Level::error,
                            "a second element with id \"" + id + "\"; each skin element is drawn once"});
      // Shared parts live in <defs>; ids inside an element are its own business.
      if (!inside && !known && !id.empty() && open.size() > 0)
        strays.emplace_back(id, static_cast<int>(xml.lineNumber()));
      open.push_back({inside || known || xml.name() == QLatin1String("defs")});
    } else if (token == QXmlStreamReader::EndElement && !open.empty()) {
      open.pop_back();
    }
  }
  if (xml.hasError()) {
    findings.push_back({shown, static_cast<int>(xml.lineNumber()), Level::error,
                        "not a readable SVG: " + xml.errorString().toStdString()});
    return findings;
  }
  // A backdrop or logo drawing is a picture of its own, with no elements.
  if (kind == DrawingKind::part) return findings;
  for (int n = 1; n <= kSkinImageCount; ++n) {
    const std::string name(element_name(skin_image(n)));
    if (!found.count(name))
      findings.push_back({shown, root_line, Level::error,
                          "no element with id \"" + name + "\" (skin image " + std::to_string(n) + ")"});
  }
  for (const auto& [id, line] : strays)
    findings.push_back({shown, line, Level::warning,
                        "unknown id \"" + id + "\": not a skin element, backdrop or logo; it is left out"});
  return findings;
}

}  // namespace

std::vector<Finding> check_drawing(const QString& drawing) {
  return scan_drawing(drawing, DrawingKind::handheld);
}

namespace {

bool has_error(const std::vector<Finding>& findings) {
  for (const Finding& f : findings)
    if (f.level == Level::error) return true;
  return false;
}

// One line of text for the skin's Config.ini: control characters (a newline
// would start a line of its own) become spaces.
QString one_line(const QString& text) {
  QString line = text;
  for (QChar& c : line)
    if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
      c = u' ';
  return line;
}

// The game area the drawing makes at `scale`, checked against what the
// handheld loads: each side within 1..kMaxGameSide, and the pictures with
// their @2x twins (five times the area at most) within a skin's budget.
std::string size_problem(const QSvgRenderer& svg, double scale) {
  const QSize page = svg.defaultSize();
  const double width = page.width() * scale;
  const double height = page.height() * scale;
  const auto side_ok = [](double side) {
    return std::isfinite(side) && side >= 0.5 && side < kMaxGameSide + 0.5;
  };
  if (!side_ok(width) || !side_ok(height))
    return "the drawing (" + std::to_string(page.width()) + " x " + std::to_string(page.height()) +
           ") at scale " + std::to_string(scale) +
           " makes a game area the handheld refuses: each side must be from 1 to " +
           std::to_string(kMaxGameSide) + " pixels";
  if (std::lround(width) * std::lround(height) * 5 > kMaxSkinPixels)
    return "the drawing at scale " + std::to_string(scale) +
           " makes pictures too large for a skin (its pictures and their @2x twins may hold " +
           std::to_string(kMaxSkinPixels / 1'000'000) + " million pixels)";
  return {};
}

}  // namespace

std::vector<Finding> build_skin(const BuildRequest& request) {
  std::vector<Finding> findings = check_drawing(request.drawing);
  for (const QString& other : {request.backdrop_svg, request.logo_svg}) {
    if (other.isEmpty()) continue;
    const auto more = scan_drawing(other, DrawingKind::part);
    findings.insert(findings.end(), more.begin(), more.end());
  }
  if (has_error(findings)) return findings;
  {
    const QSvgRenderer svg(request.drawing);
    if (!svg.isValid()) {
      findings.push_back({request.drawing.toStdString(), 0, Level::error, "not a readable SVG"});
      return findings;
    }
    if (const std::string why = size_problem(svg, request.scale); !why.empty()) {
      findings.push_back({request.drawing.toStdString(), 0, Level::error, why});
      return findings;
    }
  }

  // The skin is made in a new folder beside the target and moved into place
  // only when every picture and the configuration are written: a failed
  // build leaves the target as it was.
  const QFileInfo target(request.out_dir);
  const QString parent = target.absolutePath();
  if (!QDir().mkpath(parent)) throw std::runtime_error("cannot make the folder " + parent.toStdString());
  QTemporaryDir building(parent + "/." + target.fileName() + ".building-XXXXXX");
  if (!building.isValid())
    throw std::runtime_error("cannot make a folder to build in beside " + request.out_dir.toStdString() +
                             ": " + building.errorString().toStdString());
  assetgen::SkinOptions options;
  options.svg_path = request.drawing;
  options.backdrop_svg = request.backdrop_svg;
  options.logo_svg = request.logo_svg;
  options.out_dir = building.path();
  options.scale = request.scale;
  options.title =
      one_line(request.title.isEmpty() ? QString("Skin made from %1").arg(request.drawing) : request.title);
  assetgen::render_skin(options);
  QFile::setPermissions(building.path(), QFile::permissions(building.path()) | QFileDevice::ReadGroup |
                                             QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                             QFileDevice::ExeOther);

  // The new skin takes the target's place; an old folder there is set
  // aside first and removed once the new one stands (or put back).
  const QString final_path = target.absoluteFilePath();
  QString set_aside;
  if (target.exists() || target.isSymLink()) {
    QTemporaryDir aside_name(parent + "/." + target.fileName() + ".old-XXXXXX");
    set_aside = aside_name.path();
    aside_name.remove();
    if (!QDir().rename(final_path, set_aside))
      throw std::runtime_error("cannot replace " + final_path.toStdString() + ": it cannot be moved aside");
  }
  if (!QDir().rename(building.path(), final_path)) {
    if (!set_aside.isEmpty()) QDir().rename(set_aside, final_path);
    throw std::runtime_error("cannot move the built skin to " + final_path.toStdString());
  }
  building.setAutoRemove(false);
  if (!set_aside.isEmpty()) {
    const QFileInfo old(set_aside);
    if (old.isSymLink() || !old.isDir()) QFile::remove(set_aside);
    else QDir(set_aside).removeRecursively();
  }
  return findings;
}

}  // namespace hero::skinkit
