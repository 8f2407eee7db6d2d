// kdxcfg run on files in a work folder: exit status, standard output and error
// apart, and the files it leaves.
#include "cli_test_support.h"

#include "cli/kdxcfg.h"

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

// Which clean output is written, and where, is kdxcfg's; what it holds is the core's.
TEST_F(Kdxcfg, CleanWritesEitherCleanFileBesideTheConfiguration)
{
    writeFile("KDX.cfg", "# mine\r\nmax_bots 20\r\n");
    EXPECT_EQ(kdxcfg({"clean", "--leave-out-defaults", "lean.cfg"}).status, 0);
    EXPECT_EQ(kdxcfg({"clean", "KDX.cfg"}).status, 0);
    EXPECT_TRUE(readFile("lean.cfg").ends_with("#\r\nmax_bots 20\r\n")) << readFile("lean.cfg");
    EXPECT_NE(readFile("KDX.cfg").find("\r\nmax_bots 20\r\nbotchat on\r\n"), std::string::npos) << readFile("KDX.cfg");
    for (const char *name : {"../out.cfg", "sub/out.cfg", "sub\\out.cfg", "C:out.cfg", "..", ""})
        expectRefused(kdxcfg({"clean", name}), "no file name");
}

TEST_F(Kdxcfg, HelpAndVersionGoToStandardOutput)
{
    for (const std::vector<std::string> &arguments :
         {std::vector<std::string>{"--help"}, {"set", "--help"}, {"command", "add", "--help"}, {"check", "--help"}}) {
        SCOPED_TRACE(arguments.front());
        const ProgramRun run = kdxcfg(arguments);
        EXPECT_EQ(run.status, 0);
        EXPECT_NE(run.out.find("Exit status:\n  0  "), std::string::npos) << run.out;
        EXPECT_EQ(run.err, "");
    }
    EXPECT_EQ(kdxcfg({"--version"}).out, "kdxcfg 1.0\n");
}

