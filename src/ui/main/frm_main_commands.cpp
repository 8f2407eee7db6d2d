// The file buttons, the custom-command editor, the help marks and the window commands.
#include "frm_main.h"

#include "caption_button.h"
#include "config/config_reader.h"
#include "config/config_writers.h"
#include "config/file_names.h"
#include "config/value_rules.h"
#include "help_topics.h"
#include "platform/folder_path.h"
#include "ui/language/language_dialog.h"

namespace kdx {
namespace {

const QString configFileName = QString::fromUtf8(ConfigFileName.data(), qsizetype(ConfigFileName.size()));

} // namespace

QString frmMain::pathInProgramFolder(const QString &fileName) const
{
    return pathInFolder(platform_.applicationFolder(), fileName);
}

void frmMain::cmdLoad_Click()
{
    readConfigFile();
}

std::optional<FileError> frmMain::readConfigFile()
{
    const QString path = pathInProgramFolder(configFileName);
    auto file = platform_.readFile(path);
    if (const auto *error = std::get_if<FileError>(&file)) {
        platform_.showMessage(tr("Error while loading"), tr("%1 could not be read: %2").arg(path, error->reason),
                              MessageIcon::None);
        return *error;
    }
    const QByteArray &content = std::get<QByteArray>(file);
    const std::string_view bytes(content.constData(), static_cast<std::size_t>(content.size()));
    for (const Message &message : readConfiguration(cfg_, bytes))
        platform_.showMessage(textFromUtf8(message.title), textFromUtf8(message.text), message.icon);
    configFile_.known(content.toStdString());
    ShowSettings();
    return std::nullopt;
}

// Refuses, with the reason, a model holding a character that the file cannot hold.
bool frmMain::everyTextEncodable(const QString &path)
{
    const std::optional<UnencodableCharacter> found = findUnencodable(cfg_);
    if (found) {
        platform_.showMessage(
            tr("Error while saving"),
            tr("%1 could not be written: %2.\rNothing was written.").arg(path, textFromUtf8(unencodableReason(cfg_, *found))),
            MessageIcon::None);
    }
    return !found;
}

void frmMain::writeFile(const QString &path, const std::string &content)
{
    if (const auto error = platform_.writeFileAtomically(path, QByteArray::fromStdString(content)))
        showWriteFailure(path, *error);
}

void frmMain::showWriteFailure(const QString &path, const FileError &error)
{
    platform_.showMessage(tr("Error while saving"),
                          tr("%1 could not be written: %2\rThe file on disk is unchanged.").arg(path, error.reason),
                          MessageIcon::None);
}

// The question before replacing KDX.cfg where the writer found it holding what
// the user may not have seen. True for Yes.
bool frmMain::mayReplaceAfter(const FileError &refusal)
{
    switch (*configFile_.questionAfter(refusal)) {
    case KnownConfigFile::Question::NeverRead:
        return platform_.askYesNo(QString(), tr("KDX.cfg could not be read when the program started. Replace it "
                                                "with the settings shown here?"));
    case KnownConfigFile::Question::Appeared:
        return platform_.askYesNo(QString(), tr("KDX.cfg did not exist when the program started; another program "
                                                "has made it since. Replace it with the settings shown here?"));
    case KnownConfigFile::Question::ChangedBehind:
        return platform_.askYesNo(QString(), tr("KDX.cfg was changed by another program since it was read. Replace "
                                                "it with the settings shown here?"));
    case KnownConfigFile::Question::UnreadableNow:
        return platform_.askYesNo(QString(), tr("KDX.cfg cannot be read now (%1), so it may hold changes made by "
                                                "another program. Replace it with the settings shown here?")
                                                 .arg(refusal.reason));
    }
    return false;
}

// Replaces KDX.cfg where it still holds what the program last read or wrote; a
// file gone since is written anew, anything else only after a Yes. False when
// nothing was written.
bool frmMain::replaceConfigFile(const QString &path, const std::string &content)
{
    const QByteArray bytes = QByteArray::fromStdString(content);
    std::optional<FileError> error = platform_.writeFileAtomically(path, bytes, &configFile_.expected());
    if (error && error->changedSinceRead && error->missing) {
        const files::ContentAsRead noFile;
        error = platform_.writeFileAtomically(path, bytes, &noFile);
    }
    if (error && error->changedSinceRead) {
        if (!mayReplaceAfter(*error))
            return false;
        error = platform_.writeFileAtomically(path, bytes);
    }
    if (error) {
        showWriteFailure(path, *error);
        return false;
    }
    configFile_.known(content); // the program's own, not another program's
    return true;
}

bool frmMain::cmdSave_Click()
{
    const QString path = pathInProgramFolder(configFileName);
    return everyTextEncodable(path) && replaceConfigFile(path, annotatedSave(cfg_));
}

void frmMain::writeCleanOutput(bool leaveOutDefaults)
{
    const QString name = platform_.inputBox(QStringLiteral("Filename"), QStringLiteral("Output 'Clean' File"), configFileName);
    if (name.isEmpty())
        return;
    if (!isPlainFileName(utf8FromText(name))) {
        platform_.showMessage(tr("Error while saving"),
                              tr("%1 could not be written: the name must be a file name inside the program's "
                                 "folder %2, without a folder of its own.")
                                  .arg(name, platform_.applicationFolder()),
                              MessageIcon::None);
        return;
    }
    const QString path = pathInProgramFolder(name);
    if (!everyTextEncodable(path))
        return;
    const std::string content =
        cleanOutput(cfg_, leaveOutDefaults ? CleanOutputKind::LeaveOutDefaults : CleanOutputKind::AllSettings);
    if (platform_.sameFile(path, pathInProgramFolder(configFileName)))
        replaceConfigFile(path, content);
    else
        writeFile(path, content);
}

void frmMain::cmdCleanOut_Click()
{
    writeCleanOutput(false);
}

void frmMain::cmdClnOut2_Click()
{
    writeCleanOutput(true);
}

void frmMain::cmdCustom_Click(int index)
{
    CustomCommand &slot = cfg_.CustomCommands[index];
    const QString answer =
        platform_.inputBox(QStringLiteral("Type in your custom command.\rClick 'Cancel' to delete this command."),
                           QStringLiteral("Change/Add Command"), textFromUtf8(slot.Text));
    slot.Text = singleLine(utf8FromText(answer));
    ShowCustomCommands();
    platform_.giveFocus(commandButtons_.at(QStringLiteral("cmdSave")));
}

void frmMain::lblHelp_Click(int index)
{
    platform_.showMessage(QString::fromStdString(helpTitle(index)), QString::fromStdString(helpText(index)), MessageIcon::None);
}

void frmMain::Command1_Click()
{
    close();
    platform_.endProgram();
}

void frmMain::Command2_Click()
{
    // A failed save has shown why; the program stays open with every edit intact.
    if (cmdSave_Click())
        Command1_Click();
}

void frmMain::cmdChatLang_Click()
{
    LanguageDialog dialog(frmChat, platform_, cfg_.CodePages, this);
    dialog.exec();
}

void frmMain::cmdTitlesLang_Click()
{
    LanguageDialog dialog(frmTitles, platform_, cfg_.CodePages, this);
    dialog.exec();
}

void frmMain::Timer_Timer()
{
    setWindowTitle(marquee_.tick());
}

} // namespace kdx
