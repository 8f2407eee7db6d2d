#include "config/config_writers.h"
#include "config_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using kdx::AnnotatedSave;
using kdx::CleanOutput;
using kdx::CleanOutputKind;
using kdx::KDXCfg;
using kdx::test::DescribeModel;
using kdx::test::IsCrLfThroughout;
using kdx::test::JoinCrLf;
using kdx::test::ReadFresh;
using kdx::test::SplitCrLf;
using Lines = std::vector<std::string>;

// The annotated save's lines, after checking what holds for every save: CR LF
// after every line, the same bytes from a second save, and a model left as it was.
Lines annotatedLines(const KDXCfg &cfg)
{
    const std::string before = DescribeModel(cfg);
    const std::string saved = AnnotatedSave(cfg);
    EXPECT_TRUE(IsCrLfThroughout(saved));
    EXPECT_EQ(AnnotatedSave(cfg), saved) << "a second save wrote other bytes";
    EXPECT_EQ(DescribeModel(cfg), before) << "the save changed the model";
    return SplitCrLf(saved);
}

Lines cleanLines(const KDXCfg &cfg, CleanOutputKind kind)
{
    const std::string before = DescribeModel(cfg);
    const std::string written = CleanOutput(cfg, kind);
    EXPECT_TRUE(IsCrLfThroughout(written));
    EXPECT_EQ(DescribeModel(cfg), before) << "the clean output changed the model";
    return SplitCrLf(written);
}

const Lines allSettingsHeader = {
    "#### VEVaduDori 1.0 for E[VRK]bot IIId ####",
    "# This KDX.cfg file is generated out of all the CVARs",
    "# All comments and blank lines are removed, CVARs are in Standard order",
    "#",
};

const Lines leaveOutDefaultsHeader = {
    "#### VEVaduDori 1.0 for E[VRK]bot IIId ####",
    "# This KDX.cfg file is generated out of all the CVARs, ",
    "# except those which are default value.",
    "# All comments and blank lines are removed, CVARs are in Standard order",
    "#",
};

Lines concat(Lines first, const Lines &second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

std::string nineCommands()
{
    std::string file;
    for (int command = 1; command <= 9; ++command)
        file += "say " + std::to_string(command) + "\r\n";
    return file;
}

TEST(AnnotatedSave, WritesTheExample)
{
    KDXCfg cfg = ReadFresh(JoinCrLf({"# my bots", "pause 5", "mp_roundtime 3.5"})).cfg;
    cfg.SettingTable[4].Value = "4";
    cfg.SettingTable[6].Value = "20";
    cfg.CustomCommands[2].Text = "sv_gravity 800";
    EXPECT_EQ(annotatedLines(cfg),
              (Lines{"# my bots", "pause 4", "mp_roundtime 3.5", "", "max_bots 20", "", "sv_gravity 800"}));
}

TEST(AnnotatedSave, GivesTheFileBackInItsCanonicalForm)
{
    const KDXCfg cfg = ReadFresh("  # remark  \r\n\r\n   \r\nmax_bots\t20\rpause=5\nautofill\r\nsay hi  ").cfg;
    EXPECT_EQ(annotatedLines(cfg), (Lines{"# remark", "", "", "max_bots 20", "pause 5", "autofill ", "say hi"}));
}

TEST(AnnotatedSave, EarlierDuplicateStaysAsRead)
{
    KDXCfg cfg = ReadFresh(JoinCrLf({"pause 4", "# between", "pause  9"})).cfg;
    cfg.SettingTable[4].Value = "6";
    EXPECT_EQ(annotatedLines(cfg), (Lines{"pause 4", "# between", "pause 6"}));
}

TEST(AnnotatedSave, SettingBackAtItsDefaultStaysOnItsLine)
{
    KDXCfg cfg = ReadFresh(JoinCrLf({"max_bots 20"})).cfg;
    cfg.SettingTable[6].Value = "16";
    EXPECT_EQ(annotatedLines(cfg), Lines{"max_bots 16"});
}

TEST(AnnotatedSave, AddsChangedSettingsInIndexOrderBeforeNewCommands)
{
    KDXCfg cfg = ReadFresh(JoinCrLf({"# only a comment"})).cfg;
    cfg.CustomCommands[1].Text = "say added";
    cfg.SettingTable[6].Value = "20";
    cfg.SettingTable[4].Value = "5";
    cfg.SettingTable[2].Value = "on"; // the default: adds nothing
    cfg.SettingTable[3].Value = "On";
    EXPECT_EQ(annotatedLines(cfg),
              (Lines{"# only a comment", "", "skilltags On", "", "pause 5", "", "max_bots 20", "", "say added"}));
}

TEST(AnnotatedSave, DeletedCommandLeavesAnEmptyLine)
{
    KDXCfg cfg = ReadFresh(JoinCrLf({"say one", "say two", "say three"})).cfg;
    cfg.CustomCommands[2].Text.clear();
    cfg.CustomCommands[3].Text = "say 3";
    EXPECT_EQ(annotatedLines(cfg), (Lines{"say one", "", "say 3"}));
}

TEST(AnnotatedSave, NinthCommandLineIsWrittenBackUnchanged)
{
    KDXCfg cfg = ReadFresh(nineCommands()).cfg;
    cfg.CustomCommands[8].Text = "say eight";
    const Lines lines = annotatedLines(cfg);
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[7], "say eight");
    EXPECT_EQ(lines[8], "say 9");
}

