#include "application.h"

#include "ui/common/classic_metrics.h"

#include <QApplication>

namespace kdx {

void setUpApplication()
{
    QApplication::setApplicationName(QStringLiteral("VEVaduDori"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    // Ties the window to packaging/vevadudori.desktop for the task bar's icon. No
    // display name: Qt would add it to the caption, which the window animates itself.
    QGuiApplication::setDesktopFileName(QStringLiteral("vevadudori"));
    QApplication::setFont(classicFont());
}

} // namespace kdx
