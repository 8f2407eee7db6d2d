#include "subcommands.h"

#include "config_session.h"
#include "kdxcfg.h"

#include "config/config_check.h"
#include "config/config_writers.h"
#include "config/file_names.h"
#include "config/value_rules.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <iomanip>
#include <ostream>

namespace kdx::cli {
namespace {

std::string allKeys()
{
    std::string keys;
    for (const SettingDefinition &definition : SettingDefinitions)
        keys.append(keys.empty() ? "" : ", ").append(definition.key);
    return keys;
}

int refuseUnknownKey(const Context &context, std::string_view key)
{
    context.err << "kdxcfg: no setting is called \"" << key << "\"; the settings are " << allKeys() << '\n';
    return Failure;
}

// A missing file is made only by the edits that --create names (set, command).
std::optional<ConfigSession> openForEditing(const Context &context, bool mayCreate = true)
{
    auto session = ConfigSession::open(context.file, context.codePages, mayCreate && context.create, context.err);
    if (session) {
        for (const Message &message : session->messages())
            context.err << "kdxcfg: " << named(context.file) << message.title << ": " << message.text << '\n';
        session->tidyAsWindowShows(context.err);
    }
    return session;
}

std::string lineText(const std::optional<int> &line)
{
    return line ? std::to_string(*line) : "not in file";
}

nlohmann::json lineJson(const std::optional<int> &line)
{
    return line ? nlohmann::json(*line) : nlohmann::json();
}

void showText(const ConfigSession &session, std::ostream &out)
{
    const SettingTable &table = session.cfg().SettingTable;
    std::size_t keyWidth = 7, valueWidth = 5, defaultWidth = 7;
    for (const SettingRow &row : table) {
        keyWidth = std::max(keyWidth, row.Key.size());
        valueWidth = std::max(valueWidth, row.Value.size());
        defaultWidth = std::max(defaultWidth, row.DefaultValue.size());
    }
    const auto columns = [&](std::string_view key, std::string_view value, std::string_view defaultValue, std::string_view line) {
        out << std::left << std::setw(static_cast<int>(keyWidth + 2)) << key << std::setw(static_cast<int>(valueWidth + 2))
            << value << std::setw(static_cast<int>(defaultWidth + 2)) << defaultValue << line << '\n';
    };
    columns("setting", "value", "default", "line");
    for (const SettingRow &row : table)
        columns(row.Key, row.Value, row.DefaultValue, lineText(row.FoundAtLine));

    out << "\nslot  line         custom command\n";
    int slot = 0;
    for (const CustomCommand &command : session.cfg().CustomCommands) {
        out << std::left << std::setw(6) << ++slot << std::setw(13)
            << (command.FoundAtLine ? std::to_string(*command.FoundAtLine) : "")
            << (command.Text.empty() ? "(free)" : command.Text) << '\n';
    }
    if (!session.messages().empty()) {
        out << "\nmessages\n";
        for (const Message &message : session.messages())
            out << message.title << ": " << message.text << '\n';
    }
}

void showJson(const ConfigSession &session, std::ostream &out)
{
    nlohmann::json settings = nlohmann::json::array();
    for (const SettingRow &row : session.cfg().SettingTable)
        settings.push_back(
            {{"key", row.Key}, {"value", row.Value}, {"default", row.DefaultValue}, {"line", lineJson(row.FoundAtLine)}});
    nlohmann::json commands = nlohmann::json::array();
    int slot = 0;
    for (const CustomCommand &command : session.cfg().CustomCommands)
        commands.push_back({{"slot", ++slot}, {"text", command.Text}, {"line", lineJson(command.FoundAtLine)}});
    nlohmann::json messages = nlohmann::json::array();
    for (const Message &message : session.messages())
        messages.push_back({{"title", message.title}, {"text", message.text}});
    writeJson(
        {{"file", files::utf8FromPath(session.path())}, {"settings", settings}, {"commands", commands}, {"messages", messages}},
        out);
}

// Parses "KEY=VALUE" into the setting's index and the value, or reports why not.
std::optional<std::pair<int, std::string>> assignment(const Context &context, const std::string &text)
{
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos) {
        context.err << "kdxcfg: set " << text << ": a setting is given as KEY=VALUE\n";
        return std::nullopt;
    }
    const std::string key = text.substr(0, equals);
    const int index = settingIndex(key);
    if (index == 0) {
        refuseUnknownKey(context, key);
        return std::nullopt;
    }
    return std::pair(index, text.substr(equals + 1));
}

void refuseValue(const Context &context, int index, std::string_view value)
{
    const std::string &key = std::string(SettingDefinitions[static_cast<std::size_t>(index - 1)].key);
    context.err << "kdxcfg: " << key << ": ";
    if (holdsLineBreak(value))
        context.err << "a value cannot hold a line break; ";
    else
        context.err << "cannot store \"" << value << "\"; ";
    context.err << key << " takes " << acceptedEntry(index) << '\n';
}

bool validSlot(const Context &context, int slot)
{
    if (slot >= 1 && slot <= CustomCommandSlotCount)
        return true;
    context.err << "kdxcfg: command: there is no slot " << slot << "; the slots are 1 to " << CustomCommandSlotCount << '\n';
    return false;
}

bool validCommand(const Context &context, const std::string &text)
{
    if (!holdsLineBreak(text))
        return true;
    context.err << "kdxcfg: command: a custom command is one line; it cannot hold a line break\n";
    return false;
}

// Reports a write, or fails where its reason went to err already; the slot is what command add filled.
int reportWrite(const Context &context, const std::optional<Replacement> &replacement,
                const std::vector<StoredValue> &stored = {}, std::optional<int> slot = std::nullopt)
{
    if (!replacement)
        return Failure;
    report(context.form, *replacement, stored, slot, context.out);
    return Success;
}

// Saves the session's model in place and reports it.
int saveAndReport(const Context &context, const ConfigSession &session, const std::vector<StoredValue> &stored = {},
                  std::optional<int> slot = std::nullopt)
{
    return reportWrite(context, session.save(context.form.dryRun, context.err), stored, slot);
}

// Puts the text into a slot, as the custom-command editor does, and saves.
int storeCommand(const Context &context, ConfigSession &session, int slot, const std::string &text)
{
    session.cfg().CustomCommands[slot].Text = text;
    return saveAndReport(context, session);
}

// The slots as a whole: the commands fill slots 1 on, the others are freed.
bool validCommandList(const Context &context, const std::vector<std::string> &commands)
{
    if (commands.size() > static_cast<std::size_t>(CustomCommandSlotCount)) {
        context.err << "kdxcfg: set --command: " << commands.size() << " commands given; there are " << CustomCommandSlotCount
                    << " slots\n";
        return false;
    }
    return std::all_of(commands.begin(), commands.end(), [&](const std::string &text) { return validCommand(context, text); });
}

} // namespace

