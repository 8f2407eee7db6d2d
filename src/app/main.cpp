#include "application.h"
#include "bot_folder.h"
#include "config/kdx_cfg.h"
#include "platform/qt_platform.h"
#include "ui/main/frm_main.h"

#include <QApplication>
#include <QCommandLineParser>

#include <memory>

int main(int argc, char *argv[])
{
    kdx::nameApplication();
    std::unique_ptr<QCoreApplication> app;
    if (kdx::asksOnlyForText(argc, argv))
        app = std::make_unique<QCoreApplication>(argc, argv);
    else
        app = std::make_unique<QApplication>(argc, argv);

    QCommandLineParser parser;
    kdx::describeCommandLine(parser);
    parser.process(*app); // --help, --version and unknown options end the program here
    kdx::useClassicFont();

    const auto codePages = kdx::codePagesOfCommandLine(parser);
    if (const auto *unknown = std::get_if<QString>(&codePages)) {
        kdx::QtPlatform().showMessage(QString(), *unknown, kdx::MessageIcon::None);
        return 2;
    }

    const auto folder = kdx::findBotFolder(parser.positionalArguments(), kdx::currentStartPlace(), kdx::askForBotFolder);
    if (const auto *none = std::get_if<kdx::NoBotFolder>(&folder)) {
        if (none->message.isEmpty())
            return 0; // the user cancelled the choice of a folder
        kdx::QtPlatform().showMessage(QString(), none->message, kdx::MessageIcon::None);
        return 2;
    }

    kdx::QtPlatform platform(std::get<kdx::BotFolder>(folder).path);
    kdx::KDXCfg cfg(std::get<kdx::FileCodePages>(codePages)); // the program-wide state, alive for the whole run
    kdx::frmMain window(cfg, platform);
    window.show();
    return QApplication::exec();
}
