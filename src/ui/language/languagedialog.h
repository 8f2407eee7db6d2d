#pragma once

#include "config/language_file.h"
#include "platform/platform.h"

#include <QDialog>
#include <QLatin1String>

class QListWidget;

namespace kdx {

// What sets the two language dialogs apart. The folder and file names are
// relative to the program's folder.
struct LanguageDialogSettings {
    QLatin1String objectName;
    QLatin1String caption;
    QLatin1String listingFolder;
    QLatin1String batchFile;
    QLatin1String openingFolder;
    MessageRule messageRule;
};

inline constexpr LanguageDialogSettings frmChat{
    QLatin1String("frmChat"), QLatin1String("Change chat-language"), QLatin1String("chat"),
    QLatin1String("KDXchat.bat"), QLatin1String("Chat"), MessageRule::ChatFirstField,
};

inline constexpr LanguageDialogSettings frmTitles{
    QLatin1String("frmTitles"), QLatin1String("Change language"), QLatin1String("Titles"),
    QLatin1String("KDXtitles.bat"), QLatin1String("Titles"), MessageRule::TitlesMarker,
};

// Lists the language files of its folder; applying one starts the batch file
// beside the program with the file's bare name as its one argument, shows the
// message the file carries, if any, and closes the dialog. Every failure becomes
// a message box and leaves the program running. Folder names are matched
// ignoring case when the exact name does not exist.
//
// Open it modally; every opening lists the folder afresh:
//     LanguageDialog dialog(frmChat, platform, this);
//     dialog.exec();
class LanguageDialog : public QDialog {
    Q_OBJECT
public:
    LanguageDialog(const LanguageDialogSettings &settings, Platform &platform, QWidget *owner);

private:
    void createControls();
    void listLanguageFiles();
    void cmdApply_Click();
    void startBatchFile(const QString &fileName);
    void showLanguageMessage(const QString &fileName);

    const LanguageDialogSettings settings_;
    Platform &platform_;
    QListWidget *filSelect_ = nullptr;
};

} // namespace kdx
