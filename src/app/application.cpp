#include "application.h"

#include "ui/common/classic_metrics.h"

#include <QApplication>

#include <algorithm>
#include <string_view>

namespace kdx {

void nameApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("VEVaduDori"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0"));
    // Ties the window to packaging/vevadudori.desktop for the task bar's icon. No
    // display name: Qt would add it to the caption, which the window animates itself.
    QGuiApplication::setDesktopFileName(QStringLiteral("vevadudori"));
}

void useClassicFont()
{
    QApplication::setFont(classicFont());
}

bool asksOnlyForText(int argc, const char *const argv[])
{
    // The options that QCommandLineParser's addHelpOption and addVersionOption add.
    constexpr std::string_view textOptions[] = {"-h", "--help", "-?", "--help-all", "-v", "--version"};
    for (int i = 1; i < argc; ++i) {
        if (std::find(std::begin(textOptions), std::end(textOptions), std::string_view(argv[i])) != std::end(textOptions))
            return true;
    }
    return false;
}

} // namespace kdx
