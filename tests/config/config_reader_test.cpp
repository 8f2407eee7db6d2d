#include "config_test_support.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using kdx::KDXCfg;
using kdx::Message;
using kdx::MessageIcon;
using kdx::test::JoinCrLf;
using kdx::test::ReadFresh;

const Message fileTooBig{"Error while loading",
                         "KDX.cfg is too big. Perhaps some values are not loaded - Those will be set to default.",
                         MessageIcon::None};

Message tooManyCommands(const std::string &line)
{
    return {"Too many custom commands", "'" + line + "' couldn't be stored.", MessageIcon::Exclamation};
}

std::string numberedLines(int count, const std::string &prefix)
{
    std::string text;
    for (int line = 1; line <= count; ++line)
        text += prefix + std::to_string(line) + "\r\n";
    return text;
}

int settingsFound(const KDXCfg &cfg)
{
    int found = 0;
    for (const kdx::SettingRow &row : cfg.SettingTable)
        found += row.FoundAtLine.has_value();
    return found;
}

TEST(ConfigReader, ReadsTheExampleFile)
{
    const auto [cfg, messages] = ReadFresh(JoinCrLf({
        "# a remark",
        "",
        "  pause 5",
        "autofill",
        "mp_roundtime 3.5",
        "pause 7",
    }));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(cfg.ConfigLines, (std::vector<std::string>{"# a remark", "", "pause 5", "autofill", "mp_roundtime 3.5",
                                                         "pause 7"}));
    EXPECT_EQ(cfg.SettingTable[4].Value, "7");
    EXPECT_EQ(cfg.SettingTable[4].FoundAtLine, 6);
    EXPECT_EQ(cfg.SettingTable[26].Value, "");
    EXPECT_EQ(cfg.SettingTable[26].FoundAtLine, 4);
    EXPECT_EQ(cfg.CustomCommands[1].Text, "mp_roundtime 3.5");
    EXPECT_EQ(cfg.CustomCommands[1].FoundAtLine, 5);
    EXPECT_EQ(cfg.CustomCommands[2].Text, "");
    EXPECT_EQ(cfg.CustomCommands[2].FoundAtLine, std::nullopt);
    EXPECT_EQ(settingsFound(cfg), 2);
    for (int index : {1, 2, 6, 11, 18})
        EXPECT_EQ(cfg.SettingTable[index].Value, cfg.SettingTable[index].DefaultValue) << "setting " << index;
}

// What a single line of the file is taken for.
TEST(ConfigReader, TellsTheKindOfEachLine)
{
    enum class Kind { Setting, CustomCommand, Ignored };
    struct Case {
        std::string line;
        std::string stored;
        Kind kind;
        int setting = 0;
        std::string value = {};
    };
    const Case cases[] = {
        {"pause  3", "pause  3", Kind::Setting, 4, " 3"},
        {"pause3", "pause3", Kind::Setting, 4, ""},
        {"pause 3", "pause 3", Kind::Setting, 4, "3"},
        {"  pause 5   ", "pause 5", Kind::Setting, 4, "5"},
        {"clantagsX off", "clantagsX off", Kind::Setting, 2, " off"},
        {"max_bots\t20", "max_bots\t20", Kind::Setting, 6, "20"},
        {"max_bots=20", "max_bots=20", Kind::Setting, 6, "20"},
        {"autofill", "autofill", Kind::Setting, 26, ""},
        {"autofill ", "autofill", Kind::Setting, 26, ""},
        {"pause 3 # three seconds", "pause 3 # three seconds", Kind::Setting, 4, "3 # three seconds"},
        {"pause 3\t", "pause 3\t", Kind::Setting, 4, "3\t"},
        {"timer_grenade 0.25", "timer_grenade 0.25", Kind::Setting, 20, "0.25"},
        {"wptfolder my folder", "wptfolder my folder", Kind::Setting, 1, "my folder"},
        {"\tpause 3", "\tpause 3", Kind::CustomCommand},
        {"Clantags on", "Clantags on", Kind::CustomCommand},
        {"mp_roundtime 3.5", "mp_roundtime 3.5", Kind::CustomCommand},
        {"  sv_gravity 800 ", "sv_gravity 800", Kind::CustomCommand},
        {"#clantags off", "#clantags off", Kind::Ignored},
        {"  # a remark", "# a remark", Kind::Ignored},
        {"#", "#", Kind::Ignored},
        {"", "", Kind::Ignored},
        {"     ", "", Kind::Ignored},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE("line '" + c.line + "'");
        const auto [cfg, messages] = ReadFresh(c.line + "\r\n");
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(cfg.ConfigLines, std::vector<std::string>{c.stored});
        EXPECT_EQ(settingsFound(cfg), c.kind == Kind::Setting ? 1 : 0);
        if (c.kind == Kind::Setting) {
            EXPECT_EQ(cfg.SettingTable[c.setting].Value, c.value);
            EXPECT_EQ(cfg.SettingTable[c.setting].FoundAtLine, 1);
        }
        const bool isCommand = c.kind == Kind::CustomCommand;
        EXPECT_EQ(cfg.CustomCommands[1].Text, isCommand ? c.stored : "");
        EXPECT_EQ(cfg.CustomCommands[1].FoundAtLine, isCommand ? std::optional<int>(1) : std::nullopt);
    }
}

