// The window and kdxcfg, side by side: a few fixed files and runs, then seeded
// random files with random runs that edit every kind of control, the custom
// commands and the clean outputs. After each run of kdxcfg (in this process) and
// the same edits and save in the window, both folders hold the same bytes. As
// kdxcfg reads anew for each run, the window reloads what it wrote, and after a
// run that wrote nothing a new window drops the edits. A failure names the seed,
// which KDX_SEED=N repeats alone, the file and the runs.
#include "cli/kdxcfg.h"
#include "config/value_rules.h"
#include "main_window_harness.h"

#include <algorithm>
#include <cstdio>
#include <random>
#include <sstream>

using namespace Qt::StringLiterals;

namespace {

using kdx::SettingKind;
using Run = std::vector<std::string>; // kdxcfg's arguments after --file

struct Case {
    std::string file;
    std::vector<Run> runs;
    std::string codePage = {}; // --code-page; the system's code pages where empty
};

const Case fixedCases[] = {
    // The box's click has both skill bars store the numbers they show.
    {"minbotskill 80.5\r\nmaxbotskill 100.0\r\nultraskill off\r\n", {{"set", "ultraskill=on"}}},
    {"pause 3.7\r\nminbotskill 150\r\nradio 1.5\r\ntimer_sound 5\r\nmin_bots 30\r\nmax_bots 24.5\r\nclantags On\r\n"
     "radio 9\r\nmaxbotskill 80.5\r\nsay hi\r\n",
     {{"set", "botchat=off", "timer_pickup=0.05", "max_bots=20"}}},
    // Text beyond ASCII, typed into the window and given to kdxcfg as arguments.
    {"",
     {{"set", "wptfolder=Жук maps", "radio=3", "minbotskill=60", "ultraskill=on", "pause=7.9"},
      {"command", "set", "1", "say 日本"}}},
    {"max_bots 4\r\n# c\r\nmax_bots 5\nsay 1\rsay 2\r\n",
     {{"set", "max_bots=7", "min_bots=9"}, {"command", "set", "1", "say one"}, {"command", "remove", "2"}}},
    // A Windows-1251 file, with a byte that the code page leaves unassigned.
    {"wptfolder \xef\xf3\xf2\xfc\r\nsay \xc6\r\n# \x98\r\n",
     {{"set", "wptfolder=карты", "pause=4"}, {"command", "set", "2", "say ё"}, {"command", "set", "1", "say Привет"}},
     "1251"},
};

template <typename T>
T oneOf(std::mt19937 &random, std::initializer_list<T> choices)
{
    return choices.begin()[std::uniform_int_distribution<std::size_t>(0, choices.size() - 1)(random)];
}

int between(std::mt19937 &random, int lowest, int highest)
{
    return std::uniform_int_distribution(lowest, highest)(random);
}

SettingKind kindOf(int index)
{
    return kdx::SettingDefinitions[std::size_t(index - 1)].kind;
}

std::string keyOf(int index)
{
    return std::string(kdx::SettingDefinitions[std::size_t(index - 1)].key);
}

// Values as a file may hold them, tidy or not.
std::string fileValue(std::mt19937 &random, int index)
{
    using S = std::string;
    switch (kindOf(index)) {
    case SettingKind::Text:
        return oneOf<S>(random, {"wptKDX", "my maps", "maps\\", "", " lead", "Жук"});
    case SettingKind::OnOff:
        return oneOf<S>(random, {"on", "off", "On", "", "1"});
    case SettingKind::WholeNumber:
        return oneOf<S>(random, {"0", "3", "20", "24", "3.7", "12abc", "-4", "x", "1e2", "", " 5"});
    case SettingKind::Seconds:
        return oneOf<S>(random, {"0.6", "0.05", "5", "0.", "", "0.5s", "1.00", "x"});
    case SettingKind::Skill:
        return oneOf<S>(random, {"80", "80.5", "100.0", "60", "150", "0", "x", "81.5"});
    case SettingKind::Option:
        return oneOf<S>(random, {"0", "1", "3", "1.5", "9", "0.4", "x"});
    }
    return {};
}

// Values that kdxcfg takes, so the setting's control too.
std::string enteredValue(std::mt19937 &random, int index)
{
    using S = std::string;
    switch (kindOf(index)) {
    case SettingKind::Text:
        return oneOf<S>(random, {"wptKDX", "my maps", "x=y", "", "Жук", "#c", "maps\\"});
    case SettingKind::OnOff:
        return oneOf<S>(random, {"on", "off"});
    case SettingKind::WholeNumber:
        return between(random, 0, 1)
                   ? std::to_string(between(random, 0, 30))
                   : oneOf<S>(random, {"3.7", "-4", "1e2", " 4", "&H1F", "0.5", "0.9999999999999999", "12345678901234567"});
    case SettingKind::Seconds:
        return oneOf<S>(random, {"0.05", "0.1", "0.5", "0.9", "0.95", "5", "0.", "0", "1.00"});
    case SettingKind::Skill:
        return between(random, 0, 4) ? std::to_string(between(random, 1, 100)) : "050";
    case SettingKind::Option:
        return std::to_string(between(random, 0, kdx::RadioOptionCount - 1));
    }
    return {};
}

Case randomCase(std::mt19937 &random)
{
    using S = std::string;
    Case drawn;
    // One file in four is read in Windows-1251, where Cyrillic text is held.
    if (between(random, 0, 3) == 0)
        drawn.codePage = "1251";
    for (int line = 0, lines = between(random, 0, 24); line < lines; ++line) {
        const int index = between(random, 1, kdx::SettingCount);
        switch (between(random, 0, 9)) {
        case 0: // a byte that is no UTF-8 makes it a Windows-1252 file
            drawn.file += oneOf<S>(random, {"# remark", "# caf\xe9", "# \xef\xf3\xf2\xfc"});
            break;
        case 1:
            break; // blank
        case 2:
        case 3:
            drawn.file += oneOf<S>(random, {"say hi", "mp_roundtime 3.5", "say Жук", "  sv_gravity 800  "});
            break;
        case 4:
            drawn.file +=
                oneOf<S>(random, {" ", "", "\t"}) + keyOf(index) + oneOf<S>(random, {"=", "\t", "  "}) + fileValue(random, index);
            break;
        default:
            drawn.file += keyOf(index) + ' ' + fileValue(random, index);
        }
        if (line + 1 < lines || between(random, 0, 4))
            drawn.file += oneOf<S>(random, {"\r\n", "\r\n", "\n", "\r"});
    }
    for (int runs = between(random, 1, 3); runs > 0; --runs) {
        const S slot = std::to_string(between(random, 1, kdx::CustomCommandSlotCount));
        const S command = oneOf<S>(random, {"say new", "mp_timelimit 20", "say hi", ""});
        switch (between(random, 0, 9)) {
        case 0:
            drawn.runs.push_back({"command", "set", slot, command});
            break;
        case 1:
            drawn.runs.push_back({"command", "add", command.empty() ? "say more" : command});
            break;
        case 2:
            drawn.runs.push_back({"command", "remove", slot});
            break;
        case 3:
            drawn.runs.push_back(between(random, 0, 1) ? Run{"clean"} : Run{"clean", "--leave-out-defaults"});
            drawn.runs.back().push_back(oneOf<S>(random, {"clean.cfg", "KDX.cfg"}));
            break;
        default:
            drawn.runs.push_back({"set"});
            for (int count = between(random, 1, 4); count > 0; --count) {
                // The skill bars and "ultraskill" more often than their share, as they meet.
                const int index = between(random, 0, 9) < 3 ? oneOf(random, {10, 11, 13}) : between(random, 1, kdx::SettingCount);
                drawn.runs.back().push_back(keyOf(index) + '=' + enteredValue(random, index));
            }
        }
    }
    return drawn;
}

std::string printable(const std::string &bytes)
{
    std::string text;
    for (char c : bytes)
        text += c == '\r' ? "\\r" : c == '\n' ? "\\n" : std::string(1, c);
    return text;
}

// What a user does in the window for the edits of one run of kdxcfg.
class WindowUser {
public:
    explicit WindowUser(kdx::test::MainWindowHarness &window) : w_(window) {}

