// Whole files: every golden/NAME.in.cfg, read and saved, gives NAME.out.cfg; and
// read -> save -> read keeps the bytes of values, commands and untouched lines, for
// the golden inputs and for generated files, about half of them edited as the
// window would; and every code page keeps every byte through decode and encode.
#include "save_round_trip.h"

#include "config/code_page.h"
#include "config/text_encoding.h"

#include <gtest/gtest.h>

#include <fstream>

#include <filesystem>
#include <iterator>
#include <random>

namespace {

using namespace kdx;
namespace fs = std::filesystem;

std::string readBytes(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(WholeFile, GoldenFilesAndReadSaveRead)
{
    using namespace std::string_literals;
    std::mt19937 random(20261206);
    auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    auto oneOf = [&](std::initializer_list<std::string> choices) { return choices.begin()[between(0, int(choices.size()) - 1)]; };
    auto line = [&]() -> std::string { // the kinds of line real files hold
        switch (between(0, 4)) {
        case 0:
        case 1:
            return std::string(SettingDefinitions[std::size_t(between(0, SettingCount - 1))].key)
                   + oneOf({" ", "\t", "=", "", "  ", "X"})
                   + oneOf({"on", "off", "3", "0.5", "wptKDX", "", " 7", "4 # remark", "x\t"});
        case 2:
            return oneOf({"# remark", "#pause 3", "#", "# \xe9t\xe9", "  # indented"});
        case 3:
            return oneOf({"", "   "});
        default:
            return oneOf(
                {"mp_roundtime 3.5", "sv_gravity 800", "\tpause 2", "Clantags on", "say \xff\0 hi"s, "mp_timelimit 20\t"});
        }
    };
    std::vector<std::string> inputs;
    for (const fs::directory_entry &entry : fs::directory_iterator(KDX_GOLDEN_DIR)) {
        if (fs::path out = entry.path(); out.string().ends_with(".in.cfg")) {
            KDXCfg cfg;
            readConfiguration(cfg, inputs.emplace_back(readBytes(entry.path())));
            EXPECT_EQ(annotatedSave(cfg), readBytes(out.replace_extension().replace_extension(".out.cfg"))) << entry;
        }
    }
    ASSERT_GE(inputs.size(), 5u) << "golden inputs in " << KDX_GOLDEN_DIR;
    for (int file = 1; file <= 400; ++file) {
        std::string &text = inputs.emplace_back();
        const int lineCount = between(0, 4) == 0 ? between(250, 270) : between(0, 40);
        for (int n = 1; n <= lineCount; ++n) {
            text += std::string(std::size_t(between(0, 2)), ' ') + line() + std::string(std::size_t(between(0, 2)), ' ');
            if (n < lineCount || between(0, 1) == 0)
                text += oneOf({"\r\n", "\r", "\n"});
        }
    }
    for (const std::string &input : inputs) {
        SCOPED_TRACE("input [" + input + "]");
        KDXCfg cfg;
        const std::vector<Message> messages = readConfiguration(cfg, input);
        // Edits only where the added lines keep the save within the 256 lines a read takes in.
        const bool edited = cfg.UnreadTail.empty() && cfg.ConfigLineCount() <= 256 - 2 * (SettingCount + 8) && between(0, 1);
        bool filling = true; // a re-read fills the slots without gaps, so free slots are filled in order
        for (CustomCommand &slot : cfg.CustomCommands) {
            const bool change = edited && between(0, 2) != 0;
            filling = filling && (!slot.Text.empty() || change);
            if (change && (!slot.Text.empty() || filling))
                slot.Text = oneOf({"say edited", "mp_freezetime 0", "sv_cheats 0"});
        }
        for (SettingRow &row : cfg.SettingTable)
            if (edited && between(0, 2) == 0)
                row.Value = oneOf({"on", "off", "On", "5", "0.25", "wptX", "", " 3", "a # b"});

        EXPECT_EQ(brokenBySave(cfg, edited ? nullptr : &messages), "");
        EXPECT_TRUE(input.ends_with(cfg.Encoding.encode(cfg.UnreadTail)));
    }
}

// Every byte survives a decode and encode in every code page an admin may
// name, whether the system's converter reads it as a character or not, and the
// text between is valid UTF-8 for the window: random bytes, mostly above 0x7F.
TEST(CodePages, EveryByteSurvivesDecodeAndEncode)
{
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> byte(0, 255);
    for (const char *name : {"874", "932", "936", "949", "950", "1250", "1251", "1252", "1253", "1254", "1255", "1256", "1257",
                             "1258", "866", "KOI8-R"}) {
        const std::optional<CodePage> codePage = CodePage::named(name);
        ASSERT_TRUE(codePage) << name;
        for (int i = 0; i < 300; ++i) {
            std::string bytes(std::size_t(byte(random) % 24), '\0');
            for (char &b : bytes)
                b = static_cast<char>(byte(random) < 40 ? byte(random) % 0x80 : 0x80 + byte(random) % 0x80);
            const std::string text = codePage->decode(bytes);
            ASSERT_TRUE(isValidUtf8(text)) << name;
            ASSERT_EQ(codePage->firstUnencodable(text), std::nullopt) << name;
            ASSERT_EQ(codePage->encode(text), bytes) << name;
        }
    }
}

} // namespace