TEST(ConfigReader, CommentedOutSettingKeepsItsValue)
{
    KDXCfg cfg;
    cfg.SettingTable[4].Value = "9";
    EXPECT_TRUE(kdx::ReadConfiguration(cfg, "#pause 5\r\n").empty());
    EXPECT_EQ(cfg.SettingTable[4].Value, "9");
    EXPECT_EQ(cfg.SettingTable[4].FoundAtLine, std::nullopt);
}

TEST(ConfigReader, LastOccurrenceOfASettingWins)
{
    const auto [cfg, messages] = ReadFresh(JoinCrLf({"#", "#", "#", "pause 4", "#", "#", "#", "#", "pause 9", "#"}));
    EXPECT_EQ(cfg.SettingTable[4].Value, "9");
    EXPECT_EQ(cfg.SettingTable[4].FoundAtLine, 9);
    EXPECT_EQ(cfg.ConfigLines[3], "pause 4");
}

TEST(ConfigReader, StoresEightCustomCommandsAndReportsEachFurtherOne)
{
    std::string file;
    for (int command = 1; command <= 10; ++command)
        file += "  cmd" + std::to_string(command) + " arg  \r\n";
    const auto [cfg, messages] = ReadFresh(file);

    for (int slot = 1; slot <= 8; ++slot) {
        EXPECT_EQ(cfg.CustomCommands[slot].Text, "cmd" + std::to_string(slot) + " arg");
        EXPECT_EQ(cfg.CustomCommands[slot].FoundAtLine, slot);
    }
    EXPECT_EQ(messages, (std::vector<Message>{tooManyCommands("cmd9 arg"), tooManyCommands("cmd10 arg")}));
    ASSERT_EQ(cfg.ConfigLineCount(), 10);
    EXPECT_EQ(cfg.ConfigLines[8], "cmd9 arg");
}

TEST(ConfigReader, NinthCommandGivesExactlyOneMessage)
{
    const auto [cfg, messages] = ReadFresh(numberedLines(9, "say "));
    EXPECT_EQ(messages, std::vector<Message>{tooManyCommands("say 9")});
    EXPECT_EQ(cfg.CustomCommands[8].Text, "say 8");
}

TEST(ConfigReader, ReadsAtMost256Lines)
{
    {
        const auto [cfg, messages] = ReadFresh(numberedLines(256, "# line "));
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(cfg.ConfigLineCount(), 256);
        EXPECT_TRUE(cfg.UnreadTail.empty());
    }
    {
        // The tail keeps its own line ends, blanks and bytes.
        const std::string tail = "max_bots 20\r\n  cmd x  \nlast\xff";
        const auto [cfg, messages] = ReadFresh(numberedLines(256, "# line ") + tail);
        EXPECT_EQ(messages, std::vector<Message>{fileTooBig});
        EXPECT_EQ(cfg.ConfigLineCount(), 256);
        EXPECT_EQ(cfg.ConfigLines.back(), "# line 256");
        EXPECT_EQ(cfg.UnreadTail, tail);
        EXPECT_EQ(cfg.SettingTable[6].Value, "16");
        EXPECT_EQ(cfg.SettingTable[6].FoundAtLine, std::nullopt);
        EXPECT_EQ(cfg.CustomCommands[1].Text, "");
    }
}

TEST(ConfigReader, MessagesComeInTheOrderTheyArise)
{
    const auto [cfg, messages] = ReadFresh(numberedLines(10, "cmd ") + numberedLines(250, "# "));
    EXPECT_EQ(messages, (std::vector<Message>{tooManyCommands("cmd 9"), tooManyCommands("cmd 10"), fileTooBig}));
}

TEST(ConfigReader, SplitsAtEveryKindOfLineEnd)
{
    struct Case {
        std::string name;
        std::string bytes;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"CR LF", "a\r\nb\r\n", {"a", "b"}},
        {"CR", "a\rb\r", {"a", "b"}},
        {"LF", "a\nb\n", {"a", "b"}},
        {"mixed", "a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        {"LF CR", "a\n\rb", {"a", "", "b"}},
        {"CR CR LF", "a\r\r\nb", {"a", "", "b"}},
        {"last line without end", "a\r\nb", {"a", "b"}},
        {"one line end only", "\r\n", {""}},
        {"blank lines", "\r\n\r\n  \r\n", {"", "", ""}},
        {"empty", "", {}},
    };
    for (const Case &c : cases) {
        const auto [cfg, messages] = ReadFresh(c.bytes);
        EXPECT_EQ(cfg.ConfigLines, c.lines) << c.name;
        EXPECT_TRUE(messages.empty()) << c.name;
    }
}

