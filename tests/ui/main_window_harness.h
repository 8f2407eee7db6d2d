#pragma once

#include "config/kdx_cfg.h"
#include "support/fake_platform.h"
#include "ui/main/frm_main.h"
#include "ui/main/main_window_layout.h"

#include <QtTest>
#include <QtWidgets>

namespace kdx::test {

using namespace Qt::StringLiterals;

// The objectName of the control that shows a setting, but for "Radio-Usage", whose
// option buttons are radRadio_0 to radRadio_3.
inline QString controlName(int index)
{
    static const QHash<SettingKind, QString> arrays{{SettingKind::Text, u"txtCVAR"_s},
                                                    {SettingKind::OnOff, u"chkCVAR"_s},
                                                    {SettingKind::WholeNumber, u"numCVAR"_s},
                                                    {SettingKind::Skill, u"scrlSkill"_s},
                                                    {SettingKind::Seconds, u"timCVAR"_s}};
    return arrays[SettingDefinitions[std::size_t(index - 1)].kind] + u'_' + QString::number(index);
}

// The objectName of a control of the window's table: its name, with an array
// member's index after "_".
inline QString objectNameOf(const ControlLayout &row)
{
    QString name = QString::fromUtf8(row.name.data(), qsizetype(row.name.size()));
    return row.index == ControlLayout::NoIndex ? name : name + u'_' + QString::number(row.index);
}

// The controls whose captions the window must show whole; a custom command's
// text may run beyond its button.
inline const QRegularExpression CaptionedControls(u"^(?!cmdCustom)(cmd|Command|chk|rad|Label)"_s);

// A main window on a KDX.cfg in a temporary folder (none where `file` is nullopt),
// every box scripted; `readFailure` fails the read at start-up; files are read
// in `codePages`.
struct MainWindowHarness {
    explicit MainWindowHarness(const std::optional<QByteArray> &file = QByteArray(),
                               const std::optional<QString> &readFailure = std::nullopt,
                               const FileCodePages &codePages = systemCodePages())
        : cfg(codePages)
    {
        if (!folder.isValid())
            qFatal("cannot make a temporary folder: %s", qPrintable(folder.errorString()));
        if (file)
            writeFile(path(), *file);
        platform.readFailure = readFailure;
        window = std::make_unique<frmMain>(cfg, platform);
        platform.readFailure.reset();
    }
    QString path(const QString &name = u"KDX.cfg"_s) const { return folder.filePath(name); }
    QByteArray content(const QString &name = u"KDX.cfg"_s) const { return readBack(path(name)); }
    template <typename Widget = QWidget>
    Widget *get(const QString &name) const
    {
        auto *widget = window->findChild<Widget *>(name);
        if (!widget)
            qFatal("no control %s of the expected type", qPrintable(name));
        return widget;
    }
    void click(const QString &namesInOrder) const
    {
        for (const QString &name : namesInOrder.split(u' '))
            get<QAbstractButton>(name)->click();
    }
    QString value(int index) const { return QString::fromStdString(cfg.SettingTable[index].Value); }
    // A control's state as one text: [x] or [ ] for a check box or option, a bar's value, else its text.
    QString state(const QString &name) const
    {
        const QWidget *control = get(name);
        if (const auto *button = qobject_cast<const QAbstractButton *>(control); button && button->isCheckable())
            return button->isChecked() ? u"[x]"_s : u"[ ]"_s;
        return control->property(qobject_cast<const QScrollBar *>(control) ? "value" : "text").toString();
    }
    void set(const QString &name, const QString &state) const
    {
        QWidget *control = get(name);
        if (auto *button = qobject_cast<QAbstractButton *>(control); button && button->isCheckable())
            button->setChecked(state == u"[x]"_s);
        else
            control->setProperty(qobject_cast<QScrollBar *>(control) ? "value" : "text", state);
    }
    QString messages() const
    {
        QStringList texts;
        for (const auto &message : platform.messages)
            texts.append(message.title + u": "_s + message.text);
        return texts.join(u" | "_s);
    }
    void showActive() const
    {
        window->show();
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    QTemporaryDir folder;
    FakePlatform platform{folder.path()};
    KDXCfg cfg;
    std::unique_ptr<frmMain> window;
};

} // namespace kdx::test
