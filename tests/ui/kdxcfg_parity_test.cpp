// The window and kdxcfg follow one set of rules: for every entry that kdxcfg
// takes, the window's control stores the same value, and a file shown in the
// window stores what kdxcfg expects. That the same edits give the same files,
// byte for byte, is front_ends_differential_test.cpp's.
#include "config/config_reader.h"
#include "config/value_rules.h"
#include "main_window_harness.h"
#include "support/case_file.h"

using namespace Qt::StringLiterals;

namespace {

using Edits = std::vector<std::pair<std::string, std::string>>;

using kdx::settingIndex;

// Enters a value as the user does in the setting's control.
void enter(kdx::test::MainWindowHarness &window, const std::string &key, const std::string &value)
{
    const QString text = QString::fromStdString(value);
    const int index = settingIndex(key);
    switch (kdx::SettingDefinitions[static_cast<std::size_t>(index - 1)].kind) {
    case kdx::SettingKind::Option:
        return window.set(u"radRadio_"_s + text, u"[x]"_s);
    case kdx::SettingKind::OnOff:
        return window.set(kdx::test::controlName(index), value == "on" ? u"[x]"_s : u"[ ]"_s);
    default:
        return window.set(kdx::test::controlName(index), text);
    }
}

} // namespace

Q_DECLARE_METATYPE(Edits)

class KdxcfgParityTest : public QObject {
    Q_OBJECT
private slots:
    void storesWhatKdxcfgStores_data()
    {
        QTest::addColumn<Edits>("edits");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored");
        for (const kdx::test::CaseBlock &block : kdx::test::readCaseFile(KDX_CASES_DIR "/value_cases.txt")) {
            Edits edits;
            std::string name;
            for (const kdx::test::CaseEntry &entry : block)
                if (entry.name == "enter") {
                    edits.emplace_back(entry.arg, entry.value);
                    name += entry.arg + '=' + entry.value + ' ';
                } else if (entry.name == "stored") { // an entry that kdxcfg refuses has no control to go into
                    QTest::newRow(name.c_str())
                        << edits << QString::fromStdString(entry.arg) << QString::fromStdString(entry.value);
                }
        }
    }
    void storesWhatKdxcfgStores()
    {
        QFETCH(Edits, edits);
        QFETCH(QString, key);
        QFETCH(QString, stored);
        kdx::test::MainWindowHarness window;
        for (const auto &[editedKey, value] : edits)
            enter(window, editedKey, value);
        QCOMPARE(window.value(settingIndex(key.toStdString())), stored);
    }

    // What the window stores once it has shown a file is what kdxcfg takes it to
    // store (`tidyAsFirstShown`), and the changes it lists are those it made.
    void firstShowStoresWhatKdxcfgExpects_data()
    {
        QTest::addColumn<QByteArray>("file");
        QSet<QString> files; // of main_window.edits, whose rows without edits show a file
        for (const QString &row : kdx::test::dataLines(u"main_window.edits"_s))
            if (const QString file = row.section(u'|', 0, 0); !file.isEmpty() && !files.contains(file)) {
                files.insert(file);
                QTest::newRow(qPrintable(QString(file).replace(u"\r\n"_s, u"\\n"_s))) << (file + u"\r\n"_s).toUtf8();
            }
    }
    void firstShowStoresWhatKdxcfgExpects()
    {
        QFETCH(QByteArray, file);
        kdx::test::MainWindowHarness window(file);
        kdx::KDXCfg cfg;
        kdx::readConfiguration(cfg, file.toStdString());
        const kdx::SettingTable read = cfg.SettingTable;
        const std::vector<kdx::ValueChange> changes = kdx::tidyAsFirstShown(cfg.SettingTable);
        QStringList changed, listed;
        for (int index = 1; index <= kdx::SettingCount; ++index) {
            QCOMPARE(window.value(index), QString::fromStdString(cfg.SettingTable[index].Value));
            if (read[index].Value != cfg.SettingTable[index].Value)
                changed << QString::fromStdString(std::to_string(index) + ": " + read[index].Value + " > "
                                                  + cfg.SettingTable[index].Value);
        }
        for (const kdx::ValueChange &change : changes)
            listed << QString::fromStdString(std::to_string(change.index) + ": " + change.before + " > " + change.after);
        QCOMPARE(listed, changed);
        QVERIFY(kdx::tidyAsFirstShown(cfg.SettingTable).empty()); // a second show changes nothing
    }
};

QTEST_MAIN(KdxcfgParityTest)
#include "kdxcfg_parity_test.moc"