    // True when the window saved KDX.cfg or wrote its clean output.
    bool perform(const Run &run)
    {
        w_.platform.messages.clear();
        if (run[0] == "set") {
            for (auto entry = run.begin() + 1; entry != run.end(); ++entry) {
                const std::size_t equals = entry->find('=');
                enter(kdx::settingIndex(entry->substr(0, equals)), entry->substr(equals + 1));
            }
            return w_.window->cmdSave_Click();
        }
        if (run[0] == "clean") {
            w_.platform.inputAnswers = {QString::fromStdString(run.back())};
            w_.click(run.size() == 2 ? u"cmdCleanOut"_s : u"cmdClnOut2"_s);
            return w_.platform.messages.isEmpty();
        }
        if (run[1] == "add") {
            const auto &commands = w_.cfg.CustomCommands;
            if (std::any_of(commands.begin(), commands.end(),
                            [&](const kdx::CustomCommand &held) { return held.Text == run[2]; }))
                return w_.window->cmdSave_Click(); // the command is there already
            for (int slot = 1; slot <= kdx::CustomCommandSlotCount; ++slot)
                if (commands[slot].Text.empty())
                    return editCommand(slot, run[2]);
            return false; // all slots in use: nothing to do
        }
        return editCommand(std::stoi(run[2]), run[1] == "set" ? std::optional(run[3]) : std::nullopt);
    }

private:
    bool editCommand(int slot, const std::optional<std::string> &text)
    {
        w_.platform.inputAnswers = {text ? std::optional(QString::fromStdString(*text)) : std::nullopt};
        w_.click(u"cmdCustom_"_s + QString::number(slot));
        return w_.window->cmdSave_Click();
    }

