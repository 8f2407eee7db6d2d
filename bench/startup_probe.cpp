// VEVaduDori's own start-up, from launch to the main window painted with every
// control filled from the KDX.cfg beside the probe; then it quits.
#include "first_paint.h"

#include "application.h"
#include "config/kdx_cfg.h"
#include "platform/qt_platform.h"
#include "ui/main/frm_main.h"

int main(int argc, char *argv[])
{
    kdx::nameApplication();
    QApplication app(argc, argv);
    kdx::useClassicFont();

    kdx::QtPlatform platform;
    kdx::KDXCfg cfg;
    kdx::frmMain window(cfg, platform);
    quitAfterFirstPaint(window);
    window.show();
    return QApplication::exec();
}