TEST(ConfigReader, SettingOnLineEndedByLineFeedAlone)
{
    const auto [cfg, messages] = ReadFresh("pause 5\nmax_bots 20\r\n");
    EXPECT_EQ(cfg.SettingTable[4].Value, "5");
    EXPECT_EQ(cfg.SettingTable[6].Value, "20");
    EXPECT_EQ(cfg.SettingTable[6].FoundAtLine, 2);
}

TEST(ConfigReader, SecondReadForgetsTheFirstFile)
{
    KDXCfg cfg;
    kdx::ReadConfiguration(cfg, numberedLines(256, "cmd ") + "tail\r\n");
    kdx::ReadConfiguration(cfg, JoinCrLf({"# first", "pause 5", "max_bots 20", "say hi", "say ho"}));
    cfg.SettingTable[2].Value = "off"; // the user's edit, which the next file doesn't hold

    const std::vector<Message> messages = kdx::ReadConfiguration(cfg, JoinCrLf({"pause 7", "say again"}));

    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(cfg.ConfigLines, (std::vector<std::string>{"pause 7", "say again"}));
    EXPECT_TRUE(cfg.UnreadTail.empty());
    EXPECT_EQ(cfg.SettingTable[4].Value, "7");
    EXPECT_EQ(cfg.SettingTable[4].FoundAtLine, 1);
    EXPECT_EQ(cfg.SettingTable[6].Value, "20");
    EXPECT_EQ(cfg.SettingTable[6].FoundAtLine, std::nullopt);
    EXPECT_EQ(cfg.SettingTable[2].Value, "off");
    EXPECT_EQ(cfg.CustomCommands[1].Text, "say again");
    EXPECT_EQ(cfg.CustomCommands[1].FoundAtLine, 2);
    for (int slot = 2; slot <= 8; ++slot) {
        EXPECT_EQ(cfg.CustomCommands[slot].Text, "") << "slot " << slot;
        EXPECT_EQ(cfg.CustomCommands[slot].FoundAtLine, std::nullopt) << "slot " << slot;
    }
}

TEST(ConfigReader, KeepsEveryByteOfALine)
{
    using namespace std::string_literals;
    const std::string command = "say \0\x01\xff\xfe caf\xe9"s;
    const auto [cfg, messages] = ReadFresh("# \x7f\x00\r\n"s + command + "\r\nwptfolder \xe4\0x"s);
    EXPECT_EQ(cfg.ConfigLines[0], "# \x7f\x00"s);
    EXPECT_EQ(cfg.CustomCommands[1].Text, command);
    EXPECT_EQ(cfg.SettingTable[1].Value, "\xe4\0x"s);
    EXPECT_EQ(cfg.Encoding, kdx::TextEncoding::Latin1);
}

TEST(ConfigReader, DetectsTheEncoding)
{
    using kdx::TextEncoding;
    struct Case {
        std::string name;
        std::string bytes;
        TextEncoding expected;
    };
    const Case cases[] = {
        {"empty", "", TextEncoding::Utf8},
        {"ASCII", "pause 3\r\n", TextEncoding::Utf8},
        {"UTF-8 umlauts", "# Gr\xc3\xbc\xc3\x9f" "e\r\n", TextEncoding::Utf8},
        {"four-byte UTF-8", "say \xf0\x9f\x98\x80\r\n", TextEncoding::Utf8},
        {"Latin-1 umlaut", "# Gr\xfc\xdf" "e\r\n", TextEncoding::Latin1},
        {"overlong slash", "# \xc0\xaf\r\n", TextEncoding::Latin1},
        {"surrogate", "# \xed\xa0\x80\r\n", TextEncoding::Latin1},
        {"above U+10FFFF", "# \xf4\x90\x80\x80\r\n", TextEncoding::Latin1},
        {"cut-off sequence at the end", "# \xe2\x82", TextEncoding::Latin1},
        {"stray continuation byte", "# \x80\r\n", TextEncoding::Latin1},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ReadFresh(c.bytes).cfg.Encoding, c.expected) << c.name;
}

TEST(ConfigReader, EmptyInputGivesNoLinesAndNoMessage)
{
    const auto [cfg, messages] = ReadFresh("");
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(cfg.ConfigLineCount(), 0);
    EXPECT_EQ(settingsFound(cfg), 0);
}

} // namespace