    // Makes the control show the value in a way that runs its handler: a box
    // takes the text; a check box, a bar or an option already showing the value
    // while the setting holds another text is changed and changed back.
    void enter(int index, const std::string &value)
    {
        const QString text = QString::fromStdString(value);
        const QString name = kdx::test::controlName(index);
        const bool stored = w_.cfg.SettingTable[index].Value == value;
        switch (kindOf(index)) {
        case SettingKind::OnOff: {
            const QString state = value == "on" ? u"[x]"_s : u"[ ]"_s;
            if (w_.state(name) == state && !stored)
                w_.click(name);
            return w_.set(name, state);
        }
        case SettingKind::Skill: {
            const int shown = text.toInt();
            if (w_.state(name).toInt() == shown && !stored)
                w_.set(name, QString::number(shown == kdx::HighestSkill ? shown - 1 : shown + 1));
            return w_.set(name, QString::number(shown));
        }
        case SettingKind::Option:
            if (w_.state(u"radRadio_"_s + text) == u"[x]"_s && !stored)
                w_.set(text == u"0"_s ? u"radRadio_1"_s : u"radRadio_0"_s, u"[x]"_s);
            return w_.set(u"radRadio_"_s + text, u"[x]"_s);
        case SettingKind::Text:
        case SettingKind::WholeNumber:
        case SettingKind::Seconds:
            return w_.set(name, text);
        }
    }

    kdx::test::MainWindowHarness &w_;
};

} // namespace

