#include "application.h"
#include "config/kdx_cfg.h"
#include "platform/qt_platform.h"
#include "ui/main/frmmain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    kdx::setUpApplication();

    kdx::QtPlatform platform;
    kdx::KDXCfg cfg; // the program-wide state, alive for the whole run
    kdx::frmMain window(cfg, platform);
    window.show();
    return QApplication::exec();
}
