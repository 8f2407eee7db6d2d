// The window and kdxcfg, side by side on seeded random files and random edits of
// every kind of control, of the custom commands and of the clean outputs: after
// every run of kdxcfg, and the same edits and save in the window, both folders
// hold the same bytes. The window reloads what it wrote, as kdxcfg reads anew.
// A failure names the seed, which KDX_SEED=N repeats, the file and the runs.
#include "cli/kdxcfg.h"
#include "config/setting_table.h"
#include "config/value_rules.h"
#include "main_window_harness.h"

#include <cstdio>
#include <random>
#include <sstream>

using namespace Qt::StringLiterals;

namespace {

using kdx::SettingKind;

struct Edit {
    enum class Kind { Set, CommandSet, CommandAdd, CommandRemove, Clean, CleanLeavingOutDefaults };
    Kind kind;
    int index = 0; // the setting, or the slot
    std::string text;
};
using Run = std::vector<Edit>; // several settings, or one other edit

template <typename T>
const T &oneOf(std::mt19937 &random, const std::vector<T> &choices)
{
    return choices[std::uniform_int_distribution<std::size_t>(0, choices.size() - 1)(random)];
}

bool chance(std::mt19937 &random, int percent)
{
    return std::uniform_int_distribution(1, 100)(random) <= percent;
}

SettingKind kindOf(int index)
{
    return kdx::SettingDefinitions[std::size_t(index - 1)].kind;
}

// Values as a file may hold them, tidy or not.
std::string fileValue(std::mt19937 &random, int index)
{
    switch (kindOf(index)) {
    case SettingKind::Text:
        return oneOf<std::string>(random, {"wptKDX", "my maps", "maps\\", "", " lead", "Жук"});
    case SettingKind::OnOff:
        return oneOf<std::string>(random, {"on", "off", "On", "", "1"});
    case SettingKind::WholeNumber:
        return oneOf<std::string>(random, {"0", "3", "20", "24", "3.7", "12abc", "-4", "x", "1e2", "", " 5"});
    case SettingKind::Seconds:
        return oneOf<std::string>(random, {"0.6", "0.05", "5", "0.", "", "0.5s", "1.00", "x"});
    case SettingKind::Skill:
        return oneOf<std::string>(random, {"80", "80.5", "100.0", "60", "150", "0", "x", "81.5"});
    case SettingKind::Option:
        return oneOf<std::string>(random, {"0", "1", "3", "1.5", "9", "0.4", "x"});
    }
    return {};
}

// Values that the setting's control takes, so kdxcfg too.
std::string enteredValue(std::mt19937 &random, int index)
{
    switch (kindOf(index)) {
    case SettingKind::Text:
        return oneOf<std::string>(random, {"wptKDX", "my maps", "x=y", "", "Жук", "#c"});
    case SettingKind::OnOff:
        return oneOf<std::string>(random, {"on", "off"});
    case SettingKind::WholeNumber:
        return chance(random, 50) ? std::to_string(std::uniform_int_distribution(0, 30)(random))
                                  : oneOf<std::string>(random, {"3.7", "12abc", "-4", "1e2", " 4", "&H1F", "0.5"});
    case SettingKind::Seconds:
        return oneOf<std::string>(random, {"0.05", "0.1", "0.5", "0.9", "0.95", "5", "0.5s", "0.", "0", "1.00"});
    case SettingKind::Skill:
        return chance(random, 80) ? std::to_string(std::uniform_int_distribution(1, 100)(random)) : "050";
    case SettingKind::Option:
        return std::to_string(std::uniform_int_distribution(0, kdx::RadioOptionCount - 1)(random));
    }
    return {};
}

std::string randomFile(std::mt19937 &random)
{
    std::string file;
    const int lines = std::uniform_int_distribution(0, 24)(random);
    for (int line = 0; line < lines; ++line) {
        const int index = std::uniform_int_distribution(1, kdx::SettingCount)(random);
        const std::string key(kdx::SettingDefinitions[std::size_t(index - 1)].key);
        switch (std::uniform_int_distribution(0, 9)(random)) {
        case 0:
            file += "# remark";
            break;
        case 1:
            break; // blank
        case 2:
        case 3:
            file += oneOf<std::string>(random, {"say hi", "mp_roundtime 3.5", "say Жук", "  sv_gravity 800  "});
            break;
        case 4:
            file += oneOf<std::string>(random, {" ", "", "\t"}) + key + oneOf<std::string>(random, {"=", "\t", "  "})
                    + fileValue(random, index);
            break;
        default:
            file += key + ' ' + fileValue(random, index);
        }
        if (line + 1 < lines || chance(random, 80))
            file += oneOf<std::string>(random, {"\r\n", "\r\n", "\n", "\r"});
    }
    return file;
}

Run randomRun(std::mt19937 &random)
{
    using enum Edit::Kind;
    const int slot = std::uniform_int_distribution(1, kdx::CustomCommandSlotCount)(random);
    const std::string command = oneOf<std::string>(random, {"say new", "mp_timelimit 20", "# not a command", "pause 9", ""});
    switch (std::uniform_int_distribution(0, 9)(random)) {
    case 0:
        return {{CommandSet, slot, command}};
    case 1:
        return {{CommandAdd, 0, command.empty() ? "say more" : command}};
    case 2:
        return {{CommandRemove, slot, {}}};
    case 3:
        return {{oneOf(random, std::vector{Clean, CleanLeavingOutDefaults}), 0,
                 oneOf<std::string>(random, {"clean.cfg", "KDX.cfg"})}};
    default:
        break;
    }
    Run run;
    for (int count = std::uniform_int_distribution(1, 4)(random); count > 0; --count) {
        // The skill bars and "ultraskill" more often than their share, as they meet.
        const int index = chance(random, 30) ? oneOf(random, std::vector{10, 11, 13})
                                             : std::uniform_int_distribution(1, kdx::SettingCount)(random);
        run.push_back({Set, index, enteredValue(random, index)});
    }
    return run;
}

std::string printable(const std::string &bytes)
{
    std::string text;
    for (char c : bytes)
        text += c == '\r' ? "\\r" : c == '\n' ? "\\n" : std::string(1, c);
    return text;
}

std::vector<std::string> kdxcfgArguments(const Run &run)
{
    using enum Edit::Kind;
    const Edit &first = run.front();
    switch (first.kind) {
    case Set: {
        std::vector<std::string> arguments{"set"};
        for (const Edit &edit : run)
            arguments.push_back(std::string(kdx::SettingDefinitions[std::size_t(edit.index - 1)].key) + '=' + edit.text);
        return arguments;
    }
    case CommandSet:
        return {"command", "set", std::to_string(first.index), first.text};
    case CommandAdd:
        return {"command", "add", first.text};
    case CommandRemove:
        return {"command", "remove", std::to_string(first.index)};
    case Clean:
        return {"clean", first.text};
    case CleanLeavingOutDefaults:
        return {"clean", "--leave-out-defaults", first.text};
    }
    return {};
}

// The window side of a run: what a user does in the window for the same edits.
class WindowUser {
public:
    explicit WindowUser(kdx::test::MainWindowHarness &window) : w_(window) {}

