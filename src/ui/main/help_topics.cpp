#include "help_topics.h"

#include "config/setting_table.h"

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <string_view>

namespace kdx {

namespace {

struct HelpTopic {
    int index;
    std::optional<std::string_view> title; // none: the key of setting `index`
    std::initializer_list<std::string_view> lines;
};

// Blanks at the ends of lines are part of the texts and must stay.
// One topic a block, one line of its text a line.
// clang-format off
const HelpTopic HelpTopics[] = {
    {0, "server commands", {
        "These commands, which are no bot commands,",
        "will be treated as server/console commands.",
        "For example, you can use 'mp_roundtime 3.5' ",
        "to set the Roundtime to 3min 30sec.",
    }},
    {1, {}, {
        "This sets the Waypoint Folder (in the VRK-Bot Directory)",
        "for loading/saving waypoints. Don't use spaces or a trailing backslash.",
        "This doesn't work for the first game you create (default is wptdefault),",
        "but when creating for the second time (or loading with newmap).",
    }},
    {2, {}, {
        "Use this option to on to turn on/off the clantags before the name.",
        "",
        "The clantags show the personality of a bot. E[VRK] = normal,",
        "e[VRK] = coward/defensive, 3[VRK] = psycho/aggressive.",
    }},
    {3, {}, {
        "Use this option to on to turn on/off ",
        "the skilldisplay behind the name.",
    }},
    {4, {}, {
        "Wait for a few seconds, before the bots start to join,",
        "just to be sure the whole map has loaded ",
        "and to give the player time to join in.",
    }},
    {5, "min_bots / max_bots", {
        "Use these options to support a minimum and maximum number of bots ",
        "running on the server.  Bots will be added to the server until the",
        "total number of players (bots and humans) reaches the max_bots value.",
        "Each time a new player joins the server, a bot will be kicked unless",
        "there are only min_bots number of bots in the game.",
        "After players disconnect from the server, bots will be automatically ",
        "added back to the server until the total number of players reaches ",
        "max_bots again.",
    }},
    {7, {}, {
        "Use this option to toggle Botchatting",
    }},
    {8, {}, {
        "Use this to restrict the bots' use of certain radio messages.",
        "",
        "FULL: use all messages (no restriction)",
        "REDUCED: do not use Negative, Enemy Down, Reporting In",
        "RESTRICTED: do not use Negative, Enemy Down, Reporting In,",
        "  Enemy Spotted, Roger, I 'm in position",
        "MUTE: do not use any messages (radio messages disabled)",
        "",
        "This only affects the use of radio messages by the bots.",
        "They will still react to radio commands from players but",
        "won't respond.",
    }},
    {9, {}, {
        "This can be used to toggle Jason Mode (Knife-Only)!",
        "",
        "Different Weapon Modes (including Knife-Only) can",
        "be selected ingame by accessing the VIDUDU-Menu.",
    }},
    {10, "minbotskill / maxbotskill", {
        "Use these to toggle bots' skill.",
        "100 is the highest skill and is like",
        "skill 100+ from VIDUDU 2.5.",
        "The lowest possible skill is 1.",
    }},
    {12, {}, {
        "Set the below option to on if you want the old combat behaviour",
        "(VIDUDU 1.2) of instantly turning around to the enemy.",
    }},
    {13, {}, {
        "In UltraSkill-Mode Bots would get a skill 100 points higher than",
        "normal. E.g. if you add a skill 60 bot in ultraskill-mode, he will",
        "have a skill of 160. Turn this option to on, if you want to",
        "enable UltraSkill-Mode!",
    }},
    {14, {}, {
        "This value sets the maximum number of Bots to follow a User, when",
        "the radio command 'Follow Me!' is used.",
    }},
    {15, {}, {
        "This value sets the maximum number of weapons Bots are allowed to",
        "pickup during one round. I'm afraid you cannot set it to zero to",
        "turn off Weapon Pickup.",
    }},
    {16, {}, {
        "Turn this on/off to allow the Bots collecting experience",
        "about the map they're playing (turning this off also prevents",
        "saving the .pxp Files and gives back some CPU performance).",
    }},
    {17, {}, {
        "This setting specifies if Bots are allowed to shoot through Walls",
        "if they saw an enemy or if they heard someone on the other Side of",
        "a Wall.",
    }},
    {18, {}, {
        "This Setting here specifies the Rate (in Seconds) of updating",
        "the Bot Sound Checks. If you've got a slow computer you could",
        "try changing this to a higher value to get some performance back.",
        "",
        "NOTE: This seriously affects the Bots Perception. If you set this",
        "sound-value TOO LOW the bots will act very inhuman.",
    }},
    {19, {}, {
        "This Setting here specifies the Rate (in Seconds) of the Bots",
        "check for pickup items. If you've got a slow computer you could",
        "try changing this to a higher value to get some performance back.",
        "",
        "NOTE: This seriously affects the Bots Perception. If you have a",
        "fast computer you might try lowering them to get better even",
        "better playing results.",
    }},
    {20, {}, {
        "This Setting here specifies the Rate (in Seconds) of the Bots",
        "check for flying grenades. If you've got a slow computer you could",
        "try changing this to a higher value to get some performance back.",
        "",
        "NOTE: This seriously affects the Bots Perception. If you have a",
        "fast computer you might try lowering them to get better even",
        "better playing results.",
    }},
    {21, {}, {
        "Turn this on, if you want to hear a welcome messages through",
        "Half-Life Speech Synthesis (known from the Black Mesa Complex).",
    }},
    {22, {}, {
        "This option turns on/off Bots voting against",
        "Team Killers (Humans only)",
    }},
    {23, {}, {
        "Set this to off to disallow Bot Logo (pldecal) Spraying",
    }},
    {24, {}, {
        "Set this to off to make the hostages vulnerable",
        "!! If a hostage who follows a bot is killed, HL/CS will crash !!",
    }},
    {25, {}, {
        "Set this value to on to enable the 'NO PATH FOUND!'",
        "error message which is shown when a bot fails to find his way.",
    }},
    {26, {}, {
        "If this setting is on, the server will be filled with bots.",
        "Set this to off to prevent bots from automatically joining. ",
    }},
};
// clang-format on

const HelpTopic *findTopic(int index)
{
    const auto found = std::ranges::find(HelpTopics, index, &HelpTopic::index);
    return found == std::ranges::end(HelpTopics) ? nullptr : found;
}

const HelpTopic &topicAt(int index)
{
    const HelpTopic *topic = findTopic(index);
    if (topic == nullptr)
        throw std::out_of_range("no help topic for index " + std::to_string(index));
    return *topic;
}

} // namespace

std::string helpTitle(int index)
{
    const HelpTopic &topic = topicAt(index);
    if (topic.title)
        return std::string(*topic.title);
    return std::string(settingKey(index));
}

std::string helpText(int index, char lineEnd)
{
    const HelpTopic &topic = topicAt(index);
    std::string text;
    for (auto line = topic.lines.begin(); line != topic.lines.end(); ++line) {
        if (line != topic.lines.begin())
            text += lineEnd;
        text += *line;
    }
    return text;
}

std::vector<int> helpTopicIndices()
{
    std::vector<int> indices;
    for (const HelpTopic &topic : HelpTopics)
        indices.push_back(topic.index);
    return indices;
}

} // namespace kdx
