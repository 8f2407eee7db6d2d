#pragma once

#include "config/kdx_cfg.h"
#include "platform/platform.h"

#include <QWidget>

namespace kdx {

class frmMain : public QWidget {
    Q_OBJECT
public:
    frmMain(KDXCfg &cfg, Platform &platform, QWidget *parent = nullptr);

private:
    KDXCfg &cfg_;
    Platform &platform_;
};

} // namespace kdx