    // True when the window saved, or wrote its clean output.
    bool perform(const Run &run)
    {
        using enum Edit::Kind;
        const Edit &first = run.front();
        switch (first.kind) {
        case Set:
            for (const Edit &edit : run)
                enter(edit.index, edit.text);
            return w_.window->cmdSave_Click();
        case CommandSet:
        case CommandRemove:
            return editCommand(first.index, first.kind == CommandSet ? std::optional(first.text) : std::nullopt);
        case CommandAdd:
            for (int slot = 1; slot <= kdx::CustomCommandSlotCount; ++slot)
                if (w_.cfg.CustomCommands[slot].Text.empty())
                    return editCommand(slot, first.text);
            return false; // all slots in use: nothing to do
        case Clean:
        case CleanLeavingOutDefaults:
            w_.platform.inputAnswers = {QString::fromStdString(first.text)};
            w_.click(first.kind == Clean ? u"cmdCleanOut"_s : u"cmdClnOut2"_s);
            return w_.platform.messages.isEmpty();
        }
        return false;
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
        const bool storedAlready = w_.cfg.SettingTable[index].Value == value;
        switch (kindOf(index)) {
        case SettingKind::OnOff: {
            const QString state = value == "on" ? u"[x]"_s : u"[ ]"_s;
            if (w_.state(name) == state && !storedAlready)
                w_.click(name);
            w_.set(name, state);
            return;
        }
        case SettingKind::Skill: {
            const int shown = std::stoi(value);
            if (w_.state(name).toInt() == shown && !storedAlready)
                w_.set(name, QString::number(shown == kdx::HighestSkill ? shown - 1 : shown + 1));
            w_.set(name, QString::number(shown));
            return;
        }
        case SettingKind::Option: {
            const QString option = u"radRadio_"_s + text;
            if (w_.state(option) == u"[x]"_s && !storedAlready)
                w_.set(text == u"0"_s ? u"radRadio_1"_s : u"radRadio_0"_s, u"[x]"_s);
            w_.set(option, u"[x]"_s);
            return;
        }
        case SettingKind::Text:
        case SettingKind::WholeNumber:
        case SettingKind::Seconds:
            w_.set(name, text);
            return;
        }
    }

