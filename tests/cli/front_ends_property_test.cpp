// kdxcfg against the window's part in the same edits, without the window: the
// control panel as a user works it, then the window's save or clean output.
// Fixed cases, then seeded random files with random runs; after each run both
// folders hold the same bytes. As kdxcfg reads anew for each run, the window
// reloads what it wrote, and after a run that wrote nothing a new window drops
// the edits. A failure names the seed, which KDX_SEED=N repeats alone.
#include "support/random_edits.h"

#include "cli/kdxcfg.h"
#include "config/config_reader.h"
#include "config/config_writers.h"
#include "config/control_panel.h"
#include "files/file_access.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <sstream>

namespace {

using namespace kdx::test;
using kdx::SettingKind;
using kdx::test::Run;
using Folder = std::map<std::string, std::string>; // file name → bytes

// The main window's part of a run: a user's changes to the controls, then the
// button that writes.
class WindowOnPanel {
public:
    WindowOnPanel(Folder &folder, const kdx::FileCodePages &codePages) : folder_(folder), cfg_(codePages), panel_(cfg_)
    {
        reload();
    }

    void reload()
    {
        kdx::readConfiguration(cfg_, folder_.at("KDX.cfg"));
        panel_.ShowSettings();
    }

    // True when the window saved KDX.cfg or wrote its clean output.
    bool perform(const kdx::test::Run &run)
    {
        if (run[0] == "set") {
            for (auto entry = run.begin() + 1; entry != run.end(); ++entry) {
                const std::size_t equals = entry->find('=');
                change(kdx::settingIndex(entry->substr(0, equals)), entry->substr(equals + 1));
            }
            return write("KDX.cfg", kdx::annotatedSave(cfg_));
        }
        if (run[0] == "clean") {
            const auto kind = run.size() == 2 ? kdx::CleanOutputKind::AllSettings : kdx::CleanOutputKind::LeaveOutDefaults;
            return write(run.back(), kdx::cleanOutput(cfg_, kind));
        }
        if (run[1] == "add") {
            const auto &commands = cfg_.CustomCommands;
            if (std::any_of(commands.begin(), commands.end(),
                            [&](const kdx::CustomCommand &held) { return held.Text == run[2]; }))
                return write("KDX.cfg", kdx::annotatedSave(cfg_)); // the command is there already
            for (int slot = 1; slot <= kdx::CustomCommandSlotCount; ++slot)
                if (commands[slot].Text.empty())
                    return editCommand(slot, run[2]);
            return false; // all slots in use: nothing to do
        }
        return editCommand(std::stoi(run[2]), run[1] == "set" ? run[3] : "");
    }

private:
    bool write(const std::string &name, const std::string &bytes)
    {
        if (kdx::findUnencodable(cfg_))
            return false;
        folder_[name] = bytes;
        return true;
    }

    bool editCommand(int slot, const std::string &text)
    {
        cfg_.CustomCommands[slot].Text = text;
        panel_.ShowCustomCommands();
        return write("KDX.cfg", kdx::annotatedSave(cfg_));
    }

    // Makes the control show the value in a way that runs its handler: a box
    // takes the text; a check box, a bar or an option already showing the value
    // while the setting holds another text is changed and changed back.
    void change(int index, const std::string &value)
    {
        const kdx::ControlStates &shown = panel_.states();
        const bool stored = cfg_.SettingTable[index].Value == value;
        switch (kindOf(index)) {
        case SettingKind::OnOff: {
            const bool ticked = value == "on";
            if (shown.chkCVAR.at(index) == ticked && !stored)
                panel_.chkCVAR_Click(index, !ticked);
            panel_.chkCVAR_Click(index, ticked);
            return;
        }
        case SettingKind::Skill: {
            const int position = std::stoi(value);
            if (shown.scrlSkill.at(index) == position && !stored)
                panel_.scrlSkill_Change(index, position == kdx::HighestSkill ? position - 1 : position + 1);
            panel_.scrlSkill_Change(index, position);
            return;
        }
        case SettingKind::Option: {
            const int option = std::stoi(value);
            if (shown.radRadio == option && !stored)
                panel_.radRadio_Click(option == 0 ? 1 : 0);
            panel_.radRadio_Click(option);
            return;
        }
        case SettingKind::Text:
            panel_.txtCVAR_Change(index, value);
            return;
        case SettingKind::WholeNumber:
            panel_.numCVAR_Change(index, value);
            return;
        case SettingKind::Seconds:
            panel_.timCVAR_Change(index, value);
            return;
        }
    }

    Folder &folder_;
    kdx::KDXCfg cfg_;
    kdx::ControlPanel panel_;
};

std::string bytesIn(const std::filesystem::path &path)
{
    auto read = kdx::files::readWhole(path);
    return std::holds_alternative<std::string>(read) ? std::get<std::string>(read) : "(none)";
}

std::string bytesIn(const Folder &folder, const std::string &name)
{
    const auto file = folder.find(name);
    return file == folder.end() ? "(none)" : file->second;
}

TEST(FrontEnds, SameEditsGiveTheSameBytes)
{
    const char *oneSeed = std::getenv("KDX_SEED");
    const unsigned firstSeed = oneSeed ? unsigned(std::stoul(oneSeed)) : 20261207;
    const std::size_t fixed = std::size(fixedCases);
    // A folder of this run's own: another run of the test may be going on beside it.
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("kdx_front_ends_property_test." + std::to_string(std::random_device()()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::filesystem::path kdxcfgFile = folder / "KDX.cfg";

    for (std::size_t number = oneSeed ? fixed : 0; number < fixed + (oneSeed ? 1 : KDX_RANDOM_CASES); ++number) {
        const unsigned seed = firstSeed + unsigned(number - fixed);
        std::mt19937 random(seed);
        const Case tried = number < fixed ? fixedCases[number] : randomCase(random);
        const std::string name = number < fixed ? "fixed case " + std::to_string(number + 1) : "seed " + std::to_string(seed);

        std::filesystem::remove(folder / "clean.cfg");
        ASSERT_FALSE(kdx::files::writeAtomically(kdxcfgFile, tried.file));
        const kdx::FileCodePages codePages =
            tried.codePage.empty() ? kdx::systemCodePages() : std::get<kdx::FileCodePages>(kdx::codePagesNamed(tried.codePage));
        Folder windowFolder{{"KDX.cfg", tried.file}};
        auto window = std::make_unique<WindowOnPanel>(windowFolder, codePages);
        std::string done;
        for (const kdx::test::Run &run : tried.runs) {
            kdx::test::Run arguments{"--file", kdx::files::utf8FromPath(kdxcfgFile)};
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
            const bool windowWrote = !notRepeatable && window->perform(run);
            for (const std::string &argument : run)
                done += " [" + printable(argument) + "]";
            done += " -> " + std::to_string(status) + ";";
            const std::string context = name + "\nfile: " + printable(tried.file) + " (code page "
                                        + (tried.codePage.empty() ? "the system's" : tried.codePage) + ")\nruns:" + done
                                        + "\nkdxcfg said: " + printable(err.str());

            ASSERT_EQ(status, windowWrote ? 0 : 2) << context;
            for (const std::string written : {"KDX.cfg", "clean.cfg"})
                ASSERT_EQ(printable(bytesIn(folder / written)), printable(bytesIn(windowFolder, written)))
                    << written << " differs; " << context;

            if (!windowWrote)
                window = std::make_unique<WindowOnPanel>(windowFolder, codePages);
            else if (run[0] != "clean" || run.back() == "KDX.cfg")
                window->reload();
        }
    }
    std::filesystem::remove_all(folder);
}

} // namespace
