#pragma once

#include "config/message.h"
#include "files/file_access.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

class QWidget;

namespace kdx {

// Why a file operation failed, in words for the user.
struct FileError {
    QString reason;
    bool missing = false;          // nothing exists at the path
    bool changedSinceRead = false; // a write refused: the file no longer holds what was read; with missing
    bool unreadableNow = false;    // it is gone, with this it cannot be read now
};

// The services of the desktop that block, reach outside the program or end it.
// The windows use nothing else of the system, so a test can script every box
// and inject every failure.
class Platform {
public:
    virtual ~Platform() = default;

    // A modal box with one OK button. Lines of the text may be separated by a lone
    // carriage return. An empty title stands for the program's name.
    virtual void showMessage(const QString &title, const QString &text, MessageIcon icon) = 0;

    // A modal box with the buttons Yes and No; true for Yes. An empty title
    // stands for the program's name.
    virtual bool askYesNo(const QString &title, const QString &text) = 0;

    // A modal input box; the typed text, or the empty text on Cancel.
    virtual QString inputBox(const QString &prompt, const QString &title, const QString &defaultAnswer) = 0;

    // The folder that holds the program, with the platform's separators and
    // without a trailing one.
    virtual QString applicationFolder() const = 0;

    virtual void giveFocus(QWidget *widget) = 0;

    virtual std::variant<QByteArray, FileError> readFile(const QString &path) = 0;

    // The names of the plain files directly in the folder: no sub-folders, no
    // hidden files, sorted ignoring case. Empty for a missing folder.
    virtual QStringList fileNamesIn(const QString &folder) = 0;

    // The names of the folders directly in the folder, hidden ones included.
    virtual QStringList folderNamesIn(const QString &folder) = 0;

    // The path of the sub-folder `name` of `parent`: the folder of exactly that
    // name or, where there is none, the single one whose name differs only in
    // upper and lower case, so that "chat" finds "Chat" on a file system that
    // tells them apart. None when neither exists or several differ only so.
    std::optional<QString> findFolder(const QString &parent, const QString &name);

    // True when both paths stand for one file: the same file where both exist
    // (a link, another case of the name on a folder that ignores case), the same
    // name by the system's rules where not.
    virtual bool sameFile(const QString &a, const QString &b) = 0;

    // Replaces the file's content as a whole: afterwards the file holds either
    // the new bytes or, on failure, exactly what it held before. Given what the
    // file held when it was read (none: no file), refuses (changedSinceRead)
    // where it holds anything else just before the replacement.
    virtual std::optional<FileError> writeFileAtomically(const QString &path, const QByteArray &bytes,
                                                         const files::ContentAsRead *asRead = nullptr) = 0;

    // Starts a batch file with one argument and does not wait for it. The
    // argument reaches the batch file as exactly one argument, whatever it holds.
    virtual std::optional<FileError> startBatchFile(const QString &batchFile, const QString &argument) = 0;

    // Ends the program at once, without saving.
    virtual void endProgram() = 0;
};

} // namespace kdx
