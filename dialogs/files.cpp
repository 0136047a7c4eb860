#include "dialogs/files.h"

#include <QPainter>

#include "display/path_resolver.h"

namespace hero {

std::optional<QString> existing_file(const QString& name) {
  const std::string text = name.toStdString();
  if (text.empty() || !file_exists(text)) return std::nullopt;
  return QString::fromStdString(resolve_path(text).string());
}

QPixmap missing_picture_marker() {
  QImage marker(10, 10, QImage::Format_RGB32);
  marker.fill(QColor(255, 0, 0));
  QPainter painter(&marker);
  painter.setPen(Qt::black);
  painter.drawRect(0, 0, 9, 9);
  painter.end();
  return QPixmap::fromImage(marker);
}

}  // namespace hero
