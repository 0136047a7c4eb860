#include "assets/generator/skin_preview.h"

#include <map>
#include <stdexcept>

#include <QFile>
#include <QPainter>
#include <QTextStream>

#include "display/lcd/element_ids.h"

namespace hero::assetgen {
namespace {

using Section = std::map<QString, QString>;

std::runtime_error failure(const QString& text) { return std::runtime_error(text.toStdString()); }

// Just enough of the INI rules for the files this generator writes itself.
std::map<QString, Section> read_ini(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) throw failure("cannot read " + path);
  std::map<QString, Section> sections;
  QString current;
  QTextStream in(&file);
  while (!in.atEnd()) {
    const QString line = in.readLine().trimmed();
    if (line.isEmpty() || line.startsWith(';')) continue;
    if (line.startsWith('[') && line.endsWith(']')) {
      current = line.mid(1, line.size() - 2).trimmed().toLower();
      continue;
    }
    const qsizetype eq = line.indexOf('=');
    if (eq > 0) sections[current].emplace(line.left(eq).trimmed().toLower(), line.mid(eq + 1).trimmed());
  }
  return sections;
}

struct Placed {
  QImage picture;
  QRect place;
};

}  // namespace

QImage compose_skin(const QString& skin_dir, bool all_lit) {
  auto ini = read_ini(skin_dir + "/Config.ini");
  const int width = ini["common"]["gamewidth"].toInt();
  const int height = ini["common"]["gameheight"].toInt();
  if (width <= 0 || height <= 0) throw failure("no game size in " + skin_dir);
  std::map<int, Placed> by_element;
  for (int n = 1; n <= kSkinImageCount; ++n) {
    Section& s = ini["image" + QString::number(n)];
    Placed p;
    p.place = QRect(s["left"].toInt(), s["top"].toInt(), s["width"].toInt(), s["height"].toInt());
    const QString file = s["filename"];
    if (!file.isEmpty() && file != "nil") {
      p.picture = QImage(skin_dir + "/" + file);
      if (p.picture.isNull()) throw failure("cannot read picture " + file);
    }
    by_element[index_of(skin_image(n))] = p;
  }
  QImage frame(width, height, QImage::Format_ARGB32_Premultiplied);
  frame.fill(QColor(255, 0, 255));
  QPainter painter(&frame);
  const auto glyph = [&](int d) { return by_element[index_of(ElementId::im_panel_number_0) + d].picture; };
  for (auto& [index, p] : by_element) {
    const auto id = static_cast<ElementId>(index);
    if (p.place.isEmpty()) continue;
    QImage picture = p.picture;
    if (id >= ElementId::im_panel_number_0 && id <= ElementId::im_panel_number_9) continue;
    if (id == ElementId::im_panel_digit_1) picture = glyph(1);
    if (id == ElementId::im_panel_digit_2) picture = glyph(2);
    if (id == ElementId::im_panel_digit_3 || id == ElementId::im_panel_digit_4) picture = glyph(0);
    if (is_segment(id) && !all_lit) continue;
    // The lit picture shows the buttons released, the dark one all pressed.
    const auto name = element_name(id);
    if (name.size() > 5 && name.substr(name.size() - 5) == "_down" && all_lit) continue;
    if (id == ElementId::im_panel_time_pm) continue;  // the all-lit picture shows AM only
    if (picture.isNull()) continue;
    painter.drawImage(p.place, picture);
  }
  return frame;
}

}  // namespace hero::assetgen