    kdx::test::MainWindowHarness &w_;
};

QByteArray readOrNone(const QString &path)
{
    return QFile::exists(path) ? kdx::test::readBack(path) : "(none)";
}

} // namespace

class FrontEndsDifferentialTest : public QObject {
    Q_OBJECT
private slots:
    void sameEditsGiveTheSameBytes()
    {
        const unsigned firstSeed = qEnvironmentVariableIsSet("KDX_SEED") ? qEnvironmentVariableIntValue("KDX_SEED") : 20261207;
        const int cases = qEnvironmentVariableIsSet("KDX_SEED") ? 1 : KDX_DIFFERENTIAL_CASES;
        QTemporaryDir kdxcfgFolder;
        QVERIFY(kdxcfgFolder.isValid());
        const QString kdxcfgFile = kdxcfgFolder.filePath(u"KDX.cfg"_s);
        for (unsigned seed = firstSeed; seed < firstSeed + unsigned(cases); ++seed) {
            std::mt19937 random(seed);
            const std::string file = randomFile(random);
            std::vector<Run> runs(std::size_t(std::uniform_int_distribution(1, 3)(random)));
            for (Run &run : runs)
                run = randomRun(random);

            QFile::remove(kdxcfgFolder.filePath(u"clean.cfg"_s));
            kdx::test::writeFile(kdxcfgFile, QByteArray::fromStdString(file));
            kdx::test::MainWindowHarness window(QByteArray::fromStdString(file));
            WindowUser user(window);
            std::string done;
            for (const Run &run : runs) {
                const std::vector<std::string> arguments = kdxcfgArguments(run);
                for (const std::string &argument : arguments)
                    done += " [" + printable(argument) + "]";
                std::vector<std::string> withFile{"--file", kdxcfgFile.toStdString()};
                withFile.insert(withFile.end(), arguments.begin(), arguments.end());
                std::ostringstream out, err;
                const int status = kdx::cli::runKdxcfg(withFile, out, err);
                window.platform.messages.clear();
                const bool windowWrote = user.perform(run);
                done += " -> " + std::to_string(status) + ";";

                // Printed whole, where a test message would be cut short.
                const auto report = [&](const std::string &what) {
                    std::fprintf(stderr, "seed %u: %s\nfile: %s\nruns:%s\nkdxcfg said: %s\nthe window said: %s\n", seed,
                                 what.c_str(), printable(file).c_str(), done.c_str(), printable(err.str()).c_str(),
                                 qPrintable(window.messages()));
                };
                if (status != (windowWrote ? 0 : 2)) {
                    report("kdxcfg and the window disagree on writing");
                    QFAIL("the two front ends differ; see above");
                }
                for (const QString &name : {u"KDX.cfg"_s, u"clean.cfg"_s}) {
                    const QByteArray fromKdxcfg = readOrNone(kdxcfgFolder.filePath(name));
                    const QByteArray fromWindow = readOrNone(window.path(name));
                    if (fromKdxcfg != fromWindow) {
                        report(name.toStdString() + " differs\nkdxcfg: " + printable(fromKdxcfg.toStdString())
                               + "\nwindow: " + printable(fromWindow.toStdString()));
                        QFAIL("the two front ends differ; see above");
                    }
                }
                // kdxcfg reads what it wrote; the window reads it back too. A
                // file left as it was stays shown as it was first shown.
                if (windowWrote && (run.front().kind < Edit::Kind::Clean || run.front().text == "KDX.cfg"))
                    window.window->cmdLoad_Click();
            }
            QCOMPARE(window.platform.questions, QStringList());
        }
    }
};

QTEST_MAIN(FrontEndsDifferentialTest)
#include "front_ends_differential_test.moc"
