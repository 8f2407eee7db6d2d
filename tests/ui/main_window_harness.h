#pragma once

#include "config/kdx_cfg.h"
#include "support/fake_platform.h"
#include "ui/main/frmmain.h"

#include <QByteArray>
#include <QTemporaryDir>

#include <memory>

namespace kdx::test {

// A main window on a KDX.cfg in a temporary folder, with every box scripted.
class MainWindowHarness {
public:
    // Writes the file (unless it is std::nullopt) and opens the window on it.
    explicit MainWindowHarness(const std::optional<QByteArray> &file = QByteArray());

    QString path(const QString &fileName = QStringLiteral("KDX.cfg")) const { return folder.filePath(fileName); }
    QByteArray fileContent(const QString &fileName = QStringLiteral("KDX.cfg")) const;
    void writeFile(const QByteArray &content, const QString &fileName = QStringLiteral("KDX.cfg")) const;

    // The control of that objectName; a missing one ends the test run with its name.
    template <typename Widget>
    Widget *control(const QString &objectName) const
    {
        auto *widget = window->findChild<Widget *>(objectName);
        if (!widget)
            qFatal("no control %s of the expected type", qPrintable(objectName));
        return widget;
    }

    const std::string &value(int index) const { return cfg.SettingTable[index].Value; }

    QTemporaryDir folder;
    FakePlatform platform{folder.path()};
    KDXCfg cfg;
    std::unique_ptr<frmMain> window;
};

// "key value" lines joined by CR LF, each line ended.
QByteArray crlfLines(std::initializer_list<const char *> lines);

} // namespace kdx::test