class FrontEndsDifferentialTest : public QObject {
    Q_OBJECT
private slots:
    void sameEditsGiveTheSameBytes()
    {
        const bool oneSeed = qEnvironmentVariableIsSet("KDX_SEED");
        const unsigned firstSeed = oneSeed ? unsigned(qEnvironmentVariableIntValue("KDX_SEED")) : 20261207;
        const std::size_t fixed = std::size(fixedCases);
        QTemporaryDir kdxcfgFolder;
        QVERIFY(kdxcfgFolder.isValid());
        const QString kdxcfgFile = kdxcfgFolder.filePath(u"KDX.cfg"_s);
        for (std::size_t number = oneSeed ? fixed : 0; number < fixed + (oneSeed ? 1 : KDX_DIFFERENTIAL_CASES); ++number) {
            const unsigned seed = firstSeed + unsigned(number - fixed);
            std::mt19937 random(seed);
            const Case tried = number < fixed ? fixedCases[number] : randomCase(random);
            const std::string name = number < fixed ? "fixed case " + std::to_string(number + 1) : "seed " + std::to_string(seed);

            QFile::remove(kdxcfgFolder.filePath(u"clean.cfg"_s));
            kdx::test::writeFile(kdxcfgFile, QByteArray::fromStdString(tried.file));
            const kdx::FileCodePages codePages = tried.codePage.empty()
                                                     ? kdx::systemCodePages()
                                                     : std::get<kdx::FileCodePages>(kdx::codePagesNamed(tried.codePage));
            const auto windowOn = [&](const QByteArray &file) {
                return std::make_unique<kdx::test::MainWindowHarness>(file, std::nullopt, codePages);
            };
            auto window = windowOn(QByteArray::fromStdString(tried.file));
            std::string done;
            for (const Run &run : tried.runs) {
                Run arguments{"--file", kdxcfgFile.toStdString()};
                if (!tried.codePage.empty())
                    arguments.insert(arguments.end(), {"--code-page", tried.codePage});
                arguments.insert(arguments.end(), run.begin(), run.end());
                std::ostringstream out, err;
                const int status = kdx::cli::runKdxcfg(arguments, out, err);
                // kdxcfg refuses an edit that its next run would change again (a
                // freed slot that the next read fills with a later command); the
                // window's editor takes it, so the window's user leaves it alone.
                const bool notRepeatable =
                    status == 2
                    && (err.str().find("read back") != std::string::npos || err.str().find("the next run") != std::string::npos);
                const bool windowWrote = !notRepeatable && WindowUser(*window).perform(run);
                for (const std::string &argument : run)
                    done += " [" + printable(argument) + "]";
                done += " -> " + std::to_string(status) + ";";

                // Printed whole, where a test message would be cut short.
                const auto report = [&](const std::string &what) {
                    std::fprintf(stderr, "%s: %s\nfile (code page %s): %s\nruns:%s\nkdxcfg said: %s\nthe window said: %s\n",
                                 name.c_str(), what.c_str(), tried.codePage.empty() ? "the system's" : tried.codePage.c_str(),
                                 printable(tried.file).c_str(), done.c_str(), printable(err.str()).c_str(),
                                 qPrintable(window->messages()));
                };
                if (status != (windowWrote ? 0 : 2)) {
                    report("kdxcfg and the window disagree on writing");
                    QFAIL("the two front ends differ; see above");
                }
                for (const QString &written : {u"KDX.cfg"_s, u"clean.cfg"_s}) {
                    const QByteArray fromKdxcfg = kdx::test::readBack(kdxcfgFolder.filePath(written)); // "?": none
                    const QByteArray fromWindow = kdx::test::readBack(window->path(written));
                    if (fromKdxcfg != fromWindow) {
                        report(written.toStdString() + " differs\nkdxcfg: " + printable(fromKdxcfg.toStdString())
                               + "\nwindow: " + printable(fromWindow.toStdString()));
                        QFAIL("the two front ends differ; see above");
                    }
                }
                QCOMPARE(window->platform.questions, QStringList());
                if (!windowWrote) {
                    auto fresh = windowOn(window->content());
                    if (QFile::exists(window->path(u"clean.cfg"_s)))
                        kdx::test::writeFile(fresh->path(u"clean.cfg"_s), window->content(u"clean.cfg"_s));
                    window = std::move(fresh);
                } else if (run[0] != "clean" || run.back() == "KDX.cfg") {
                    window->window->cmdLoad_Click();
                }
            }
        }
    }
};

QTEST_MAIN(FrontEndsDifferentialTest)
#include "front_ends_differential_test.moc"
