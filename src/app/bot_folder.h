#pragma once

#include "config/code_page.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <variant>

class QCommandLineParser;

namespace kdx {

// Where the program stands when it starts.
struct StartPlace {
    QString programFolder;
    QString currentFolder;
    // The program lies in a folder of programs (the Debian package's), which is
    // never a bot's folder and which the user cannot write to.
    bool installedSystemWide = false;
};

// The folder whose KDX.cfg, language files and batch files the window works on:
// absolute, with the platform's separators, without a trailing one.
struct BotFolder {
    QString path;
};

// Why the program has no folder to work on, in words for the user; empty when
// the user cancelled the choice of a folder.
struct NoBotFolder {
    QString message;
};

// Asks the user for a bot's folder, starting at the given one; the empty text on Cancel.
using FolderQuestion = std::function<QString(const QString &startFolder)>;

// The options and the one positional argument, for --help and the man page.
void describeCommandLine(QCommandLineParser &parser);

// The code pages that --code-page chooses, the system's without it; for a name
// that the system does not know, the message for the user.
std::variant<FileCodePages, QString> codePagesOfCommandLine(const QCommandLineParser &parser);

// The bot folder for the positional arguments: a folder, or a file named KDX.cfg
// for the folder that holds it; a relative path counts from the current folder.
// Without an argument: the program's own folder; installed system-wide, the
// current folder if it holds a KDX.cfg, otherwise the folder the user chooses.
// A path that does not exist, another file or more than one argument: a message.
std::variant<BotFolder, NoBotFolder> findBotFolder(const QStringList &arguments, const StartPlace &place,
                                                   const FolderQuestion &askForFolder);

// The running program's place; a QApplication must exist.
StartPlace currentStartPlace();

// A modal folder dialog.
QString askForBotFolder(const QString &startFolder);

} // namespace kdx
