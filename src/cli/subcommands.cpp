#include "subcommands.h"

#include "config_session.h"
#include "kdxcfg.h"

#include "config/config_check.h"
#include "config/file_names.h"
#include "config/requested_edit.h"

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
    return ExitFailure;
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
    writeJson({{"file", files::utf8FromPath(session.path())},
               {"settings", settings},
               {"commands", commands},
               {"messages", messagesAsJson(session.messages())}},
              out);
}

// Parses "KEY=VALUE" into the setting's index and the value, or reports why not.
std::optional<SettingEntry> assignment(const Context &context, const std::string &text)
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
    return SettingEntry{index, text.substr(equals + 1)};
}

// Reads the file, applies the edit and writes the bytes to the target, by
// default the file itself; a missing file is read as a new one only where
// --create allows it (set, command). Reports the run.
int applyAndWrite(const Context &context, const RequestedEdit &edit, bool mayCreate = true,
                  const std::optional<std::filesystem::path> &target = std::nullopt)
{
    const auto session = ConfigSession::open(context.file, context.codePages, mayCreate && context.create, context.err);
    if (!session)
        return ExitFailure;
    const EditOutcome outcome = applyRequestedEdit(session->content(), context.codePages, edit);
    for (const Message &message : outcome.messages)
        context.err << "kdxcfg: " << named(context.file) << message.title << ": " << message.text << '\n';
    if (const auto *refusal = std::get_if<EditRefusal>(&outcome.result)) {
        context.err << "kdxcfg: " << named(context.file) << refusal->reason << "; nothing was written\n";
        return ExitFailure;
    }
    const EditedFile &edited = std::get<EditedFile>(outcome.result);
    noteChanges(edited, context.err);
    const auto replacement =
        session->write(target.value_or(context.file), edited.bytes, edited.encoding, context.form.dryRun, context.err);
    if (!replacement)
        return ExitFailure;
    report(context.form, *replacement, edited, outcome.messages, context.out);
    return ExitSuccess;
}

} // namespace

int show(const Context &context)
{
    const auto session = ConfigSession::open(context.file, context.codePages, false, context.err);
    if (!session)
        return ExitFailure;
    if (context.form.json)
        showJson(*session, context.out);
    else
        showText(*session, context.out);
    return ExitSuccess;
}

int get(const Context &context, const std::string &key)
{
    const int index = settingIndex(key);
    if (index == 0)
        return refuseUnknownKey(context, key);
    const auto session = ConfigSession::open(context.file, context.codePages, false, context.err);
    if (!session)
        return ExitFailure;
    const SettingRow &row = session->cfg().SettingTable[index];
    if (context.form.json)
        writeJson({{"key", row.Key}, {"value", row.Value}, {"line", lineJson(row.FoundAtLine)}}, context.out);
    else
        context.out << row.Value << '\n';
    return ExitSuccess;
}

int set(const Context &context, const std::vector<std::string> &assignments,
        const std::optional<std::vector<std::string>> &commands)
{
    if (assignments.empty() && !commands) {
        context.err << "kdxcfg: set: give KEY=VALUE, --command TEXT or both\n";
        return ExitFailure;
    }
    RequestedEdit edit;
    for (const std::string &text : assignments) {
        auto entry = assignment(context, text);
        if (!entry)
            return ExitFailure;
        edit.settings.push_back(std::move(*entry));
    }
    if (commands)
        edit.commands = CommandSlotsReplaced{*commands};
    return applyAndWrite(context, edit);
}

int commandAdd(const Context &context, const std::string &text)
{
    return applyAndWrite(context, {.commands = CommandAdded{text}});
}

int commandSet(const Context &context, int slot, const std::string &text)
{
    return applyAndWrite(context, {.commands = CommandSlotSet{slot, text}});
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
        return ExitFailure;
    }
    const auto kind = leaveOutDefaults ? CleanOutputKind::LeaveOutDefaults : CleanOutputKind::AllSettings;
    return applyAndWrite(context, {.cleanOutput = kind}, false, context.file.parent_path() / files::pathFromUtf8(outName));
}

int check(const Context &context)
{
    const auto read = files::readWhole(context.file);
    if (const auto *failure = std::get_if<files::Failure>(&read)) {
        context.err << "kdxcfg: " << named(context.file) << failure->reason << '\n';
        return ExitFailure;
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
    return findings.empty() ? ExitSuccess : ExitFindings;
}

} // namespace kdx::cli
