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

void report(const ReportForm &form, const Replacement &replacement, const std::vector<StoredValue> &stored,
            std::optional<int> slot, std::ostream &out)
{
    if (!form.json) {
        if (slot)
            out << *slot << '\n';
        if (form.dryRun)
            out << diffOf(replacement);
        return;
    }
    nlohmann::json storedValues = nlohmann::json::array();
    for (const StoredValue &value : stored)
        storedValues.push_back({{"key", value.key}, {"given", value.given}, {"stored", value.stored}});
    nlohmann::json document = {{"changed", replacement.changed()},
                               {"file", files::utf8FromPath(replacement.target)},
                               {"stored", storedValues},
                               {"diff", replacement.codePage.decode(diffOf(replacement))}};
    if (slot)
        document["slot"] = *slot;
    // JSON is UTF-8: the diff is read in the file's code page; bytes that are
    // still not UTF-8 (another file replaced by a clean output) show as U+FFFD.
    writeJson(document, out);
}

} // namespace kdx::cli
