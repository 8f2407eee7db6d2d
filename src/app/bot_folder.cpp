#include "bot_folder.h"

#include "config/file_names.h"
#include "files/file_access.h"
#include "files/file_identity.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace kdx {

namespace {

const QString configName = QString::fromUtf8(ConfigFileName.data(), qsizetype(ConfigFileName.size()));
const QString codePageOption = QStringLiteral("code-page");

QString tr(const char *text)
{
    return QApplication::translate("BotFolder", text);
}

QString nativeFolder(const QString &path)
{
    return QDir::toNativeSeparators(QDir::cleanPath(path));
}

QString whatToGive()
{
    return tr("VEVaduDori opens a bot's folder, or the KDX.cfg in it.");
}

std::variant<BotFolder, NoBotFolder> folderOfPath(const QString &argument, const QString &currentFolder)
{
    const QFileInfo given(QDir(currentFolder).absoluteFilePath(argument));
    if (given.isDir())
        return BotFolder{nativeFolder(given.absoluteFilePath())};
    // The reader opens the folder's KDX.cfg: this file, by whatever name the file system takes for it.
    const auto pathOf = [](const QString &path) { return files::pathFromUtf8(path.toStdString()); };
    if (given.isFile() && files::sameFile(pathOf(given.absoluteFilePath()), pathOf(given.dir().filePath(configName))))
        return BotFolder{nativeFolder(given.absolutePath())};
    const QString problem =
        given.exists() ? tr("\"%1\" is neither a folder nor a file named KDX.cfg.") : tr("\"%1\" does not exist.");
    return NoBotFolder{problem.arg(QDir::toNativeSeparators(argument)) + QLatin1Char('\r') + whatToGive()};
}

} // namespace

void describeCommandLine(QCommandLineParser &parser)
{
    parser.setApplicationDescription(
        tr("Edits the configuration file KDX.cfg of an E[VRK]bot folder, and switches the bot's chat and "
           "title languages with the folder's KDXchat.bat and KDXtitles.bat.\n\n"
           "Without FOLDER it works on its own folder. Installed system-wide, it works on the current "
           "folder if that holds a KDX.cfg, and otherwise asks for the folder."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(QCommandLineOption(codePageOption, tr(CodePageOptionHelp), QStringLiteral("NAME")));
    parser.addPositionalArgument(QStringLiteral("FOLDER"), tr("The bot's folder, or the KDX.cfg in it."),
                                 QStringLiteral("[FOLDER | PATH/KDX.cfg]"));
}

std::variant<FileCodePages, QString> codePagesOfCommandLine(const QCommandLineParser &parser)
{
    if (!parser.isSet(codePageOption))
        return systemCodePages();
    const auto chosen = codePagesNamed(parser.value(codePageOption).toStdString());
    if (const auto *unknown = std::get_if<std::string>(&chosen))
        return QStringLiteral("--code-page: ") + QString::fromStdString(*unknown);
    return std::get<FileCodePages>(chosen);
}

std::variant<BotFolder, NoBotFolder> findBotFolder(const QStringList &arguments, const StartPlace &place,
                                                   const FolderQuestion &askForFolder)
{
    if (arguments.size() > 1)
        return NoBotFolder{tr("VEVaduDori opens one folder at a time, but was given %1.").arg(arguments.size())
                           + QLatin1Char('\r') + whatToGive()};
    if (arguments.size() == 1)
        return folderOfPath(arguments.front(), place.currentFolder);
    if (!place.installedSystemWide)
        return BotFolder{nativeFolder(place.programFolder)};
    if (QFileInfo(QDir(place.currentFolder).filePath(configName)).isFile())
        return BotFolder{nativeFolder(place.currentFolder)};
    const QString chosen = askForFolder(place.currentFolder);
    if (chosen.isEmpty())
        return NoBotFolder{};
    return folderOfPath(chosen, place.currentFolder);
}

StartPlace currentStartPlace()
{
    StartPlace place{QApplication::applicationDirPath(), QDir::currentPath()};
#ifdef VEVADUDORI_SYSTEM_PROGRAM_FOLDER
    place.installedSystemWide =
        QDir(place.programFolder).canonicalPath() == QDir(QStringLiteral(VEVADUDORI_SYSTEM_PROGRAM_FOLDER)).canonicalPath();
#endif
    return place;
}

QString askForBotFolder(const QString &startFolder)
{
    return QFileDialog::getExistingDirectory(nullptr, tr("Choose the bot's folder"), startFolder);
}

} // namespace kdx
