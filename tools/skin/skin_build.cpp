#include "tools/skin/skin_build.h"

#include <QFile>
#include <QXmlStreamReader>

#include <set>
#include <utility>

#include "assets/generator/skin_renderer.h"
#include "display/lcd/element_ids.h"

namespace hero::skinkit {

std::vector<Finding> check_drawing(const QString& drawing) {
  std::vector<Finding> findings;
  const std::string shown = drawing.toStdString();
  QFile file(drawing);
  if (!file.open(QIODevice::ReadOnly)) {
    findings.push_back({shown, 0, Level::error, "cannot read the drawing"});
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
    if (token == QXmlStreamReader::StartElement) {
      if (open.empty()) root_line = static_cast<int>(xml.lineNumber());
      const std::string id = xml.attributes().value("id").toString().toStdString();
      const bool inside = !open.empty() && open.back().in_element_or_defs;
      const bool known = !inside && is_known(id);
      if (known) found.insert(id);
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

std::vector<Finding> build_skin(const BuildRequest& request) {
  std::vector<Finding> findings = check_drawing(request.drawing);
  for (const Finding& f : findings)
    if (f.level == Level::error) return findings;
  assetgen::SkinOptions options;
  options.svg_path = request.drawing;
  options.backdrop_svg = request.backdrop_svg;
  options.logo_svg = request.logo_svg;
  options.out_dir = request.out_dir;
  options.scale = request.scale;
  options.title = request.title.isEmpty() ? QString("Skin made from %1").arg(request.drawing) : request.title;
  assetgen::render_skin(options);
  return findings;
}

}  // namespace hero::skinkit
