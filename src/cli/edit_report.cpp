#include "edit_report.h"

#include "unified_diff.h"

#include <nlohmann/json.hpp>

#include <ostream>

namespace kdx::cli {

std::string diffOf(const Replacement &replacement)
{
    const std::u8string path = replacement.target.lexically_normal().relative_path().generic_u8string();
    const std::string name(path.begin(), path.end());
    return unifiedDiff(replacement.before.value_or(""), replacement.after, replacement.before ? "a/" + name : "/dev/null",
                       "b/" + name);
}

void writeJson(const nlohmann::json &document, std::ostream &out)
{
    out << document.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
}

void reportFailure(std::string_view messages, int status, std::ostream &out)
{
    while (!messages.empty() && messages.back() == '\n')
        messages.remove_suffix(1);
    writeJson({{"error", messages}, {"status", status}}, out);
}

namespace {

std::string_view reasonName(ChangeReason reason)
{
    switch (reason) {
    case ChangeReason::Given:
        return "given";
    case ChangeReason::Rule:
        return "rule";
    case ChangeReason::Tidy:
        return "tidy";
    }
    return {};
}

} // namespace

nlohmann::json messagesAsJson(const std::vector<Message> &messages)
{
    nlohmann::json list = nlohmann::json::array();
    for (const Message &message : messages)
        list.push_back({{"title", message.title}, {"text", message.text}});
    return list;
}

void noteChanges(const EditedFile &edited, std::ostream &err)
{
    for (const SettingChange &change : edited.changes) {
        if (change.reason == ChangeReason::Given)
            continue;
        err << settingKey(change.index) << ": " << change.before;
        if (change.line)
            err << " on line " << *change.line;
        err << " stored as " << change.after;
        if (!change.cause.empty())
            err << " (" << change.cause << ')';
        err << '\n';
    }
    for (const StoredValue &value : edited.storedDifferently)
        err << value.key << ": " << value.given << " stored as " << value.stored << '\n';
}

void report(const ReportForm &form, const Replacement &replacement, const EditedFile &edited,
            const std::vector<Message> &messages, std::ostream &out)
{
    if (!form.json) {
        if (edited.slot)
            out << *edited.slot << '\n';
        if (form.dryRun)
            out << diffOf(replacement);
        return;
    }
    nlohmann::json storedValues = nlohmann::json::array();
    for (const StoredValue &value : edited.storedDifferently)
        storedValues.push_back({{"key", value.key}, {"given", value.given}, {"stored", value.stored}});
    nlohmann::json changes = nlohmann::json::array();
    for (const SettingChange &change : edited.changes)
        changes.push_back({{"key", settingKey(change.index)},
                           {"line", change.line ? nlohmann::json(*change.line) : nlohmann::json()},
                           {"before", change.before},
                           {"after", change.after},
                           {"reason", reasonName(change.reason)}});
    nlohmann::json document = {{"changed", replacement.changed()},
                               {"file", files::utf8FromPath(replacement.target)},
                               {"stored", storedValues},
                               {"changes", changes},
                               {"messages", messagesAsJson(messages)},
                               {"diff", replacement.codePage.decode(diffOf(replacement))}};
    if (edited.slot)
        document["slot"] = *edited.slot;
    // JSON is UTF-8: the diff is read in the file's code page; bytes that are
    // still not UTF-8 (another file replaced by a clean output) show as U+FFFD.
    writeJson(document, out);
}

} // namespace kdx::cli