TEST(AnnotatedSave, CarriesLinesAfterThe256thThroughBeforeTheAddedOnes)
{
    std::string head;
    for (int line = 1; line <= 256; ++line)
        head += "# " + std::to_string(line) + "\r\n";
    struct Case {
        std::string name;
        std::string tail;
        std::string tailAsWritten;
    };
    const Case cases[] = {
        {"tail with line end", "pause 9\r\n  keep\tme  \n", "pause 9\r\n  keep\tme  \n"},
        {"tail without line end", "pause 9\r\nlast \xff", "pause 9\r\nlast \xff\r\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        KDXCfg cfg = ReadFresh(head + c.tail).cfg;
        cfg.SettingTable[6].Value = "20";
        EXPECT_EQ(AnnotatedSave(cfg), head + c.tailAsWritten + JoinCrLf({"", "max_bots 20"}));
    }
}

TEST(AnnotatedSave, EmptyModelWritesNothing)
{
    EXPECT_EQ(AnnotatedSave(KDXCfg{}), "");
}

TEST(CleanOutput, AllSettingsWritesHeaderSettingsAndCommands)
{
    KDXCfg cfg;
    cfg.CustomCommands[1].Text = "mp_roundtime 3.5";
    const Lines expected = concat(allSettingsHeader, {
                                                         "wptfolder wptKDX",
                                                         "clantags on",
                                                         "skilltags on",
                                                         "pause 3",
                                                         "min_bots 0",
                                                         "max_bots 16",
                                                         "botchat on",
                                                         "radio 0",
                                                         "jasonmode off",
                                                         "minbotskill 80",
                                                         "maxbotskill 100",
                                                         "inhumanturns off",
                                                         "ultraskill off",
                                                         "botsfollowuser 3",
                                                         "maxweaponpickup 2",
                                                         "collectexperience on",
                                                         "shootthruwalls on",
                                                         "timer_sound 0.6",
                                                         "timer_pickup 0.4",
                                                         "timer_grenade 0.1",
                                                         "usespeech off",
                                                         "botvotekick on",
                                                         "botspray off",
                                                         "hostagefix on",
                                                         "patherrmsg off",
                                                         "autofill on",
                                                         "# These are custom server commands:",
                                                         "#",
                                                         "mp_roundtime 3.5",
                                                     });
    ASSERT_EQ(expected.size(), 33u);
    EXPECT_EQ(cleanLines(cfg, CleanOutputKind::AllSettings), expected);
}

TEST(CleanOutput, LeaveOutDefaultsWritesOnlyChangedSettings)
{
    KDXCfg cfg = ReadFresh(JoinCrLf({"# x", "mp_roundtime 3.5"})).cfg;
    cfg.SettingTable[4].Value = "5";
    cfg.SettingTable[6].Value = "20";
    cfg.CustomCommands[1].Text.clear();
    EXPECT_EQ(cleanLines(cfg, CleanOutputKind::LeaveOutDefaults),
              concat(leaveOutDefaultsHeader, {"pause 5", "max_bots 20"}));
}

TEST(CleanOutput, AllDefaultsWithoutCommandsGivesTheHeaderOnly)
{
    EXPECT_EQ(cleanLines(KDXCfg{}, CleanOutputKind::LeaveOutDefaults), leaveOutDefaultsHeader);
    EXPECT_EQ(cleanLines(KDXCfg{}, CleanOutputKind::AllSettings).size(), 30u);
}

TEST(CleanOutput, ValueDifferingOnlyInFormCountsAsChanged)
{
    KDXCfg cfg;
    cfg.SettingTable[2].Value = "On";
    cfg.SettingTable[6].Value = "16.0";
    cfg.SettingTable[18].Value = "";
    EXPECT_EQ(cleanLines(cfg, CleanOutputKind::LeaveOutDefaults),
              concat(leaveOutDefaultsHeader, {"clantags On", "max_bots 16.0", "timer_sound "}));
}

TEST(CleanOutput, WritesFilledSlotsInOrderUnderOneHeading)
{
    struct Case {
        std::string name;
        int emptiedSlot;
        Lines commands;
    };
    const Case cases[] = {
        {"slot 2 deleted", 2, {"say 1", "say 3"}},
        {"slot 1 deleted", 1, {"say 2", "say 3"}},
    };
    for (const Case &c : cases) {
        KDXCfg cfg = ReadFresh(JoinCrLf({"say 1", "say 2", "say 3"})).cfg;
        cfg.CustomCommands[c.emptiedSlot].Text.clear();
        const Lines part = concat({"# These are custom server commands:", "#"}, c.commands);
        for (CleanOutputKind kind : {CleanOutputKind::AllSettings, CleanOutputKind::LeaveOutDefaults}) {
            const Lines lines = cleanLines(cfg, kind);
            const Lines &header = kind == CleanOutputKind::AllSettings ? allSettingsHeader : leaveOutDefaultsHeader;
            const std::size_t settingLines = kind == CleanOutputKind::AllSettings ? 26 : 0;
            ASSERT_EQ(lines.size(), header.size() + settingLines + part.size()) << c.name;
            EXPECT_EQ(Lines(lines.end() - static_cast<long>(part.size()), lines.end()), part) << c.name;
        }
    }
}

TEST(CleanOutput, NinthCommandLineIsNotWritten)
{
    const KDXCfg cfg = ReadFresh(nineCommands()).cfg;
    const Lines lines = cleanLines(cfg, CleanOutputKind::LeaveOutDefaults);
    EXPECT_EQ(lines.back(), "say 8");
    EXPECT_EQ(lines.size(), leaveOutDefaultsHeader.size() + 2 + 8);
}

} // namespace
