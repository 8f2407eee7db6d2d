// The file buttons, the custom-command editor, the help marks and the window commands.
#include "frmmain.h"

#include "caption_button.h"
#include "config/config_reader.h"
#include "config/config_writers.h"
#include "help_topics.h"
#include "platform/folder_path.h"
#include "ui/language/languagedialog.h"


namespace kdx {
namespace {

const QString configFileName = QStringLiteral("KDX.cfg");

// A name the user typed may only name a file directly inside the program's folder.
bool isPlainFileName(const QString &name)
{
    return !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) && !name.contains(QLatin1Char(':'))
           && name != QLatin1String(".") && name != QLatin1String("..");
}

} // namespace

QString frmMain::pathInProgramFolder(const QString &fileName) const
{
    return pathInFolder(platform_.applicationFolder(), fileName);
}

void frmMain::cmdLoad_Click()
{
    const QString path = pathInProgramFolder(configFileName);
    std::string content;
    auto file = platform_.readFile(path);
    if (const auto *error = std::get_if<FileError>(&file)) {
        // Read as an empty file: no lines, every value kept as it is.
        platform_.showMessage(tr("Error while loading"),
                              tr("%1 could not be read: %2").arg(path, error->reason),
                              MessageIcon::None);
    } else {
        content = std::get<QByteArray>(file).toStdString();
    }
    for (const Message &message : readConfiguration(cfg_, content))
        platform_.showMessage(textFromFileBytes(message.title), textFromFileBytes(message.text), message.icon);
    ShowSettings();
}

bool frmMain::writeFile(const QString &path, const std::string &content)
{
    const auto error = platform_.writeFileAtomically(
        path, QByteArray(content.data(), static_cast<qsizetype>(content.size())));
    if (error) {
        platform_.showMessage(tr("Error while saving"),
                              tr("%1 could not be written: %2\rThe file on disk is unchanged.")
                                  .arg(path, error->reason),
                              MessageIcon::None);
    }
    return !error;
}

bool frmMain::cmdSave_Click()
{
    return writeFile(pathInProgramFolder(configFileName), annotatedSave(cfg_));
}

void frmMain::writeCleanOutput(bool leaveOutDefaults)
{
    const QString name = platform_.inputBox(QStringLiteral("Filename"), QStringLiteral("Output 'Clean' File"),
                                            configFileName);
    if (name.isEmpty())
        return;
    if (!isPlainFileName(name)) {
        platform_.showMessage(tr("Error while saving"),
                              tr("%1 could not be written: the name must be a file name inside the program's "
                                 "folder %2, without a folder of its own.")
                                  .arg(name, platform_.applicationFolder()),
                              MessageIcon::None);
        return;
    }
    writeFile(pathInProgramFolder(name),
              cleanOutput(cfg_, leaveOutDefaults ? CleanOutputKind::LeaveOutDefaults : CleanOutputKind::AllSettings));
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
    const QString answer = platform_.inputBox(
        QStringLiteral("Type in your custom command.\rClick 'Cancel' to delete this command."),
        QStringLiteral("Change/Add Command"), textFromFileBytes(slot.Text));
    slot.Text = fileBytesFromText(answer);
    ShowCustomCommands();
    platform_.giveFocus(commandButtons_.at(QStringLiteral("cmdSave")));
}

void frmMain::lblHelp_Click(int index)
{
    platform_.showMessage(QString::fromStdString(helpTitle(index)), QString::fromStdString(helpText(index)),
                          MessageIcon::None);
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
    LanguageDialog dialog(frmChat, platform_, this);
    dialog.exec();
}

void frmMain::cmdTitlesLang_Click()
{
    LanguageDialog dialog(frmTitles, platform_, this);
    dialog.exec();
}

void frmMain::Timer_Timer()
{
    setWindowTitle(marquee_.tick());
}

} // namespace kdx
