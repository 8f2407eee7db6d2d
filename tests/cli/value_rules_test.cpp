// The window's value rules in the core: what a fresh file's values become when
// the window first shows them, and what a control can show.
#include "config/number_text.h"
#include "config/value_rules.h"
#include "value_entry_cases.h"

#include <gtest/gtest.h>

namespace {

using namespace kdx;

using test::settingIndex;

// Each case: values as a file gives them, and what they are once shown.
TEST(ValueRules, FirstShowStoresWhatTheControlsShow)
{
    const struct {
        std::vector<std::pair<std::string, std::string>> read;
        std::vector<std::pair<std::string, std::string>> stored;
    } cases[] = {
        {{{"pause", "3.7"}}, {{"pause", "3"}}},
        {{{"pause", "12abc"}}, {{"pause", "12"}}},
        {{{"pause", "-4"}}, {{"pause", "0"}}},
        {{{"timer_sound", "5"}}, {{"timer_sound", "1.0"}}},
        {{{"timer_sound", "0.05"}}, {{"timer_sound", "0.1"}}},
        {{{"timer_pickup", "0.5s"}}, {{"timer_pickup", "0.5s"}}},
        {{{"timer_pickup", "0."}}, {{"timer_pickup", "0."}}},
        {{{"timer_pickup", ""}}, {{"timer_pickup", ""}}},
        {{{"minbotskill", "81.5"}}, {{"minbotskill", "82"}}},
        {{{"minbotskill", "80.5"}}, {{"minbotskill", "80.5"}}},
        {{{"maxbotskill", "150"}}, {{"maxbotskill", "100"}}},
        {{{"minbotskill", "high"}}, {{"minbotskill", "1"}}},
        {{{"radio", "1.5"}}, {{"radio", "2"}}},
        {{{"radio", "0.4"}}, {{"radio", "0.4"}}},
        {{{"radio", "7"}}, {{"radio", "7"}}},
        {{{"clantags", "On"}}, {{"clantags", "On"}}},
        {{{"wptfolder", " my maps\\"}}, {{"wptfolder", " my maps\\"}}},
        {{{"min_bots", "20"}, {"max_bots", "24"}}, {{"min_bots", "20"}, {"max_bots", "24"}}},
        {{{"min_bots", "30"}, {"max_bots", "24.5"}}, {{"min_bots", "24"}, {"max_bots", "24"}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.read.front().first + " " + c.read.front().second);
        SettingTable table;
        for (const auto &[key, value] : c.read)
            table[settingIndex(key)].Value = value;
        const SettingTable before = table;
        const std::vector<ValueChange> changes = tidyAsFirstShown(table);
        for (const auto &[key, value] : c.stored)
            EXPECT_EQ(table[settingIndex(key)].Value, value) << key;
        for (const ValueChange &change : changes) {
            EXPECT_EQ(change.before, before[change.index].Value);
            EXPECT_EQ(change.after, table[change.index].Value);
            EXPECT_NE(change.before, change.after);
        }
        EXPECT_TRUE(tidyAsFirstShown(table).empty()) << "a second show changes nothing";
    }
}

TEST(ValueRules, ControlsShowOnlyWhatTheyCan)
{
    const struct {
        const char *key;
        const char *value;
        bool shown;
    } cases[] = {
        {"clantags", "on", true},     {"clantags", "On", false},  {"clantags", "", false},
        {"radio", "3", true},         {"radio", "3.4", true},     {"radio", "9", false},
        {"radio", "-1", false},       {"minbotskill", "1", true}, {"minbotskill", "0.4", false},
        {"maxbotskill", "100.5", true}, {"maxbotskill", "101", false}, {"pause", "x", true},
    };
    for (const auto &c : cases)
        EXPECT_EQ(controlCanShow(settingIndex(c.key), c.value), c.shown) << c.key << " " << c.value;
}

TEST(ValueRules, HoldsNumberWhereDigitsBegin)
{
    for (const char *text : {"0", "12abc", " - 5", ".5", "&H1F", "&o7", "1e"})
        EXPECT_TRUE(holdsNumber(text)) << text;
    for (const char *text : {"", "-", ".", "abc", "&H", "&X1", "e5", "+"})
        EXPECT_FALSE(holdsNumber(text)) << text;
}

} // namespace
