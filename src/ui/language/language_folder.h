#pragma once

#include <QString>
#include <QStringList>

namespace kdx {

// The path of the sub-folder `name` of `parentFolder`. When no folder of exactly
// that name exists, the single sub-folder whose name differs from it only in
// upper and lower case stands in for it, so that "chat" finds "Chat" on a file
// system that tells the two apart. Without such a single folder the exact path
// is returned, whether it exists or not.
QString resolveSubFolder(const QString &parentFolder, const QString &name);

// The names, without folder, of the plain files of the folder: no sub-folders,
// no hidden files, sorted by name ignoring case. Empty for a missing folder.
QStringList fileNamesIn(const QString &folder);

} // namespace kdx
