#include "frmmain.h"

namespace kdx {

frmMain::frmMain(KDXCfg &cfg, Platform &platform, QWidget *parent) : QWidget(parent), cfg_(cfg), platform_(platform)
{
    setWindowTitle(QStringLiteral("KDXConfig 1.0      << E[VRK]bot III d >>"));
}

} // namespace kdx
