#include "requested_edit.h"

#include "config_reader.h"
#include "control_panel.h"
#include "message.h"
#include "value_rules.h"

#include <algorithm>

namespace kdx {
namespace {

// A command as the file will hold it: the reader drops the blanks at its ends.
std::string commandText(std::string_view text)
{
    return std::string(trimBlanks(text));
}

// Refuses a command that would not read back as one (a blank one is a free
// slot, which the caller decides on).
std::optional<EditRefusal> refusalOfCommand(const std::string &text, const FileCodePages &codePages)
{
    if (holdsLineBreak(text))
        return EditRefusal{"a custom command is one line; it cannot hold a line break"};
    switch (lineKind(text)) {
    case LineKind::Setting: {
        KDXCfg asRead(codePages);
        readConfiguration(asRead, text);
        const int index = settingIndexOfLine(text);
        const std::string &key = asRead.SettingTable[index].Key;
        return EditRefusal{"the custom command " + quoted(text) + " would read back as the setting " + key
                           + ", as it begins with its key; use set " + key + "=" + asRead.SettingTable[index].Value};
    }
    case LineKind::Comment:
        return EditRefusal{"the custom command " + quoted(text)
                           + " would read back as a comment, as it begins with \"#\"; a custom command cannot begin with \"#\""};
    case LineKind::Blank:
    case LineKind::Command:
        break;
    }
    return std::nullopt;
}

std::optional<EditRefusal> refusalOfSlot(int slot)
{
    if (slot >= 1 && slot <= CustomCommandSlotCount)
        return std::nullopt;
    return EditRefusal{"there is no slot " + std::to_string(slot) + "; the slots are 1 to "
                       + std::to_string(CustomCommandSlotCount)};
}

// Enters the value as its control takes it, or refuses it.
std::optional<EditRefusal> entered(ControlPanel &panel, const SettingEntry &entry)
{
    if (entry.index < 1 || entry.index > SettingCount)
        return EditRefusal{"there is no setting " + std::to_string(entry.index)};
    if (panel.enter(entry.index, entry.value))
        return std::nullopt;
    const std::string key(settingKey(entry.index));
    return EditRefusal{
        key + ": " + (holdsLineBreak(entry.value) ? "a value cannot hold a line break" : "cannot store " + quoted(entry.value))
        + "; " + key + " takes " + std::string(acceptedEntry(entry.index))};
}

// min_bots and max_bots give way to each other as they stand when entered;
// the next run enters one after a later entry has changed the other, and must
// store the same.
std::optional<EditRefusal> refusalOfOrder(const KDXCfg &cfg, const RequestedEdit &edit)
{
    KDXCfg nextRun = cfg;
    ControlPanel panel(nextRun);
    panel.ShowSettings();
    for (const SettingEntry &entry : edit.settings)
        panel.enter(entry.index, entry.value);
    for (const SettingEntry &entry : edit.settings) {
        const std::string &now = cfg.SettingTable[entry.index].Value, &next = nextRun.SettingTable[entry.index].Value;
        if (now == next)
            continue;
        const int other = entry.index == setting::MinBots ? setting::MaxBots : setting::MinBots;
        const std::string key(settingKey(entry.index)), otherKey(settingKey(other));
        return EditRefusal{key + "=" + entry.value + " is stored as " + now + ", as it gives way to " + otherKey
                           + " as it stood, which a later entry changes; the next run would store " + next + ". Give " + otherKey
                           + " first"};
    }
    return std::nullopt;
}

// The command lines that the reader found no free slot for: "line N "TEXT"".
std::vector<std::string> commandLinesBeyondTheSlots(const KDXCfg &cfg)
{
    std::vector<std::string> beyond;
    int commands = 0;
    for (int line = 1; line <= cfg.ConfigLineCount(); ++line) {
        const std::string &text = cfg.ConfigLines[static_cast<std::size_t>(line - 1)];
        if (lineKind(text) == LineKind::Command && ++commands > CustomCommandSlotCount)
            beyond.push_back("line " + std::to_string(line) + " " + quoted(text));
    }
    return beyond;
}

std::string joined(const std::vector<std::string> &items)
{
    std::string text;
    for (const std::string &item : items)
        text.append(text.empty() ? "" : ", ").append(item);
    return text;
}

EditRefusal slotsCannotHoldTheFile(const std::vector<std::string> &beyond, std::string_view what)
{
    return EditRefusal{std::string(what) + " would let the file's custom commands beyond the eighth (" + joined(beyond)
                       + ") read back in the slots; delete or move those lines first (kdxcfg check lists them)"};
}

// The reader fills the slots in line order, so a free slot before a filled
// one would read back holding that slot's command.
std::optional<EditRefusal> refusalOfGap(const CustomCommandSlots &slots)
{
    int freeSlot = 0;
    for (int slot = 1; slot <= CustomCommandSlotCount; ++slot) {
        if (slots[slot].Text.empty()) {
            freeSlot = freeSlot ? freeSlot : slot;
        } else if (freeSlot) {
            return EditRefusal{"slot " + std::to_string(freeSlot) + " would be free before slot " + std::to_string(slot)
                               + ", whose command " + quoted(slots[slot].Text) + " would read back in slot "
                               + std::to_string(freeSlot)
                               + " (the slots are filled in line order); free the last slots instead, or give the "
                                 "commands to keep with set --command"};
        }
    }
    return std::nullopt;
}

std::optional<EditRefusal> applyCommands(KDXCfg &cfg, const RequestedEdit &edit, std::optional<int> &filledSlot)
{
    const FileCodePages &codePages = cfg.CodePages;
    CustomCommandSlots &slots = cfg.CustomCommands;
    const std::vector<std::string> beyond = commandLinesBeyondTheSlots(cfg);
    if (const auto *replaced = std::get_if<CommandSlotsReplaced>(&edit.commands)) {
        std::vector<std::string> texts;
        for (const std::string &given : replaced->texts) {
            std::string text = commandText(given);
            if (auto refusal = refusalOfCommand(text, codePages))
                return refusal;
            if (!text.empty())
                texts.push_back(std::move(text));
        }
        if (texts.size() > static_cast<std::size_t>(CustomCommandSlotCount))
            return EditRefusal{"set --command: " + std::to_string(texts.size()) + " commands given; there are "
                               + std::to_string(CustomCommandSlotCount) + " slots"};
        if (!beyond.empty())
            return slotsCannotHoldTheFile(beyond, "replacing the eight slots as a whole");
        for (int slot = 1; slot <= CustomCommandSlotCount; ++slot)
            slots[slot].Text = static_cast<std::size_t>(slot) <= texts.size() ? texts[static_cast<std::size_t>(slot - 1)] : "";
    } else if (const auto *added = std::get_if<CommandAdded>(&edit.commands)) {
        const std::string text = commandText(added->text);
        if (auto refusal = refusalOfCommand(text, codePages))
            return refusal;
        if (text.empty())
            return EditRefusal{"command add: the command is empty; \"command remove N\" frees a slot"};
        const auto holds = [&](const std::string &wanted) {
            for (int slot = 1; slot <= CustomCommandSlotCount; ++slot)
                if (slots[slot].Text == wanted)
                    return slot;
            return 0;
        };
        filledSlot = holds(text) ? holds(text) : holds("");
        if (!*filledSlot)
            return EditRefusal{"command add: all " + std::to_string(CustomCommandSlotCount)
                               + " custom commands are in use; \"command set N TEXT\" replaces one"};
        slots[*filledSlot].Text = text;
    } else if (const auto *set = std::get_if<CommandSlotSet>(&edit.commands)) {
        const std::string text = commandText(set->text);
        if (auto refusal = refusalOfSlot(set->slot))
            return refusal;
        if (auto refusal = refusalOfCommand(text, codePages))
            return refusal;
        if (text.empty() && !slots[set->slot].Text.empty() && !beyond.empty())
            return slotsCannotHoldTheFile(beyond, "freeing slot " + std::to_string(set->slot));
        slots[set->slot].Text = text;
    }
    return refusalOfGap(slots);
}

// What the in-place save adds after the file's lines; each such line must lie
// within the lines that the reader reads, or the next run adds it again.
std::optional<EditRefusal> refusalOfAddedLines(const KDXCfg &cfg)
{
    std::vector<std::string> added;
    for (const SettingRow &row : cfg.SettingTable)
        if (!row.FoundAtLine && row.Value != row.DefaultValue)
            added.push_back(row.Key);
    for (const CustomCommand &slot : cfg.CustomCommands)
        if (!slot.FoundAtLine && !slot.Text.empty())
            added.push_back("the custom command " + quoted(slot.Text));
    for (std::size_t at = 0; at < added.size(); ++at) {
        // Each added line follows a blank one.
        const auto line = static_cast<long long>(cfg.ConfigLineCount()) + 2 * static_cast<long long>(at + 1);
        if (cfg.UnreadTail.empty() && line <= MaxConfigLines)
            continue;
        return EditRefusal{added[at] + " would be added "
                           + (cfg.UnreadTail.empty() ? "as line " + std::to_string(line) : std::string("at the end"))
                           + ", after line " + std::to_string(MaxConfigLines)
                           + "; the reader reads no further, so it would not read back and every run would add it "
                             "again. Make room within the first "
                           + std::to_string(MaxConfigLines) + " lines of the file (or set it there by hand) first"};
    }
    return std::nullopt;
}

std::vector<SettingChange> changesBetween(const SettingTable &asRead, const SettingTable &tidied, const SettingTable &stored,
                                          const RequestedEdit &edit)
{
    std::vector<SettingChange> changes;
    for (int index = 1; index <= SettingCount; ++index) {
        const SettingRow &before = asRead[index];
        const std::string &after = stored[index].Value;
        if (after == before.Value)
            continue;
        SettingChange change{index, before.FoundAtLine, before.Value,
                             after, ChangeReason::Tidy, "the window stores it so when it shows the file"};
        const bool given = std::any_of(edit.settings.begin(), edit.settings.end(),
                                       [index](const SettingEntry &entry) { return entry.index == index; });
        if (given) {
            change.reason = ChangeReason::Given;
            change.cause.clear();
        } else if (after != tidied[index].Value) {
            change.reason = ChangeReason::Rule;
            change.cause = "ultraskill " + stored[setting::UltraSkill].Value + ": the skill bars store the numbers they show";
        } else if (index == setting::MinBots && after != wholeNumberShown(before.Value)) {
            change.reason = ChangeReason::Rule;
            change.cause = "min_bots gives way to max_bots " + stored[setting::MaxBots].Value;
        }
        changes.push_back(std::move(change));
    }
    return changes;
}

// Reads the bytes into cfg, which is left holding what the bytes to write are
// written from.
std::variant<EditedFile, EditRefusal> applyOnce(KDXCfg &cfg, std::string_view bytes, const RequestedEdit &edit,
                                                std::vector<Message> &messages)
{
    messages = readConfiguration(cfg, bytes);
    const SettingTable asRead = cfg.SettingTable;
    // The window's controls show the file, and take each value as typed into them.
    ControlPanel panel(cfg);
    panel.ShowSettings();
    const SettingTable tidied = cfg.SettingTable;

    std::vector<StoredValue> storedDifferently;
    for (const SettingEntry &entry : edit.settings) {
        if (auto refusal = entered(panel, entry))
            return *refusal;
        if (const std::string &stored = cfg.SettingTable[entry.index].Value; stored != entry.value)
            storedDifferently.push_back({std::string(settingKey(entry.index)), entry.value, stored});
    }
    if (auto refusal = refusalOfOrder(cfg, edit))
        return *refusal;
    std::optional<int> slot;
    if (auto refusal = applyCommands(cfg, edit, slot))
        return *refusal;
    if (!edit.cleanOutput)
        if (auto refusal = refusalOfAddedLines(cfg))
            return *refusal;
    if (const std::optional<UnencodableCharacter> found = findUnencodable(cfg))
        return EditRefusal{unencodableReason(cfg, *found)};

    return EditedFile{edit.cleanOutput ? cleanOutput(cfg, *edit.cleanOutput) : annotatedSave(cfg), cfg.Encoding,
                      changesBetween(asRead, tidied, cfg.SettingTable, edit), std::move(storedDifferently), slot};
}

// True when the reader finds in the bytes the very settings and commands
// that they were written from. The bytes are compared, not the texts: bytes
// that read in another code page than the file that was read (a Windows-1252
// file whose only bytes beyond UTF-8 were in lines that a clean output leaves
// out) hold what was written all the same.
bool readsBackAs(std::string_view bytes, const KDXCfg &written)
{
    KDXCfg readBack(written.CodePages);
    readConfiguration(readBack, bytes);
    const auto same = [&](const std::string &writtenText, const std::string &readText) {
        return writtenText == readText || written.Encoding.encode(writtenText) == readBack.Encoding.encode(readText);
    };
    for (int index = 1; index <= SettingCount; ++index)
        if (!same(written.SettingTable[index].Value, readBack.SettingTable[index].Value))
            return false;
    for (int slot = 1; slot <= CustomCommandSlotCount; ++slot)
        if (!same(written.CustomCommands[slot].Text, readBack.CustomCommands[slot].Text))
            return false;
    return true;
}

} // namespace

EditOutcome applyRequestedEdit(std::string_view bytes, const FileCodePages &codePages, const RequestedEdit &edit)
{
    std::vector<Message> messages;
    KDXCfg written(codePages);
    auto result = applyOnce(written, bytes, edit, messages);
    const auto *edited = std::get_if<EditedFile>(&result);
    if (!edited)
        return {std::move(messages), std::move(result)};
    // The net under the refusals above: the bytes must read back as what they
    // were written from, and the same edit of them must give them again, or a
    // second run would change the file once more.
    KDXCfg again(codePages);
    std::vector<Message> messagesAgain;
    const auto second = applyOnce(again, edited->bytes, edit, messagesAgain);
    const auto *secondEdited = std::get_if<EditedFile>(&second);
    if (!readsBackAs(edited->bytes, written) || !secondEdited || secondEdited->bytes != edited->bytes)
        result = EditRefusal{"the bytes to write would not read back as written, so the same run would change "
                             "them again"};
    return {std::move(messages), std::move(result)};
}

} // namespace kdx
