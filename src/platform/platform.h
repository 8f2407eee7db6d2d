#pragma once

#include "config/message.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <variant>

class QWidget;

namespace kdx {

// Why a file operation failed, in words for the user.
struct FileError {
    QString reason;
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

    // A modal input box; the typed text, or the empty text on Cancel.
    virtual QString inputBox(const QString &prompt, const QString &title, const QString &defaultAnswer) = 0;

    // The folder that holds the program, with the platform's separators and
    // without a trailing one.
    virtual QString applicationFolder() const = 0;

    virtual void giveFocus(QWidget *widget) = 0;

    virtual std::variant<QByteArray, FileError> readFile(const QString &path) = 0;

    // Replaces the file's content as a whole: afterwards the file holds either
    // the new bytes or, on failure, exactly what it held before.
    virtual std::optional<FileError> writeFileAtomically(const QString &path, const QByteArray &bytes) = 0;

    // Starts a batch file with one argument and does not wait for it. The
    // argument reaches the batch file as exactly one argument, whatever it holds.
    virtual std::optional<FileError> startBatchFile(const QString &batchFile, const QString &argument) = 0;

    // Ends the program at once, without saving.
    virtual void endProgram() = 0;
};

} // namespace kdx