int show(const Context &context)
{
    const auto session = ConfigSession::open(context.file, context.codePages, false, context.err);
    if (!session)
        return Failure;
    if (context.form.json)
        showJson(*session, context.out);
    else
        showText(*session, context.out);
    return Success;
}

int get(const Context &context, const std::string &key)
{
    const int index = settingIndex(key);
    if (index == 0)
        return refuseUnknownKey(context, key);
    const auto session = ConfigSession::open(context.file, context.codePages, false, context.err);
    if (!session)
        return Failure;
    const SettingRow &row = session->cfg().SettingTable[index];
    if (context.form.json)
        writeJson({{"key", row.Key}, {"value", row.Value}, {"line", lineJson(row.FoundAtLine)}}, context.out);
    else
        context.out << row.Value << '\n';
    return Success;
}

int set(const Context &context, const std::vector<std::string> &assignments,
        const std::optional<std::vector<std::string>> &commands)
{
    if (assignments.empty() && !commands) {
        context.err << "kdxcfg: set: give KEY=VALUE, --command TEXT or both\n";
        return Failure;
    }
    std::vector<std::pair<int, std::string>> entries;
    for (const std::string &text : assignments) {
        auto entry = assignment(context, text);
        if (!entry)
            return Failure;
        entries.push_back(std::move(*entry));
    }
    if (commands && !validCommandList(context, *commands))
        return Failure;
    auto session = openForEditing(context);
    if (!session)
        return Failure;
    SettingTable &table = session->cfg().SettingTable;
    std::vector<StoredValue> stored;
    for (const auto &[index, value] : entries) {
        if (!enterValue(table, index, value)) {
            refuseValue(context, index, value);
            return Failure;
        }
        if (table[index].Value != value) {
            context.err << table[index].Key << ": " << value << " stored as " << table[index].Value << '\n';
            stored.push_back({table[index].Key, value, table[index].Value});
        }
    }
    if (commands) {
        for (int slot = 1; slot <= CustomCommandSlotCount; ++slot)
            session->cfg().CustomCommands[slot].Text =
                static_cast<std::size_t>(slot) <= commands->size() ? (*commands)[static_cast<std::size_t>(slot - 1)] : "";
    }
    return saveAndReport(context, *session, stored);
}

