// Files the dialogs open by the names the catalogue and the menu give them.
#pragma once

#include <optional>

#include <QString>

namespace hero {

// The file a name from the catalogue means: "\" separates folders, a relative
// name is taken from the current folder, and on a case-sensitive file system
// each part of the name is matched without regard to case, as Windows
// would. Nothing when no such file exists.
std::optional<QString> existing_file(const QString& name);

}  // namespace hero
