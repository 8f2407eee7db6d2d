#include "folder_path.h"

#include <QDir>

namespace kdx {

QString pathInFolder(const QString &folder, const QString &name)
{
    return QDir::toNativeSeparators(folder + QLatin1Char('/') + name);
}

} // namespace kdx
