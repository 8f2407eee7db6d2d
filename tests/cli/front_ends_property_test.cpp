// kdxcfg's runs, arguments as given, against the window's part in the same
// edits: the control panel as a user works it, then the window's save. Each
// run reads anew what the one before wrote, as kdxcfg does; after each run
// both hold the same bytes. The random edits of the same comparison are
// requested_edit_test.cpp's, made on the core that kdxcfg runs.
#include "support/random_edits.h"
#include "support/window_on_panel.h"

#include "cli/kdxcfg.h"
#include "files/file_access.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace {

using namespace kdx::test;
using KdxcfgRun = std::vector<std::string>; // kdxcfg's arguments after --file

struct FixedCase {
    std::string file;
    std::vector<KdxcfgRun> runs;
    std::string codePage = {}; // --code-page; the system's code pages where empty
};

const FixedCase fixedCases[] = {
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

// The edit that a run of set or command asks, as the window's user makes it.
kdx::RequestedEdit editOf(const KdxcfgRun &run)
{
    kdx::RequestedEdit edit;
    if (run[0] == "set") {
        for (auto entry = run.begin() + 1; entry != run.end(); ++entry) {
            const std::size_t equals = entry->find('=');
            edit.settings.push_back({kdx::settingIndex(entry->substr(0, equals)), entry->substr(equals + 1)});
        }
    } else {
        edit.commands = kdx::CommandSlotSet{std::stoi(run[2]), run[1] == "set" ? run[3] : ""};
    }
    return edit;
}

std::string bytesIn(const std::filesystem::path &path)
{
    auto read = kdx::files::readWhole(path);
    return std::holds_alternative<std::string>(read) ? std::get<std::string>(read) : "(none)";
}

TEST(FrontEnds, SameRunsGiveTheSameBytes)
{
    // A folder of this run's own: another run of the test may be going on beside it.
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("kdx_front_ends_property_test." + std::to_string(std::random_device()()));
    std::filesystem::create_directories(folder);
    const std::filesystem::path kdxcfgFile = folder / "KDX.cfg";

    for (std::size_t number = 0; number < std::size(fixedCases); ++number) {
        const FixedCase &tried = fixedCases[number];
        ASSERT_FALSE(kdx::files::writeAtomically(kdxcfgFile, tried.file));
        const kdx::FileCodePages codePages =
            tried.codePage.empty() ? kdx::systemCodePages() : std::get<kdx::FileCodePages>(kdx::codePagesNamed(tried.codePage));
        std::string windowFile = tried.file;
        std::string done;
        for (const KdxcfgRun &run : tried.runs) {
            KdxcfgRun arguments{"--file", kdx::files::utf8FromPath(kdxcfgFile)};
            if (!tried.codePage.empty())
                arguments.insert(arguments.end(), {"--code-page", tried.codePage});
            arguments.insert(arguments.end(), run.begin(), run.end());
            std::ostringstream out, err;
            const int status = kdx::cli::runKdxcfg(arguments, out, err);
            const std::optional<std::string> windowWrote = WindowOnPanel(windowFile, codePages).perform(editOf(run));
            windowFile = windowWrote.value_or(windowFile);
            for (const std::string &argument : run)
                done += " [" + printable(argument) + "]";
            const std::string context = "fixed case " + std::to_string(number + 1) + "\nfile: " + printable(tried.file)
                                        + "\nruns:" + done + "\nkdxcfg said: " + printable(err.str());

            ASSERT_EQ(status, windowWrote ? 0 : 2) << context;
            ASSERT_EQ(printable(bytesIn(kdxcfgFile)), printable(windowFile)) << context;
        }
    }
    std::filesystem::remove_all(folder);
}

} // namespace
