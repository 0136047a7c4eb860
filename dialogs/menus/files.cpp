#include "dialogs/menus/files.h"

#include "display/files/path_resolver.h"

namespace hero {

std::optional<QString> existing_file(const QString& name) {
  const std::string text = name.toStdString();
  if (text.empty() || !file_exists(text)) return std::nullopt;
  return QString::fromStdString(resolve_path(text).string());
}

}  // namespace hero
