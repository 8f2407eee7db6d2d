// The window's value rules in the core: what a control can show, where a text
// holds a number, and which name is the configuration file. What a first show
// stores is proven against the window by the front ends' differential test of tests/ui.
#include "config/file_names.h"
#include "config/number_text.h"
#include "config/value_rules.h"

#include <gtest/gtest.h>

namespace {

using namespace kdx;

TEST(ValueRules, ControlsShowOnlyWhatTheyCan)
{
    const struct {
        const char *key;
        const char *value;
        bool shown;
    } cases[] = {
        {"clantags", "on", true},      {"clantags", "On", false},      {"clantags", "", false},       {"radio", "3", true},
        {"radio", "3.4", true},        {"radio", "9", false},          {"radio", "-1", false},        {"minbotskill", "1", true},
        {"minbotskill", "0.4", false}, {"maxbotskill", "100.5", true}, {"maxbotskill", "101", false}, {"pause", "x", true},
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

// A clean output under such a name replaces KDX.cfg, so it asks first.
TEST(FileNames, TheConfigurationFileAsTheSystemNamesIt)
{
#ifdef _WIN32
    const bool windows = true;
#else
    const bool windows = false;
#endif
    for (const auto &[name, itself] :
         {std::pair{"KDX.cfg", true}, {"kdx.CFG", windows}, {"KDX.cfg. .", windows}, {"KDX.cfg2", false}})
        EXPECT_EQ(namesConfigFile(name), itself) << name;
}

} // namespace