int commandAdd(const Context &context, const std::string &text)
{
    if (!validCommand(context, text))
        return Failure;
    if (text.empty()) {
        context.err << "kdxcfg: command add: the command is empty; \"command remove N\" frees a slot\n";
        return Failure;
    }
    auto session = openForEditing(context);
    if (!session)
        return Failure;
    for (int slot = 1; slot <= CustomCommandSlotCount; ++slot) {
        if (session->cfg().CustomCommands[slot].Text.empty()) {
            session->cfg().CustomCommands[slot].Text = text;
            return saveAndReport(context, *session, {}, slot);
        }
    }
    context.err << "kdxcfg: command add: all " << CustomCommandSlotCount
                << " custom commands are in use; \"command set N TEXT\" replaces one\n";
    return Failure;
}

int commandSet(const Context &context, int slot, const std::string &text)
{
    if (!validSlot(context, slot) || !validCommand(context, text))
        return Failure;
    auto session = openForEditing(context);
    return session ? storeCommand(context, *session, slot, text) : Failure;
}

int commandRemove(const Context &context, int slot)
{
    return commandSet(context, slot, {});
}

int clean(const Context &context, bool leaveOutDefaults, const std::string &outName)
{
    if (!isPlainFileName(outName)) {
        context.err << "kdxcfg: clean: \"" << outName << "\" is no file name; the clean file is written beside "
                    << files::utf8FromPath(context.file) << ", under a name without a folder\n";
        return Failure;
    }
    auto session = openForEditing(context, false);
    if (!session)
        return Failure;
    const auto kind = leaveOutDefaults ? CleanOutputKind::LeaveOutDefaults : CleanOutputKind::AllSettings;
    const std::filesystem::path target = context.file.parent_path() / files::pathFromUtf8(outName);
    return reportWrite(context, session->write(target, cleanOutput(session->cfg(), kind), context.form.dryRun, context.err));
}

int check(const Context &context)
{
    const auto read = files::readWhole(context.file);
    if (const auto *failure = std::get_if<files::Failure>(&read)) {
        context.err << "kdxcfg: " << named(context.file) << failure->reason << '\n';
        return Failure;
    }
    const std::vector<Finding> findings = checkConfiguration(std::get<std::string>(read), context.codePages);
    const std::string file = files::utf8FromPath(context.file);
    if (context.form.json) {
        nlohmann::json list = nlohmann::json::array();
        for (const Finding &finding : findings)
            list.push_back({{"line", finding.line}, {"text", finding.text}});
        writeJson({{"file", file}, {"findings", list}}, context.out);
    } else {
        for (const Finding &finding : findings)
            context.out << file << ':' << finding.line << ": " << finding.text << '\n';
    }
    return findings.empty() ? Success : Findings;
}

} // namespace kdx::cli
