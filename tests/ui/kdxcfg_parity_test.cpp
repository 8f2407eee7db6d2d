// The window and kdxcfg follow one set of rules: for every entry that kdxcfg
// takes, the window's control stores the same value; a file shown in the window
// stores what kdxcfg expects; and the same edits give the same saved file, byte
// for byte.
#include "config/config_reader.h"
#include "config/value_rules.h"
#include "main_window_harness.h"
#include "support/case_file.h"

using namespace Qt::StringLiterals;

namespace {

using Edits = std::vector<std::pair<std::string, std::string>>;

using kdx::settingIndex;

// Enters a value as the user does in the setting's control; "#N" stands for
// custom-command slot N, edited in its dialog.
void enter(kdx::test::MainWindowHarness &window, const std::string &key, const std::string &value)
{
    const QString text = QString::fromStdString(value);
    if (key.starts_with('#')) {
        window.platform.inputAnswers.append(text);
        return window.click(u"cmdCustom_"_s + QString::fromStdString(key.substr(1)));
    }
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

Edits parsedEdits(const QString &text)
{
    Edits edits;
    for (const QString &edit : text.split(u" ; "_s)) {
        const qsizetype equals = edit.indexOf(u'=');
        edits.emplace_back(edit.left(equals).toStdString(), edit.mid(equals + 1).toStdString());
    }
    return edits;
}

} // namespace

Q_DECLARE_METATYPE(Edits)

class KdxcfgParityTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(QDir().mkpath(QStringLiteral(KDX_WORK_FOLDER))); }

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

    void savesTheSameFileAsKdxcfg_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("edits");
        QTest::addColumn<QString>("codePage");
        QFile sample(QStringLiteral(KDX_SAMPLE_CFG));
        QVERIFY(sample.open(QIODevice::ReadOnly));
        QTest::newRow("sample, max_bots") << sample.readAll() << u"max_bots=10"_s << QString();
        QTest::newRow("values the window tidies on loading")
            << QByteArray("pause 3.7\r\nminbotskill 150\r\nradio 1.5\r\ntimer_sound 5\r\nmin_bots 30\r\nmax_bots 24.5\r\n"
                          "clantags On\r\nradio 9\r\nmaxbotskill 80.5\r\nsay hi\r\n")
            << u"botchat=off ; timer_pickup=0.05 ; max_bots=20"_s << QString();
        // Text beyond ASCII, typed into the window and given to kdxcfg as arguments.
        QTest::newRow("empty file, every kind of control")
            << QByteArray() << u"wptfolder=Жук maps ; radio=3 ; minbotskill=60 ; ultraskill=on ; pause=7.9 ; #1=say 日本"_s
            << QString();
        QTest::newRow("repeated keys, commands replaced and freed")
            << QByteArray("max_bots 4\r\n# c\r\nmax_bots 5\nsay 1\rsay 2\r\n") << u"max_bots=7 ; min_bots=9 ; #1=say one ; #2="_s
            << QString();
        // A file in another code page, with a byte that the code page leaves unassigned.
        QTest::newRow("Windows-1251 file under --code-page 1251")
            << QByteArray("wptfolder \xef\xf3\xf2\xfc\r\nsay \xc6\r\n# \x98\r\n")
            << u"wptfolder=карты ; pause=4 ; #2=say ё ; #1=say Привет"_s << u"1251"_s;
    }
    void savesTheSameFileAsKdxcfg()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, edits);
        QFETCH(QString, codePage);
        const QStringList codePageOption = codePage.isEmpty() ? QStringList() : QStringList{u"--code-page"_s, codePage};
        kdx::test::MainWindowHarness window(file, std::nullopt,
                                            codePage.isEmpty()
                                                ? kdx::systemCodePages()
                                                : std::get<kdx::FileCodePages>(kdx::codePagesNamed(codePage.toStdString())));
        QTemporaryDir other(QStringLiteral(KDX_WORK_FOLDER "/parity-XXXXXX"));
        const QString kdxcfgFile = other.filePath(u"KDX.cfg"_s);
        kdx::test::writeFile(kdxcfgFile, file);

        // One run of kdxcfg for each custom command and for each stretch of
        // settings between them: each run saves, as the window does once.
        QList<QStringList> runs;
        for (const auto &[key, value] : parsedEdits(edits)) {
            enter(window, key, value);
            const QString text = QString::fromStdString(value);
            if (key.starts_with('#'))
                runs.append({u"command"_s, u"set"_s, QString::fromStdString(key.substr(1)), text});
            else if (!runs.isEmpty() && runs.last().first() == u"set"_s)
                runs.last().append(QString::fromStdString(key) + u'=' + text);
            else
                runs.append({u"set"_s, QString::fromStdString(key) + u'=' + text});
        }
        for (const QStringList &arguments : runs) {
            QProcess kdxcfg;
            kdxcfg.start(QStringLiteral(KDXCFG_PROGRAM), codePageOption + QStringList{u"--file"_s, kdxcfgFile} + arguments);
            QVERIFY(kdxcfg.waitForFinished());
            QCOMPARE(kdxcfg.exitCode(), 0);
        }
        QVERIFY(window.window->cmdSave_Click());
        QCOMPARE(kdx::test::readBack(kdxcfgFile), window.content());
    }
};

QTEST_MAIN(KdxcfgParityTest)
#include "kdxcfg_parity_test.moc"
