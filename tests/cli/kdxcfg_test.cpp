// kdxcfg, one group of cases per subcommand: exit status, standard output and
// error apart, and the file it leaves.
#include "cli_test_support.h"

#include "cli/kdxcfg.h"
#include "config/config_reader.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>

namespace {

using namespace kdx::test;

struct ProgramRun {
    int status;
    std::string out, err;
};

class Kdxcfg : public WorkFolderTest {
protected:
    // A run in this process, in the work folder, as a shell started there would run it.
    ProgramRun kdxcfg(const std::vector<std::string> &arguments) const
    {
        const std::filesystem::path previous = std::filesystem::current_path();
        std::filesystem::current_path(folder);
        std::ostringstream out, err;
        const int status = kdx::cli::runKdxcfg(arguments, out, err);
        std::filesystem::current_path(previous);
        return {status, out.str(), err.str()};
    }
    // A run that failed: status 2, a message naming `about`, nothing on standard output.
    void expectRefused(const ProgramRun &run, const std::string &about) const
    {
        EXPECT_EQ(run.status, 2) << run.err;
        EXPECT_NE(run.err.find(about), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
};

// kdxcfg set stores each entry of value_entries.txt as the window's control does.
TEST_F(Kdxcfg, SetStoresEveryEntryAsTheWindowDoes)
{
    for (const ValueEntryCase &entry : valueEntryCases()) {
        SCOPED_TRACE(entry.source);
        writeFile("KDX.cfg", "");
        std::vector<std::string> arguments{"set"};
        for (const auto &[key, value] : entry.edits)
            arguments.push_back(key + "=" + value);
        const ProgramRun run = kdxcfg(arguments);
        const auto &[lastKey, lastValue] = entry.edits.back();
        if (!entry.stored) {
            expectRefused(run, lastKey + " takes ");
            EXPECT_EQ(readFile("KDX.cfg"), "");
            continue;
        }
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(valueIn(readFile("KDX.cfg"), entry.key), *entry.stored);
        if (entry.key == lastKey && lastValue != *entry.stored) {
            EXPECT_NE(run.err.find(lastKey + ": " + lastValue + " stored as " + *entry.stored), std::string::npos) << run.err;
        }
    }
}

TEST_F(Kdxcfg, SetKeepsTheFileAndStoresWhatTheWindowChangesOnLoading)
{
    writeFile("KDX.cfg", "# bots\r\npause 3.7\nmp_roundtime 3.5\r\nmax_bots 16");
    const ProgramRun run = kdxcfg({"set", "max_bots=10", "botchat=off"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "pause: 3.7 on line 2 stored as 3\n");
    EXPECT_EQ(readFile("KDX.cfg"), "# bots\r\npause 3\r\nmp_roundtime 3.5\r\nmax_bots 10\r\n\r\nbotchat off\r\n");
}

// A Windows-1252 file takes typed characters it can hold and refuses the others.
TEST_F(Kdxcfg, SetWritesTheFilesCodePageOrNothing)
{
    writeFile("KDX.cfg", "# caf\xe9\r\n");
    EXPECT_EQ(kdxcfg({"set", "wptfolder=\xe2\x82\xac"}).status, 0);
    EXPECT_EQ(readFile("KDX.cfg"), "# caf\xe9\r\n\r\nwptfolder \x80\r\n");
    expectRefused(kdxcfg({"command", "set", "1", "say \xd0\x96"}),
                  "the custom command \"say \xd0\x96\" holds the character \"\xd0\x96\" (U+0416), which the file's "
                  "encoding, Windows-1252, cannot hold; nothing was written");
    EXPECT_EQ(readFile("KDX.cfg"), "# caf\xe9\r\n\r\nwptfolder \x80\r\n");
}

TEST_F(Kdxcfg, ShowListsSettingsCommandsAndMessages)
{
    std::string file = "max_bots 20\r\n";
    for (int command = 1; command <= 9; ++command)
        file += "say " + std::to_string(command) + "\r\n";
    writeFile("KDX.cfg", file);

    const ProgramRun text = kdxcfg({"show"});
    EXPECT_EQ(text.status, 0);
    EXPECT_EQ(text.err, "");
    for (const char *expected : {"setting    ", "\nmax_bots   ", " 20 ", " 16 ", "\nwptfolder  ", "not in file\n",
                                 "\n1     2            say 1\n", "\nToo many custom commands: 'say 9' couldn't be stored.\n"})
        EXPECT_NE(text.out.find(expected), std::string::npos) << expected << " in\n" << text.out;

    const ProgramRun json = kdxcfg({"show", "--json"});
    EXPECT_EQ(json.status, 0);
    const auto document = nlohmann::json::parse(json.out);
    EXPECT_EQ(document["settings"].size(), 26u);
    EXPECT_EQ(document["settings"][5], nlohmann::json::parse(R"({"key":"max_bots","value":"20","default":"16","line":1})"));
    EXPECT_EQ(document["settings"][0]["line"], nullptr);
    EXPECT_EQ(document["commands"][7], nlohmann::json::parse(R"({"slot":8,"text":"say 8","line":9})"));
    EXPECT_EQ(document["messages"][0]["title"], "Too many custom commands");
}

TEST_F(Kdxcfg, GetPrintsTheValueAlone)
{
    writeFile("KDX.cfg", "max_bots 20\r\nwptfolder my maps\r\n");
    EXPECT_EQ(kdxcfg({"get", "max_bots"}).out, "20\n");
    EXPECT_EQ(kdxcfg({"get", "wptfolder"}).out, "my maps\n");
    EXPECT_EQ(kdxcfg({"get", "pause"}).out, "3\n");
    expectRefused(kdxcfg({"get", "Max_bots"}), "no setting is called \"Max_bots\"");
}

// Each case: the file, the arguments, the status, what the file holds afterwards.
TEST_F(Kdxcfg, CommandEditsTheSlotsAsTheWindowsEditorDoes)
{
    const std::string eight = "a 1\r\na 2\r\na 3\r\na 4\r\na 5\r\na 6\r\na 7\r\na 8\r\n";
    const struct {
        std::string file;
        std::vector<std::string> arguments;
        int status;
        std::string saved;
    } cases[] = {
        {"", {"command", "add", "mp_roundtime 3.5"}, 0, "\r\nmp_roundtime 3.5\r\n"},
        {"pause 3\r\nsay hi\r\n", {"command", "set", "1", "say bye"}, 0, "pause 3\r\nsay bye\r\n"},
        {"say hi\r\n# x\r\n", {"command", "remove", "1"}, 0, "\r\n# x\r\n"},
        {"say hi\r\n", {"command", "set", "1", ""}, 0, "\r\n"},
        {"say hi\r\n", {"command", "add", "say bye"}, 0, "say hi\r\n\r\nsay bye\r\n"},
        {eight, {"command", "add", "a 9"}, 2, eight},
        {"say hi\r\n", {"command", "set", "9", "x"}, 2, "say hi\r\n"},
        {"say hi\r\n", {"command", "set", "0", "x"}, 2, "say hi\r\n"},
        {"say hi\r\n", {"command", "add", "a\nb"}, 2, "say hi\r\n"},
        {"say hi\r\n", {"command", "add", ""}, 2, "say hi\r\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.arguments.back());
        writeFile("KDX.cfg", c.file);
        const ProgramRun run = kdxcfg(c.arguments);
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_EQ(run.err.empty(), c.status == 0) << run.err;
        EXPECT_EQ(readFile("KDX.cfg"), c.saved);
    }
    writeFile("KDX.cfg", "say hi\r\n");
    EXPECT_EQ(kdxcfg({"command", "add", "say bye"}).out, "2\n");
}

TEST_F(Kdxcfg, CleanWritesEitherCleanFileBesideTheConfiguration)
{
    writeFile("KDX.cfg", "# mine\r\nmax_bots 20\r\nsay hi\r\n");
    const std::string header = "#### VEVaduDori 1.0 for E[VRK]bot IIId ####\r\n";
    const std::string commands = "# These are custom server commands:\r\n#\r\nsay hi\r\n";

    EXPECT_EQ(kdxcfg({"clean", "--leave-out-defaults", "lean.cfg"}).status, 0);
    EXPECT_EQ(readFile("lean.cfg"), header + "# This KDX.cfg file is generated out of all the CVARs, \r\n"
                                             "# except those which are default value.\r\n"
                                             "# All comments and blank lines are removed, CVARs are in Standard order\r\n"
                                             "#\r\nmax_bots 20\r\n" + commands);
    EXPECT_EQ(kdxcfg({"clean", "KDX.cfg"}).status, 0);
    const std::string all = readFile("KDX.cfg");
    EXPECT_EQ(all.rfind(header, 0), 0u);
    EXPECT_NE(all.find("\r\nmax_bots 20\r\nbotchat on\r\n"), std::string::npos);
    EXPECT_TRUE(all.ends_with("autofill on\r\n" + commands));

    for (const char *name : {"../out.cfg", "sub/out.cfg", "sub\\out.cfg", "C:out.cfg", "..", ""})
        expectRefused(kdxcfg({"clean", name}), "no file name");
}

// Each case: the file, the findings on standard output, the status.
TEST_F(Kdxcfg, CheckNamesTheLineOfEachFinding)
{
    std::string longFile;
    for (int line = 1; line <= 257; ++line)
        longFile += "#\r\n";
    std::string nineCommands;
    for (int command = 1; command <= 9; ++command)
        nineCommands += "say " + std::to_string(command) + "\r\n";
    const struct {
        std::string file;
        std::string findings;
    } cases[] = {
        {"# fine\r\npause 4\r\nradio 2\r\nsay hi\r\n", ""},
        {"clantagsX off\r\n", "KDX.cfg:1: \"clantagsX off\" is read as the setting clantags with the value \" off\": the "
                              "character after a key is skipped, whatever it is\n"
                              "KDX.cfg:1: \"clantags  off\": no control can show this value; clantags takes on or off\n"},
        {"botchat=off\r\n", "KDX.cfg:1: \"botchat=off\" is read as the setting botchat with the value \"off\": the "
                            "character after a key is skipped, whatever it is\n"},
        {"max_bots 4\r\n#\r\nmax_bots 5\r\nmax_bots 6\r\n",
         "KDX.cfg:1: max_bots is set again on line 4, which wins\nKDX.cfg:3: max_bots is set again on line 4, which wins\n"},
        {"pause 3.7\r\n", "KDX.cfg:1: \"pause 3.7\": the window changes the value to \"3\" when it loads the file\n"},
        {"minbotskill 150\r\n",
         "KDX.cfg:1: \"minbotskill 150\": the window changes the value to \"100\" when it loads the file\n"},
        {"radio 9\r\n", "KDX.cfg:1: \"radio 9\": no control can show this value; radio takes 0 (Full), 1 (Reduced), "
                        "2 (Restricted) or 3 (Mute)\n"},
        {nineCommands, "KDX.cfg:9: \"say 9\" is a custom command beyond the eighth; the window cannot show it\n"},
        {longFile, "KDX.cfg:257: the file has more than 256 lines; lines after the 256th are not read as settings or "
                   "custom commands\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file.substr(0, 20));
        writeFile("KDX.cfg", c.file);
        const ProgramRun run = kdxcfg({"check"});
        EXPECT_EQ(run.out, c.findings);
        EXPECT_EQ(run.status, c.findings.empty() ? 0 : 1);
        EXPECT_EQ(run.err, "");
    }
}

TEST_F(Kdxcfg, HelpAndVersionGoToStandardOutput)
{
    for (const std::vector<std::string> &arguments :
         {std::vector<std::string>{"--help"}, {"show", "--help"}, {"get", "--help"}, {"set", "--help"}, {"command", "--help"},
          {"command", "add", "--help"}, {"clean", "--help"}, {"check", "--help"}}) {
        SCOPED_TRACE(arguments.front());
        const ProgramRun run = kdxcfg(arguments);
        EXPECT_EQ(run.status, 0);
        EXPECT_NE(run.out.find("Exit status:\n  0  "), std::string::npos) << run.out;
        EXPECT_EQ(run.err, "");
    }
    EXPECT_EQ(kdxcfg({"--version"}).out, "kdxcfg 1.0\n");
}

// Each case: what the folder holds, the arguments, a part of the message. Every
// one exits with status 2, writes nothing to standard output and leaves the
// folder as it was.
TEST_F(Kdxcfg, FailuresExitWithStatusTwoAndWriteNothing)
{
    const struct {
        const char *name;
        bool file;
        std::vector<std::string> arguments;
        std::string message;
    } cases[] = {
        {"no subcommand", true, {}, "Run \"kdxcfg --help\""},
        {"unknown subcommand", true, {"list"}, "Run \"kdxcfg --help\""},
        {"unknown option", true, {"show", "--yaml"}, "Run \"kdxcfg --help\""},
        {"set without =", true, {"set", "max_bots"}, "KEY=VALUE"},
        {"unknown key", true, {"set", "bots=3"}, "no setting is called \"bots\""},
        {"value out of range", true, {"set", "max_bots=4", "radio=9"}, "radio takes 0 (Full)"},
        {"line break", true, {"set", "wptfolder=a\r\nb"}, "a value cannot hold a line break"},
        {"show, missing file", false, {"show"}, "KDX.cfg: No such file or directory"},
        {"get, missing file", false, {"get", "pause"}, "KDX.cfg: No such file or directory"},
        {"check, missing file", false, {"check"}, "KDX.cfg: No such file or directory"},
        {"set, missing file", false, {"set", "pause=4"}, "--create"},
        {"command, missing file", false, {"command", "add", "x"}, "--create"},
        {"clean, missing file", false, {"clean", "out.cfg"}, "No such file or directory"},
        {"missing --file", true, {"--file", "other/KDX.cfg", "show"}, "other/KDX.cfg: No such file or directory"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        if (c.file)
            writeFile("KDX.cfg", "pause 3\r\n");
        expectRefused(kdxcfg(c.arguments), c.message);
        EXPECT_EQ(folderListing(), c.file ? "KDX.cfg" : "");
        EXPECT_EQ(readFile("KDX.cfg"), c.file ? "pause 3\r\n" : "(unreadable)");
    }
}

TEST_F(Kdxcfg, CreateMakesAMissingFileAndFileNamesAnother)
{
    EXPECT_EQ(kdxcfg({"--create", "set", "max_bots=10"}).status, 0);
    EXPECT_EQ(readFile("KDX.cfg"), "\r\nmax_bots 10\r\n");
    std::filesystem::create_directories(folder / "bot");
    EXPECT_EQ(kdxcfg({"command", "add", "say hi", "--file", "bot/KDX.cfg", "--create"}).status, 0);
    EXPECT_EQ(readFile("bot/KDX.cfg"), "\r\nsay hi\r\n");
    EXPECT_EQ(kdxcfg({"--file", "bot/KDX.cfg", "clean", "c.cfg"}).status, 0);
    EXPECT_TRUE(std::filesystem::exists(folder / "bot" / "c.cfg"));
}

TEST_F(Kdxcfg, AFileThatCannotBeWrittenIsLeftWhole)
{
    std::filesystem::create_directories(folder / "KDX.cfg");
    expectRefused(kdxcfg({"--create", "set", "pause=4"}), "KDX.cfg: ");
    std::filesystem::remove(folder / "KDX.cfg");
    if (!permissionsApply())
        GTEST_SKIP() << "permission bits are not enforced for this user or system";
    writeFile("KDX.cfg", "pause 3\r\n");
    makeReadOnly(folder / "KDX.cfg");
    expectRefused(kdxcfg({"set", "pause=4"}), "could not be written: Permission denied");
    EXPECT_EQ(readFile("KDX.cfg"), "pause 3\r\n");
    makeWritable(folder / "KDX.cfg");
    makeReadOnly(folder);
    expectRefused(kdxcfg({"set", "pause=4"}), "could not be written: Permission denied");
    makeWritable(folder);
    EXPECT_EQ(readFile("KDX.cfg"), "pause 3\r\n");
    EXPECT_EQ(folderListing(), "KDX.cfg");
}

} // namespace
