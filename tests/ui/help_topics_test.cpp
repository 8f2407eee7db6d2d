#include "ui/main/help_topics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct ExpectedTopic {
    int index;
    const char *title;
    const char *text;
};

// Typed apart from the program's own table, already joined, so that a slip in either
// shows up as a difference.
const ExpectedTopic ExpectedTopics[] = {
    {0, "server commands",
     "These commands, which are no bot commands,\r"
     "will be treated as server/console commands.\r"
     "For example, you can use 'mp_roundtime 3.5' \r"
     "to set the Roundtime to 3min 30sec."},
    {1, "wptfolder",
     "This sets the Waypoint Folder (in the VRK-Bot Directory)\r"
     "for loading/saving waypoints. Don't use spaces or a trailing backslash.\r"
     "This doesn't work for the first game you create (default is wptdefault),\r"
     "but when creating for the second time (or loading with newmap)."},
    {2, "clantags",
     "Use this option to on to turn on/off the clantags before the name.\r"
     "\r"
     "The clantags show the personality of a bot. E[VRK] = normal,\r"
     "e[VRK] = coward/defensive, 3[VRK] = psycho/aggressive."},
    {3, "skilltags",
     "Use this option to on to turn on/off \r"
     "the skilldisplay behind the name."},
    {4, "pause",
     "Wait for a few seconds, before the bots start to join,\r"
     "just to be sure the whole map has loaded \r"
     "and to give the player time to join in."},
    {5, "min_bots / max_bots",
     "Use these options to support a minimum and maximum number of bots \r"
     "running on the server.  Bots will be added to the server until the\r"
     "total number of players (bots and humans) reaches the max_bots value.\r"
     "Each time a new player joins the server, a bot will be kicked unless\r"
     "there are only min_bots number of bots in the game.\r"
     "After players disconnect from the server, bots will be automatically \r"
     "added back to the server until the total number of players reaches \r"
     "max_bots again."},
    {7, "botchat", "Use this option to toggle Botchatting"},
    {8, "radio",
     "Use this to restrict the bots' use of certain radio messages.\r"
     "\r"
     "FULL: use all messages (no restriction)\r"
     "REDUCED: do not use Negative, Enemy Down, Reporting In\r"
     "RESTRICTED: do not use Negative, Enemy Down, Reporting In,\r"
     "  Enemy Spotted, Roger, I 'm in position\r"
     "MUTE: do not use any messages (radio messages disabled)\r"
     "\r"
     "This only affects the use of radio messages by the bots.\r"
     "They will still react to radio commands from players but\r"
     "won't respond."},
    {9, "jasonmode",
     "This can be used to toggle Jason Mode (Knife-Only)!\r"
     "\r"
     "Different Weapon Modes (including Knife-Only) can\r"
     "be selected ingame by accessing the VIDUDU-Menu."},
    {10, "minbotskill / maxbotskill",
     "Use these to toggle bots' skill.\r"
     "100 is the highest skill and is like\r"
     "skill 100+ from VIDUDU 2.5.\r"
     "The lowest possible skill is 1."},
    {12, "inhumanturns",
     "Set the below option to on if you want the old combat behaviour\r"
     "(VIDUDU 1.2) of instantly turning around to the enemy."},
    {13, "ultraskill",
     "In UltraSkill-Mode Bots would get a skill 100 points higher than\r"
     "normal. E.g. if you add a skill 60 bot in ultraskill-mode, he will\r"
     "have a skill of 160. Turn this option to on, if you want to\r"
     "enable UltraSkill-Mode!"},
    {14, "botsfollowuser",
     "This value sets the maximum number of Bots to follow a User, when\r"
     "the radio command 'Follow Me!' is used."},
    {15, "maxweaponpickup",
     "This value sets the maximum number of weapons Bots are allowed to\r"
     "pickup during one round. I'm afraid you cannot set it to zero to\r"
     "turn off Weapon Pickup."},
    {16, "collectexperience",
     "Turn this on/off to allow the Bots collecting experience\r"
     "about the map they're playing (turning this off also prevents\r"
     "saving the .pxp Files and gives back some CPU performance)."},
    {17, "shootthruwalls",
     "This setting specifies if Bots are allowed to shoot through Walls\r"
     "if they saw an enemy or if they heard someone on the other Side of\r"
     "a Wall."},
    {18, "timer_sound",
     "This Setting here specifies the Rate (in Seconds) of updating\r"
     "the Bot Sound Checks. If you've got a slow computer you could\r"
     "try changing this to a higher value to get some performance back.\r"
     "\r"
     "NOTE: This seriously affects the Bots Perception. If you set this\r"
     "sound-value TOO LOW the bots will act very inhuman."},
    {19, "timer_pickup",
     "This Setting here specifies the Rate (in Seconds) of the Bots\r"
     "check for pickup items. If you've got a slow computer you could\r"
     "try changing this to a higher value to get some performance back.\r"
     "\r"
     "NOTE: This seriously affects the Bots Perception. If you have a\r"
     "fast computer you might try lowering them to get better even\r"
     "better playing results."},
    {20, "timer_grenade",
     "This Setting here specifies the Rate (in Seconds) of the Bots\r"
     "check for flying grenades. If you've got a slow computer you could\r"
     "try changing this to a higher value to get some performance back.\r"
     "\r"
     "NOTE: This seriously affects the Bots Perception. If you have a\r"
     "fast computer you might try lowering them to get better even\r"
     "better playing results."},
    {21, "usespeech",
     "Turn this on, if you want to hear a welcome messages through\r"
     "Half-Life Speech Synthesis (known from the Black Mesa Complex)."},
    {22, "botvotekick",
     "This option turns on/off Bots voting against\r"
     "Team Killers (Humans only)"},
    {23, "botspray", "Set this to off to disallow Bot Logo (pldecal) Spraying"},
    {24, "hostagefix",
     "Set this to off to make the hostages vulnerable\r"
     "!! If a hostage who follows a bot is killed, HL/CS will crash !!"},
    {25, "patherrmsg",
     "Set this value to on to enable the 'NO PATH FOUND!'\r"
     "error message which is shown when a bot fails to find his way."},
    {26, "autofill",
     "If this setting is on, the server will be filled with bots.\r"
     "Set this to off to prevent bots from automatically joining. "},
};

