#pragma once

#include <QString>

namespace kdx {

// A file or folder directly inside a folder, with the platform's separators.
QString pathInFolder(const QString &folder, const QString &name);

} // namespace kdx
