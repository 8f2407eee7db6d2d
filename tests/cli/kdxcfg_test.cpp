// kdxcfg run on files in a work folder: exit status, standard output and error
// apart, and the files it leaves.
#include "support/work_folder_test.h"
#include "support/case_file.h"

#include "cli/config_session.h"
#include "cli/kdxcfg.h"

#include <gtest/gtest.h>

#include <sstream>

#ifndef _WIN32
#include <sys/stat.h>
#endif

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
    void expectRefused(const ProgramRun &run, const std::string &about) const
    {
        EXPECT_EQ(run.status, 2) << run.err;
        EXPECT_NE(run.err.find(about), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
};

TEST_F(Kdxcfg, HelpGoesToStandardOutput)
{
    for (const std::vector<std::string> &arguments :
         {std::vector<std::string>{"--help"}, {"set", "--help"}, {"command", "add", "--help"}, {"check", "--help"}}) {
        SCOPED_TRACE(arguments.front());
        const ProgramRun run = kdxcfg(arguments);
        EXPECT_EQ(run.status, 0);
        EXPECT_NE(run.out.find("Exit status:\n  0  "), std::string::npos) << run.out;
        EXPECT_EQ(run.err, "");
    }
}

TEST_F(Kdxcfg, RunsOnOneFileGiveTheirStatusOutputAndFile)
{
    for (const CaseBlock &block : readCaseFile(KDX_CLI_TEST_DATA "/kdxcfg_runs.txt")) {
        ASSERT_FALSE(block.empty()) << "a run without entries in kdxcfg_runs.txt";
        std::optional<std::string> file, after;
        std::vector<std::string> arguments;
        std::string out, err;
        int status = -1;
        for (const CaseEntry &entry : block) {
            if (entry.name == "file")
                file = file.value_or("") + entry.value;
            else if (entry.name == "after")
                after = after.value_or("") + entry.value;
            else if (entry.name == "status")
                status = std::stoi(entry.value);
            else if (entry.name == "out")
                out += entry.value;
            else if (entry.name == "err")
                err += entry.value;
            else if (entry.name == "run")
                for (std::size_t start = 0; !entry.value.empty() && start <= entry.value.size();) {
                    const std::size_t bar = std::min(entry.value.find('|', start), entry.value.size());
                    arguments.push_back(entry.value.substr(start, bar - start));
                    start = bar + 1;
                }
            else
                ADD_FAILURE() << "unknown entry '" << entry.name << "' on line " << entry.line;
        }
        SCOPED_TRACE("kdxcfg_runs.txt, block at line " + std::to_string(block.front().line));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        if (file)
            writeFile("KDX.cfg", *file);
        const ProgramRun run = kdxcfg(arguments);
        EXPECT_EQ(run.status, status);
        EXPECT_EQ(run.out, out);
        EXPECT_TRUE(err.empty() ? run.err.empty() : run.err.find(err) != std::string::npos) << run.err;
        EXPECT_EQ(readFile("KDX.cfg"), after.value_or(file.value_or("(unreadable)")));
        EXPECT_EQ(folderListing(), file || after ? "KDX.cfg" : "");
    }
}

TEST_F(Kdxcfg, CreateMakesAMissingFileThatFileNames)
{
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
    expectRefused(kdxcfg({"--dry-run", "set", "pause=4"}), "could not be written: Permission denied");
    makeWritable(folder / "KDX.cfg");
    makeReadOnly(folder);
    expectRefused(kdxcfg({"--dry-run", "set", "pause=4"}), "could not be written: Permission denied");
    makeWritable(folder);
    EXPECT_EQ(readFile("KDX.cfg"), "pause 3\r\n");
    EXPECT_EQ(folderListing(), "KDX.cfg");
}

// Another program's write between kdxcfg's read and its rename wins: kdxcfg
// reports it and writes nothing.
TEST_F(Kdxcfg, AFileChangedSinceItWasReadIsLeftToTheOtherProgram)
{
    writeFile("KDX.cfg", "pause 3\r\n");
    std::ostringstream err;
    auto session = kdx::cli::ConfigSession::open(folder / "KDX.cfg", kdx::systemCodePages(), false, err);
    ASSERT_TRUE(session);
    const kdx::CodePage &codePage = session->cfg().Encoding;
    writeFile("KDX.cfg", "pause 9\r\n");
    EXPECT_FALSE(session->write(folder / "KDX.cfg", "pause 4\r\n", codePage, false, err));
#ifndef _WIN32
    // A clean output under another name of the same file is a replacement of it too.
    std::filesystem::create_symlink("KDX.cfg", folder / "current.cfg");
    EXPECT_FALSE(session->write(folder / "current.cfg", "pause 4\r\n", codePage, false, err));
#endif
    EXPECT_NE(err.str().find("KDX.cfg: changed by another program since kdxcfg read it; nothing was written\n"),
              std::string::npos)
        << err.str();
    EXPECT_EQ(readFile("KDX.cfg"), "pause 9\r\n");
}

// A run that would write the same bytes writes nothing: cron jobs and fleet
// tools run kdxcfg again and again, and a file's time tells when it last changed.
TEST_F(Kdxcfg, AnUnchangedFileKeepsItsInodeAndTime)
{
    writeFile("KDX.cfg", "# mine\r\npause 3\r\n");
    ASSERT_EQ(kdxcfg({"clean", "lean.cfg"}).status, 0);
    const auto identity = [this](const char *name) {
        std::string text = std::to_string(std::filesystem::last_write_time(folder / name).time_since_epoch().count());
#ifndef _WIN32
        struct stat status {};
        stat((folder / name).c_str(), &status);
        text += " inode " + std::to_string(status.st_ino);
#endif
        return text;
    };
    const std::string cfg = identity("KDX.cfg"), lean = identity("lean.cfg");
    for (const auto &[arguments, message] :
         {std::pair<std::vector<std::string>, std::string>{{"set", "pause=3"}, "KDX.cfg unchanged\n"},
          {{"set", "--command", ""}, "KDX.cfg unchanged\n"},
          {{"clean", "lean.cfg"}, "lean.cfg unchanged\n"}}) {
        const ProgramRun run = kdxcfg(arguments);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.err, message);
    }
    EXPECT_EQ(identity("KDX.cfg"), cfg);
    EXPECT_EQ(identity("lean.cfg"), lean);
    EXPECT_EQ(folderListing(), "KDX.cfg lean.cfg");
}

} // namespace
