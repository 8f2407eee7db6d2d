#include "language_folder.h"

#include "platform/folder_path.h"

#include <QDir>
#include <QFileInfo>

namespace kdx {

QString resolveSubFolder(const QString &parentFolder, const QString &name)
{
    const QDir parent(parentFolder);
    QString exactPath = pathInFolder(parentFolder, name);
    if (QFileInfo(exactPath).isDir())
        return exactPath;

    QStringList sameNameIgnoringCase;
    for (const QString &entry : parent.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            sameNameIgnoringCase.append(entry);
    }
    // With several candidates none is more right than another.
    if (sameNameIgnoringCase.size() != 1)
        return exactPath;
    return pathInFolder(parentFolder, sameNameIgnoringCase.constFirst());
}

QStringList fileNamesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
}

} // namespace kdx
