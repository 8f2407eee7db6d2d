#include "platform.h"

#include "folder_path.h"

namespace kdx {

std::optional<QString> Platform::findFolder(const QString &parent, const QString &name)
{
    const QStringList folders = folderNamesIn(parent);
    if (folders.contains(name))
        return pathInFolder(parent, name);
    QStringList sameNameIgnoringCase;
    for (const QString &folder : folders) {
        if (folder.compare(name, Qt::CaseInsensitive) == 0)
            sameNameIgnoringCase.append(folder);
    }
    // With several candidates none is more right than another.
    if (sameNameIgnoringCase.size() != 1)
        return std::nullopt;
    return pathInFolder(parent, sameNameIgnoringCase.constFirst());
}

} // namespace kdx