TEST(HelpTopics, EveryTopicHasItsExactTitleAndText)
{
    for (const ExpectedTopic &expected : ExpectedTopics) {
        SCOPED_TRACE("topic " + std::to_string(expected.index));
        ASSERT_TRUE(kdx::HasHelpTopic(expected.index));
        EXPECT_EQ(kdx::HelpTitle(expected.index), expected.title);
        EXPECT_EQ(kdx::HelpText(expected.index), expected.text);
    }
}

TEST(HelpTopics, IndicesAreExactlyTheHelpMarks)
{
    std::vector<int> expected;
    for (const ExpectedTopic &topic : ExpectedTopics)
        expected.push_back(topic.index);
    EXPECT_EQ(kdx::HelpTopicIndices(), expected);

    // The second members of the two pairs and everything outside 0..26 have no mark.
    for (const int index : {-1, 6, 11, 27, 32767}) {
        SCOPED_TRACE("index " + std::to_string(index));
        EXPECT_FALSE(kdx::HasHelpTopic(index));
        EXPECT_THROW(kdx::HelpTitle(index), std::out_of_range);
        EXPECT_THROW(kdx::HelpText(index), std::out_of_range);
    }
}

TEST(HelpTopics, LinesAreSeparatedByALoneCarriageReturn)
{
    for (const int index : kdx::HelpTopicIndices()) {
        SCOPED_TRACE("topic " + std::to_string(index));
        const std::string text = kdx::HelpText(index);
        ASSERT_FALSE(text.empty());
        EXPECT_NE(text.front(), '\r');
        EXPECT_NE(text.back(), '\r');
        EXPECT_EQ(text.find('\n'), std::string::npos);
    }
}

TEST(HelpTopics, LineCountsAndEmptyLines)
{
    struct Case {
        int index;
        long separators;
        long emptyLines; // "\r\r" pairs
    };
    const Case cases[] = {
        {7, 0, 0}, {23, 0, 0}, {26, 1, 0}, {2, 3, 1},  {9, 3, 1},
        {8, 10, 2}, {18, 5, 1}, {19, 6, 1}, {20, 6, 1}, {5, 7, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE("topic " + std::to_string(c.index));
        const std::string text = kdx::HelpText(c.index);
        EXPECT_EQ(std::ranges::count(text, '\r'), c.separators);
        long emptyLines = 0;
        for (std::size_t at = text.find("\r\r"); at != std::string::npos; at = text.find("\r\r", at + 1))
            ++emptyLines;
        EXPECT_EQ(emptyLines, c.emptyLines);
    }
}

} // namespace