// Each case: KDX.cfg before the run (none: no file), the arguments; the exit
// status, standard output, a part of standard error (empty: nothing there) and
// KDX.cfg afterwards (none: as before). The folder holds nothing else afterwards.
TEST_F(Kdxcfg, RunsOnOneFileGiveTheirStatusOutputAndFile)
{
    std::string eight, nine, longFile;
    for (int command = 1; command <= 9; ++command)
        (command <= 8 ? eight : nine) += "a " + std::to_string(command) + "\r\n";
    nine = eight + nine;
    for (int line = 1; line <= 257; ++line)
        longFile += "#\r\n";
    const std::optional<std::string> none, file = "pause 3\r\n", sayHi = "say hi\r\n";
    const std::string
        help = "Run \"kdxcfg --help\"",
        noFile = "KDX.cfg: No such file or directory",
        skipped =
            "\" is read as the setting clantags with the value \" off\": the character after a key is skipped, whatever it is\n";
    // One row a line, as a table reads.
    // clang-format off
    const struct {
        std::optional<std::string> file;
        std::vector<std::string> arguments;
        int status;
        std::string out, err;
        std::optional<std::string> after;
    } cases[] = {
        // set keeps the file's lines and stores what the window changes on loading
        {"# bots\r\npause 3.7\nmp_roundtime 3.5\r\nmax_bots 16", {"set", "max_bots=10", "botchat=off"}, 0, "",
         "pause: 3.7 on line 2 stored as 3\n", "# bots\r\npause 3\r\nmp_roundtime 3.5\r\nmax_bots 10\r\n\r\nbotchat off\r\n"},
        // a Windows-1252 file takes typed characters it can hold and refuses the others
        {"# caf\xe9\r\n", {"set", "wptfolder=\xe2\x82\xac"}, 0, "", "", "# caf\xe9\r\n\r\nwptfolder \x80\r\n"},
        {"# caf\xe9\r\n", {"command", "set", "1", "say \xd0\x96"}, 2, "", "the custom command \"say \xd0\x96\" holds the character "
         "\"\xd0\x96\" (U+0416), which the file's encoding, Windows-1252, cannot hold; nothing was written", none},
        {file, {"set", "pause=1e2", "timer_sound=5"}, 0, "", "pause: 1e2 stored as 100\ntimer_sound: 5 stored as 1.0\n",
         "pause 100\r\n\r\ntimer_sound 1.0\r\n"},
        {"max_bots 20\r\nwptfolder my maps\r\n", {"get", "wptfolder"}, 0, "my maps\n", "", none},
        {file, {"get", "pause"}, 0, "3\n", "", none},
        {file, {"get", "max_bots"}, 0, "16\n", "", none},
        // command edits the slots as the window's editor does
        {"", {"command", "add", "mp_roundtime 3.5"}, 0, "1\n", "", "\r\nmp_roundtime 3.5\r\n"},
        {"pause 3\r\nsay hi\r\n", {"command", "set", "1", "say bye"}, 0, "", "", "pause 3\r\nsay bye\r\n"},
        {"say hi\r\n# x\r\n", {"command", "remove", "1"}, 0, "", "", "\r\n# x\r\n"},
        {sayHi, {"command", "set", "1", ""}, 0, "", "", "\r\n"},
        {sayHi, {"command", "add", "say bye"}, 0, "2\n", "", "say hi\r\n\r\nsay bye\r\n"},
        {eight, {"command", "add", "a 9"}, 2, "", "all 8 custom commands are in use", none},
        {sayHi, {"command", "set", "9", "x"}, 2, "", "there is no slot 9", none},
        {sayHi, {"command", "set", "0", "x"}, 2, "", "there is no slot 0", none},
        {sayHi, {"command", "add", "a\nb"}, 2, "", "cannot hold a line break", none},
        {sayHi, {"command", "add", ""}, 2, "", "the command is empty", none},
        // check names the line of each finding
        {"# fine\r\npause 4\r\nradio 2\r\nsay hi\r\n", {"check"}, 0, "", "", none},
        {"clantagsX off\r\n", {"check"}, 1, "KDX.cfg:1: \"clantagsX off" + skipped +
         "KDX.cfg:1: \"clantags  off\": no control can show this value; clantags takes on or off\n", "", none},
        {"botchat=off\r\n", {"check"}, 1, "KDX.cfg:1: \"botchat=off\" is read as the setting botchat with the value \"off\": the "
         "character after a key is skipped, whatever it is\n", "", none},
        {"max_bots 4\r\n#\r\nmax_bots 5\r\nmax_bots 6\r\n", {"check"}, 1,
         "KDX.cfg:1: max_bots is set again on line 4, which wins\nKDX.cfg:3: max_bots is set again on line 4, which wins\n", "", none},
        {"pause 3.7\r\n", {"check"}, 1, "KDX.cfg:1: \"pause 3.7\": the window changes the value to \"3\" when it loads the file\n",
         "", none},
        {"minbotskill 150\r\n", {"check"}, 1,
         "KDX.cfg:1: \"minbotskill 150\": the window changes the value to \"100\" when it loads the file\n", "", none},
        {"radio 9\r\n", {"check"}, 1, "KDX.cfg:1: \"radio 9\": no control can show this value; radio takes 0 (Full), 1 (Reduced), "
         "2 (Restricted) or 3 (Mute)\n", "", none},
        {nine, {"check"}, 1, "KDX.cfg:9: \"a 9\" is a custom command beyond the eighth; the window cannot show it\n", "", none},
        {longFile, {"check"}, 1, "KDX.cfg:257: the file has more than 256 lines; lines after the 256th are not read as settings or "
         "custom commands\n", "", none},
        // failures: status 2, nothing on standard output, the file as it was
        {file, {}, 2, "", help, none},
        {file, {"list"}, 2, "", help, none},
        {file, {"show", "--yaml"}, 2, "", help, none},
        {file, {"set", "max_bots"}, 2, "", "KEY=VALUE", none},
        {file, {"set", "bots=3"}, 2, "", "no setting is called \"bots\"", none},
        {file, {"get", "Max_bots"}, 2, "", "no setting is called \"Max_bots\"", none},
        {file, {"set", "max_bots=4", "radio=9"}, 2, "", "radio takes 0 (Full)", none},
        {file, {"set", "wptfolder=a\r\nb"}, 2, "", "a value cannot hold a line break", none},
        {none, {"show"}, 2, "", noFile, none},
        {none, {"get", "pause"}, 2, "", noFile, none},
        {none, {"check"}, 2, "", noFile, none},
        {none, {"set", "pause=4"}, 2, "", "--create", none},
        {none, {"command", "add", "x"}, 2, "", "--create", none},
        {none, {"clean", "out.cfg"}, 2, "", noFile, none},
        {file, {"--file", "other/KDX.cfg", "show"}, 2, "", "other/KDX.cfg: No such file or directory", none},
    };
    // clang-format on
    for (const auto &c : cases) {
        std::string arguments;
        for (const std::string &argument : c.arguments)
            arguments += " " + argument;
        SCOPED_TRACE("kdxcfg" + arguments);
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        if (c.file)
            writeFile("KDX.cfg", *c.file);
        const ProgramRun run = kdxcfg(c.arguments);
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.out, c.out);
        EXPECT_TRUE(c.err.empty() ? run.err.empty() : run.err.find(c.err) != std::string::npos) << run.err;
        EXPECT_EQ(readFile("KDX.cfg"), c.after.value_or(c.file.value_or("(unreadable)")));
        EXPECT_EQ(folderListing(), c.file ? "KDX.cfg" : "");
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
    if (!permissionsIgnored.empty())
        GTEST_SKIP() << permissionsIgnored;
    writeFile("KDX.cfg", "pause 3\r\n");
    makeReadOnly(folder / "KDX.cfg");
    expectRefused(kdxcfg({"set", "pause=4"}), "could not be written: Permission denied");
    makeWritable(folder / "KDX.cfg");
    EXPECT_EQ(readFile("KDX.cfg"), "pause 3\r\n");
    EXPECT_EQ(folderListing(), "KDX.cfg");
}

} // namespace
