#include "qt_platform.h"

#include "cmd_command_line.h"

#include "files/file_access.h"
#include "files/file_identity.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QWidget>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

namespace kdx {

QString displayLines(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    // A box cannot lay out a line of millions of characters in useful time, and
    // nobody reads it: a long line shows its start.
    constexpr qsizetype longestLine = 1000;
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines) {
        if (line.size() > longestLine)
            line = line.left(longestLine) + QChar(0x2026);
    }
    return lines.join(QLatin1Char('\n'));
}

QtPlatform::QtPlatform() : QtPlatform(QApplication::applicationDirPath()) {}

QtPlatform::QtPlatform(const QString &applicationFolder) : applicationFolder_(QDir::toNativeSeparators(applicationFolder)) {}

void QtPlatform::showMessage(const QString &title, const QString &text, MessageIcon icon)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title.isEmpty() ? QApplication::applicationName() : title);
    box.setTextFormat(Qt::PlainText); // file contents must never be read as markup
    box.setText(displayLines(text));
    box.setIcon(icon == MessageIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

bool QtPlatform::askYesNo(const QString &title, const QString &text)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title.isEmpty() ? QApplication::applicationName() : title);
    box.setTextFormat(Qt::PlainText);
    box.setText(displayLines(text));
    box.setIcon(QMessageBox::Question);
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::No); // a hasty Enter writes nothing
    return box.exec() == QMessageBox::Yes;
}

QString QtPlatform::inputBox(const QString &prompt, const QString &title, const QString &defaultAnswer)
{
    bool confirmed = false;
    const QString answer = QInputDialog::getText(QApplication::activeWindow(), title, displayLines(prompt), QLineEdit::Normal,
                                                 defaultAnswer, &confirmed);
    return confirmed ? answer : QString();
}

QString QtPlatform::applicationFolder() const
{
    return applicationFolder_;
}

void QtPlatform::giveFocus(QWidget *widget)
{
    widget->setFocus(Qt::OtherFocusReason);
}

std::variant<QByteArray, FileError> QtPlatform::readFile(const QString &path)
{
    // kdxcfg's reader, so that both front ends name a failure in the same words.
    const auto read = files::readWhole(files::pathFromUtf8(path.toStdString()));
    if (const auto *failure = std::get_if<files::Failure>(&read))
        return FileError{QString::fromStdString(failure->reason), failure->missing};
    const std::string &bytes = std::get<std::string>(read);
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QStringList QtPlatform::fileNamesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
}

QStringList QtPlatform::folderNamesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
}

bool QtPlatform::sameFile(const QString &a, const QString &b)
{
    return files::sameFile(files::pathFromUtf8(a.toStdString()), files::pathFromUtf8(b.toStdString()));
}

std::optional<FileError> QtPlatform::writeFileAtomically(const QString &path, const QByteArray &bytes,
                                                         const files::ContentAsRead *asRead)
{
    const auto failure =
        files::writeAtomically(files::pathFromUtf8(path.toStdString()),
                               std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), asRead);
    if (!failure)
        return std::nullopt;
    return FileError{QString::fromStdString(failure->reason), failure->missing, failure->changedSinceRead,
                     failure->unreadableNow};
}

std::optional<FileError> QtPlatform::startBatchFile(const QString &batchFile, const QString &argument)
{
    const QFileInfo info(batchFile);
    if (!info.isFile())
        return FileError{QApplication::translate("Platform", "The file does not exist.")};

    QProcess process;
    process.setWorkingDirectory(info.absolutePath());
#ifdef Q_OS_WIN
    const auto arguments = cmdArgumentsForBatchFile(batchFile, argument);
    if (const auto *refused = std::get_if<RefusedArgument>(&arguments))
        return FileError{refused->reason};
    // The system's command processor, never a cmd.exe that lies in the bot's folder.
    const QString commandProcessor = qEnvironmentVariable("ComSpec");
    process.setProgram(commandProcessor.isEmpty() ? QStringLiteral("cmd.exe") : commandProcessor);
    process.setNativeArguments(std::get<QString>(arguments));
    // Its own console window, even when the program was started from one,
    // opens minimized and active, out of the window's way; the command line
    // stays the one built above.
    process.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments *created) {
        created->flags |= CREATE_NEW_CONSOLE;
        created->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
        created->startupInfo->wShowWindow = SW_SHOWMINIMIZED;
    });
#else
    // The argument goes to the process as one argv entry; no shell parses it.
    if (info.isExecutable()) {
        process.setProgram(batchFile);
        process.setArguments({argument});
    } else {
        process.setProgram(QStringLiteral("/bin/sh"));
        process.setArguments({batchFile, argument});
    }
#endif
    if (!process.startDetached())
        return FileError{process.errorString()};
    return std::nullopt;
}

void QtPlatform::endProgram()
{
    QCoreApplication::exit(0);
}

} // namespace kdx
