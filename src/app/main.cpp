#include "config/kdx_cfg.h"
#include "platform/qt_platform.h"
#include "ui/main/frmmain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VEVaduDori"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    // Ties the window to packaging/vevadudori.desktop for the task bar's icon. No
    // display name: Qt would add it to the caption, which the window animates itself.
    QGuiApplication::setDesktopFileName(QStringLiteral("vevadudori"));

    kdx::QtPlatform platform;
    kdx::KDXCfg cfg; // the program-wide state, alive for the whole run
    kdx::frmMain window(cfg, platform);
    window.show();
    return QApplication::exec();
}
