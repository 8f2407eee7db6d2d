#pragma once

#include "config/control_panel.h"
#include "config/kdx_cfg.h"
#include "known_config_file.h"
#include "platform/platform.h"
#include "title_marquee.h"

#include <QWidget>

#include <map>

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QScrollBar;
class QTimer;

namespace kdx {

class CaptionButton;
class HelpMark;
struct ControlLayout;

// Members of a control array by their index; the indices have gaps.
template <typename Widget>
using ControlArray = std::map<int, Widget *>;

// The main window: a control for each setting, the custom-command buttons, the
// help marks and the file and window commands. Every edit goes into the
// configuration at once; creating the window reads KDX.cfg from the program's
// folder and fills the controls.
class frmMain : public QWidget {
    Q_OBJECT
public:
    frmMain(KDXCfg &cfg, Platform &platform, QWidget *parent = nullptr);
    ~frmMain() override;

    // The handlers, named after their control and event. Array handlers take the
    // control's index.
    void cmdLoad_Click(); // a file that cannot be read changes nothing
    bool cmdSave_Click(); // false when nothing was written
    void cmdCleanOut_Click();
    void cmdClnOut2_Click();
    void chkCVAR_Click(int index);
    void numCVAR_Change(int index);
    void timCVAR_Change(int index);
    void scrlSkill_Change(int index);
    void radRadio_Click(int index);
    void txtCVAR_Change(int index);
    void cmdCustom_Click(int index);
    void lblHelp_Click(int index);
    void Command1_Click();
    void Command2_Click();
    void cmdChatLang_Click();
    void cmdTitlesLang_Click();
    void Timer_Timer();

private:
    void Form_Load();
    void ShowSettings();
    void ShowCustomCommands();

    void createControls();
    QWidget *createControl(const ControlLayout &layout);
    void createLines();
    void nameFieldsAfterTheirLabels();
    void orderTabStops(const std::map<int, QWidget *> &focusChain);
    void connectCommandButtons();
    void centreOnScreen();

    // Shows the panel's states in those controls, without raising their handlers.
    void showControls(const ChangedControls &controls);
    std::optional<FileError> readConfigFile();
    void writeCleanOutput(bool leaveOutDefaults);
    bool everyTextEncodable(const QString &path);
    bool mayReplaceAfter(const FileError &refusal);
    bool replaceConfigFile(const QString &path, const std::string &content);
    void writeFile(const QString &path, const std::string &content);
    void showWriteFailure(const QString &path, const FileError &error);
    QString pathInProgramFolder(const QString &fileName) const;
    // The model's texts are UTF-8, whatever the file's encoding.
    static QString textFromUtf8(const std::string &utf8);
    static std::string utf8FromText(const QString &text);

    KDXCfg &cfg_;
    Platform &platform_;

    ControlArray<QCheckBox> chkCVAR;
    ControlArray<QLineEdit> txtCVAR;
    ControlArray<QLineEdit> numCVAR;
    ControlArray<QLineEdit> timCVAR;
    ControlArray<QScrollBar> scrlSkill;
    ControlArray<QLabel> lblSkill;
    ControlArray<QRadioButton> radRadio;
    ControlArray<HelpMark> lblHelp;
    ControlArray<CaptionButton> cmdCustom;
    std::map<QString, CaptionButton *> commandButtons_;

    QTimer *Timer = nullptr;
    TitleMarquee marquee_;
    KnownConfigFile configFile_;
    ControlPanel panel_;
};

} // namespace kdx
