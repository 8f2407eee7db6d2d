#include "config/config_writers.h"
#include "config_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {

using kdx::KDXCfg;
using kdx::test::ReadFresh;
using kdx::test::SplitCrLf;

namespace fs = std::filesystem;

const fs::path goldenDir = KDX_GOLDEN_DIR;

std::string readBytes(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<fs::path> goldenInputs()
{
    std::vector<fs::path> inputs;
    for (const fs::directory_entry &entry : fs::directory_iterator(goldenDir))
        if (entry.path().string().ends_with(".in.cfg"))
            inputs.push_back(entry.path());
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

std::string firstDifference(const std::string &actual, const std::string &expected)
{
    const std::vector<std::string> actualLines = SplitCrLf(actual);
    const std::vector<std::string> expectedLines = SplitCrLf(expected);
    const auto [a, e] = std::mismatch(actualLines.begin(), actualLines.end(), expectedLines.begin(), expectedLines.end());
    const auto line = std::to_string(a - actualLines.begin() + 1);
    return "first difference on line " + line + ": written [" + (a == actualLines.end() ? "<end>" : *a) +
           "], expected [" + (e == expectedLines.end() ? "<end>" : *e) + "]";
}

TEST(GoldenFiles, AnnotatedSaveAfterReadGivesTheExpectedFile)
{
    const std::vector<fs::path> inputs = goldenInputs();
    ASSERT_GE(inputs.size(), 5u) << "golden inputs in " << goldenDir;
    for (const fs::path &input : inputs) {
        const std::string name = input.filename().string();
        const fs::path output = goldenDir / (name.substr(0, name.size() - std::string(".in.cfg").size()) + ".out.cfg");
        ASSERT_TRUE(fs::exists(output)) << output;
        const std::string written = kdx::AnnotatedSave(ReadFresh(readBytes(input)).cfg);
        const std::string expected = readBytes(output);
        EXPECT_EQ(written, expected) << name << ": " << firstDifference(written, expected);
    }
}

// Random configuration files made of the kinds of line that real ones hold, with
// every kind of line end.
class RandomConfigFile {
public:
    explicit RandomConfigFile(unsigned seed) : random_(seed) {}

    std::string make()
    {
        const int lineCount = pick(5) == 0 ? between(250, 270) : between(0, 40);
        std::string file;
        for (int line = 1; line <= lineCount; ++line) {
            file += std::string(static_cast<std::size_t>(between(0, 2)), ' ') + content() +
                    std::string(static_cast<std::size_t>(between(0, 2)), ' ');
            if (line < lineCount || pick(2) == 0)
                file += oneOf({"\r\n", "\r", "\n"});
        }
        return file;
    }

    template <typename T>
    T oneOf(std::initializer_list<T> choices)
    {
        return *(choices.begin() + pick(static_cast<int>(choices.size())));
    }
    int pick(int count) { return between(0, count - 1); }

private:
    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    std::string content()
    {
        using namespace std::string_literals;
        switch (pick(5)) {
        case 0:
        case 1:
            return std::string(kdx::SettingDefinitions[static_cast<std::size_t>(pick(kdx::SettingCount))].key) +
                   oneOf<std::string>({" ", "\t", "=", "", "  ", "X"}) +
                   oneOf<std::string>({"on", "off", "3", "0.5", "wptKDX", "", " 7", "4 # remark", "x\t"});
        case 2:
            return oneOf<std::string>({"# remark", "#pause 3", "#", "# \xe9t\xe9", "  # indented"});
        case 3:
            return oneOf<std::string>({"", "   "});
        default:
            return oneOf<std::string>({"mp_roundtime 3.5", "sv_gravity 800", "\tpause 2", "Clantags on",
                                       "say \xff\0 hi"s, "mp_timelimit 20\t"});
        }
    }

    std::mt19937 random_;
};

// What the window may do to a model: change values to what its controls produce,
// change found commands and fill the free slots after them.
void editLikeTheWindow(KDXCfg &cfg, RandomConfigFile &random)
{
    for (kdx::SettingRow &row : cfg.SettingTable)
        if (random.pick(3) == 0)
            row.Value = random.oneOf<std::string>({"on", "off", "On", "5", "0.25", "wptX", "", " 3", "a # b"});
    // A re-read fills the slots without gaps, so free slots are filled in order.
    bool filling = true;
    for (kdx::CustomCommand &slot : cfg.CustomCommands) {
        const bool change = random.pick(3) != 0;
        filling = filling && (!slot.Text.empty() || change);
        if (change && (!slot.Text.empty() || filling))
            slot.Text = random.oneOf<std::string>({"say edited", "mp_freezetime 0", "sv_cheats 0"});
    }
}

// Lines after the 256th and lines added at the end lie beyond what a read takes
// in, so edits are only made where the saved file still fits.
bool editsFit(const KDXCfg &cfg)
{
    return cfg.UnreadTail.empty() && cfg.ConfigLineCount() + 2 * (kdx::SettingCount + kdx::CustomCommandSlotCount) <= 256;
}

std::size_t linesReplacedBy(const KDXCfg &cfg, int line)
{
    std::size_t count = 0;
    for (const kdx::SettingRow &row : cfg.SettingTable)
        count += row.FoundAtLine == line;
    for (const kdx::CustomCommand &slot : cfg.CustomCommands)
        count += slot.FoundAtLine == line;
    return count;
}

void expectReadSaveReadKeepsTheFile(const std::string &name, const std::string &input, RandomConfigFile &random)
{
    SCOPED_TRACE(name);
    auto [cfg, messages] = ReadFresh(input);
    const bool edited = editsFit(cfg) && random.pick(2) == 0;
    if (edited)
        editLikeTheWindow(cfg, random);

    const std::string saved = kdx::AnnotatedSave(cfg);
    const auto [again, messagesAgain] = ReadFresh(saved);

    for (int index = 1; index <= kdx::SettingCount; ++index)
        EXPECT_EQ(again.SettingTable[index].Value, cfg.SettingTable[index].Value) << "setting " << index;
    for (int slot = 1; slot <= kdx::CustomCommandSlotCount; ++slot)
        EXPECT_EQ(again.CustomCommands[slot].Text, cfg.CustomCommands[slot].Text) << "slot " << slot;
    if (!edited) {
        EXPECT_EQ(messagesAgain, messages);
    }

    const std::vector<std::string> savedLines = SplitCrLf(saved);
    ASSERT_GE(savedLines.size(), cfg.ConfigLines.size());
    std::size_t tailStart = 0;
    for (int line = 1; line <= cfg.ConfigLineCount(); ++line) {
        const std::string &written = savedLines[static_cast<std::size_t>(line - 1)];
        if (linesReplacedBy(cfg, line) == 0) {
            EXPECT_EQ(written, cfg.ConfigLines[static_cast<std::size_t>(line - 1)]) << "line " << line;
        }
        tailStart += written.size() + 2;
    }
    EXPECT_EQ(saved.substr(tailStart, cfg.UnreadTail.size()), cfg.UnreadTail);
    EXPECT_TRUE(input.ends_with(cfg.UnreadTail));
}

TEST(RoundTrip, ReadSaveReadKeepsValuesCommandsAndUntouchedLines)
{
    RandomConfigFile random(20261206);
    for (const fs::path &input : goldenInputs())
        expectReadSaveReadKeepsTheFile(input.filename().string(), readBytes(input), random);
    for (int file = 1; file <= 400; ++file)
        expectReadSaveReadKeepsTheFile("generated file " + std::to_string(file), random.make(), random);
}

} // namespace
