// kdxcfg's edits on seeded random files (support/random_edits.h). An accepted
// edit must read back as asked, name every setting it changed, give the same
// bytes again when run on its own result, and give the bytes that the window
// writes when a user makes the same edit on the control panel. A failure
// prints its seed, which KDX_SEED=N repeats alone.
#include "support/random_edits.h"
#include "support/window_on_panel.h"

#include "config/config_reader.h"
#include "config/requested_edit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>

namespace {

using namespace kdx;
using test::Case;
using test::keyOf;
using test::printable;

constexpr int CaseCount = 6000;

KDXCfg readBack(std::string_view bytes, const FileCodePages &codePages)
{
    KDXCfg cfg(codePages);
    readConfiguration(cfg, bytes);
    return cfg;
}

// A text as the file holds it. Texts are compared as bytes: a file can read
// back in another code page than it was read in (a Windows-1252 file whose
// only bytes beyond UTF-8 were in comments that a clean output leaves out).
std::string held(const KDXCfg &cfg, const std::string &text)
{
    return cfg.Encoding.encode(text);
}

// The commands that the edit asks the slots to hold, as the file holds them.
void expectCommandsAsAsked(const RequestedEdit &edit, const EditedFile &edited, const KDXCfg &after)
{
    const auto trimmed = [&](std::string_view text) { return edited.encoding.encode(trimBlanks(text)); };
    const auto slots = [&](int slot) { return held(after, after.CustomCommands[slot].Text); };
    if (const auto *replaced = std::get_if<CommandSlotsReplaced>(&edit.commands)) {
        std::vector<std::string> asked;
        for (const std::string &text : replaced->texts)
            if (!trimmed(text).empty())
                asked.push_back(trimmed(text));
        asked.resize(CustomCommandSlotCount);
        for (int slot = 1; slot <= CustomCommandSlotCount; ++slot)
            EXPECT_EQ(slots(slot), asked[static_cast<std::size_t>(slot - 1)]) << "slot " << slot;
    } else if (const auto *added = std::get_if<CommandAdded>(&edit.commands)) {
        ASSERT_TRUE(edited.slot);
        EXPECT_EQ(slots(*edited.slot), trimmed(added->text));
    } else if (const auto *set = std::get_if<CommandSlotSet>(&edit.commands)) {
        EXPECT_EQ(slots(set->slot), trimmed(set->text));
    }
}

// Every setting whose value reads back otherwise than from the file is named,
// with the values before and after and whether it was given; no other is.
void expectEveryChangeNamed(const Case &tried, const EditedFile &edited, const KDXCfg &after)
{
    const KDXCfg before = readBack(tried.file, tried.codePages);
    auto change = edited.changes.begin();
    for (int index = 1; index <= SettingCount; ++index) {
        SCOPED_TRACE(keyOf(index));
        const std::string &was = before.SettingTable[index].Value;
        const std::string &is = after.SettingTable[index].Value;
        if (held(before, was) == held(after, is))
            continue;
        ASSERT_NE(change, edited.changes.end()) << "unnamed: " << was << " -> " << is;
        EXPECT_EQ(change->index, index);
        EXPECT_EQ(change->before, was);
        EXPECT_EQ(held(before, change->after), held(after, is));
        EXPECT_EQ(change->line, before.SettingTable[index].FoundAtLine);
        const bool given = std::any_of(tried.edit.settings.begin(), tried.edit.settings.end(),
                                       [index](const SettingEntry &entry) { return entry.index == index; });
        EXPECT_EQ(change->reason == ChangeReason::Given, given);
        EXPECT_EQ(change->reason == ChangeReason::Given, change->cause.empty());
        ++change;
    }
    EXPECT_EQ(change, edited.changes.end()) << "named, but read back unchanged: " << keyOf(change->index);
}

// Each setting given reads back as given, or as it was said to be stored.
void expectSettingsAsAsked(const RequestedEdit &edit, const EditedFile &edited, const KDXCfg &after)
{
    auto stored = edited.storedDifferently.begin();
    for (const SettingEntry &entry : edit.settings) {
        std::string expected = entry.value;
        if (stored != edited.storedDifferently.end() && stored->key == keyOf(entry.index) && stored->given == entry.value)
            expected = (stored++)->stored;
        // A later entry of the same key decides; ultraskill moves no whole skill number.
        const auto later = std::find_if(edit.settings.rbegin(), edit.settings.rend(),
                                        [&](const SettingEntry &other) { return other.index == entry.index; });
        if (&*later == &entry) {
            EXPECT_EQ(held(after, after.SettingTable[entry.index].Value), edited.encoding.encode(expected)) << keyOf(entry.index);
        }
    }
}

// True when the edit was accepted.
bool check(const Case &tried)
{
    const EditOutcome outcome = applyRequestedEdit(tried.file, tried.codePages, tried.edit);
    if (const auto *refusal = std::get_if<EditRefusal>(&outcome.result)) {
        EXPECT_FALSE(refusal->reason.empty());
        return false;
    }
    const EditedFile &edited = std::get<EditedFile>(outcome.result);
    const std::optional<std::string> windowWrote = test::WindowOnPanel(tried.file, tried.codePages).perform(tried.edit);
    EXPECT_EQ(printable(windowWrote.value_or("(nothing)")), printable(edited.bytes)) << "the window writes otherwise";
    const EditOutcome again = applyRequestedEdit(edited.bytes, tried.codePages, tried.edit);
    const auto *secondEdited = std::get_if<EditedFile>(&again.result);
    if (!secondEdited) {
        ADD_FAILURE() << "the same run on the result is refused: " << std::get<EditRefusal>(again.result).reason;
        return true;
    }
    EXPECT_EQ(printable(secondEdited->bytes), printable(edited.bytes)) << "the same run on the result writes again";
    EXPECT_TRUE(secondEdited->changes.empty()) << "the same run on the result changes " << keyOf(secondEdited->changes[0].index);

    const KDXCfg after = readBack(edited.bytes, tried.codePages);
    expectEveryChangeNamed(tried, edited, after);
    expectSettingsAsAsked(tried.edit, edited, after);
    expectCommandsAsAsked(tried.edit, edited, after);
    return true;
}

TEST(RequestedEdits, ReadBackAsAskedRepeatAndMatchTheWindow)
{
    const char *chosen = std::getenv("KDX_SEED");
    const unsigned firstSeed = chosen ? static_cast<unsigned>(std::strtoul(chosen, nullptr, 10)) : 20261207;
    const int cases = chosen ? 1 : CaseCount;
    int accepted = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int number = 0; number < cases; ++number) {
        const unsigned seed = firstSeed + static_cast<unsigned>(number);
        const Case tried = test::someCase(seed);
        SCOPED_TRACE("seed " + std::to_string(seed) + " (KDX_SEED=" + std::to_string(seed) + " repeats it)\n"
                     + tried.description);
        accepted += check(tried) ? 1 : 0;
        if (HasFailure())
            return;
    }
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%d cases, %d accepted, in %.1f s\n", cases, accepted, seconds);
    // Both outcomes must be met often enough to mean something.
    if (!chosen) {
        EXPECT_GT(accepted, cases / 3);
        EXPECT_LT(accepted, cases * 9 / 10);
    }
}

} // namespace
