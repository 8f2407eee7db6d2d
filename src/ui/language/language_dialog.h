#pragma once

#include "config/code_page.h"
#include "config/language_file.h"
#include "platform/platform.h"

#include <QDialog>
#include <QLatin1String>

#include <optional>

namespace kdx {

class FileListBox;

// What sets the two language dialogs apart. The folder and file names are
// relative to the program's folder.
struct LanguageDialogSettings {
    QLatin1String objectName;
    QLatin1String caption;
    QLatin1String folder;
    QLatin1String batchFile;
    MessageRule messageRule;
};

inline constexpr LanguageDialogSettings frmChat{
    QLatin1String("frmChat"),     QLatin1String("Change chat-language"), QLatin1String("chat"),
    QLatin1String("KDXchat.bat"), MessageRule::ChatFirstField,
};

inline constexpr LanguageDialogSettings frmTitles{
    QLatin1String("frmTitles"),     QLatin1String("Change language"), QLatin1String("Titles"),
    QLatin1String("KDXtitles.bat"), MessageRule::TitlesMarker,
};

// Lists the language files of its folder; applying one starts the batch file
// beside the program with the file's bare name as its one argument, shows the
// message the file carries, if any, and closes the dialog. Every failure becomes
// a message box and leaves the program running; a batch file that could not be
// started shows no message of the language file. The folder is found once
// (Platform::findFolder) and both lists and holds the file that is read.
//
// Open it modally; every opening lists the folder afresh:
//     LanguageDialog dialog(frmChat, platform, cfg.CodePages, this);
//     dialog.exec();
class LanguageDialog : public QDialog {
    Q_OBJECT
public:
    // The language files are read in the code pages that KDX.cfg is read in.
    LanguageDialog(const LanguageDialogSettings &settings, Platform &platform, FileCodePages codePages, QWidget *owner);

private:
    void createControls();
    void listLanguageFiles();
    void cmdApply_Click();
    bool startBatchFile(const QString &fileName);
    void showLanguageMessage(const QString &fileName);

    const LanguageDialogSettings settings_;
    Platform &platform_;
    const FileCodePages codePages_;
    std::optional<QString> folder_;
    FileListBox *filSelect_ = nullptr;
};

} // namespace kdx
