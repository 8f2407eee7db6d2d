#include "unified_diff.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace kdx::cli {
namespace {

struct Line {
    std::string_view text, end;
    bool operator==(const Line &) const = default;
};

std::vector<Line> linesOf(std::string_view bytes)
{
    std::vector<Line> lines;
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t stop = std::min(bytes.find_first_of("\r\n", start), bytes.size());
        std::size_t next = stop;
        if (next < bytes.size())
            next += bytes.compare(next, 2, "\r\n") == 0 ? 2 : 1;
        lines.push_back({bytes.substr(start, stop - start), bytes.substr(stop, next - stop)});
        start = next;
    }
    return lines;
}

enum class Edit : char { Keep = ' ', Remove = '-', Add = '+' };

// The edits that turn a into b, removals before additions where both stand.
// Lines in common at both ends are kept; the rest is matched by the longest
// common subsequence, unless that table would be too big (a whole long file
// replaced), where all of it is removed and added.
std::vector<Edit> editsBetween(const std::vector<Line> &a, const std::vector<Line> &b)
{
    std::size_t head = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head])
        ++head;
    std::size_t tail = 0;
    while (tail < a.size() - head && tail < b.size() - head && a[a.size() - 1 - tail] == b[b.size() - 1 - tail])
        ++tail;
    const std::size_t n = a.size() - head - tail, m = b.size() - head - tail;

    std::vector<Edit> edits(head, Edit::Keep);
    constexpr std::size_t largestTable = std::size_t{1} << 22;
    if (n == 0 || m == 0 || n * m > largestTable) {
        edits.insert(edits.end(), n, Edit::Remove);
        edits.insert(edits.end(), m, Edit::Add);
    } else {
        // common[i * (m + 1) + j]: the longest common subsequence of a[i..] and b[j..] in the middle.
        std::vector<std::uint32_t> common((n + 1) * (m + 1), 0);
        const auto at = [&](std::size_t i, std::size_t j) -> std::uint32_t & { return common[i * (m + 1) + j]; };
        for (std::size_t i = n; i-- > 0;)
            for (std::size_t j = m; j-- > 0;)
                at(i, j) = a[head + i] == b[head + j] ? at(i + 1, j + 1) + 1 : std::max(at(i + 1, j), at(i, j + 1));
        std::size_t i = 0, j = 0;
        while (i < n || j < m) {
            if (i < n && j < m && a[head + i] == b[head + j])
                edits.push_back(Edit::Keep), ++i, ++j;
            else if (i < n && (j == m || at(i + 1, j) >= at(i, j + 1)))
                edits.push_back(Edit::Remove), ++i;
            else
                edits.push_back(Edit::Add), ++j;
        }
    }
    edits.insert(edits.end(), tail, Edit::Keep);
    return edits;
}

// "start,count" of a hunk's side, as diff -u writes it: the count left out
// when it is 1, and an empty side named by the line before it.
std::string range(std::size_t first, std::size_t count)
{
    if (count == 1)
        return std::to_string(first + 1);
    return std::to_string(count == 0 ? first : first + 1) + "," + std::to_string(count);
}

void appendLine(std::string &diff, Edit edit, const Line &line)
{
    diff.push_back(static_cast<char>(edit));
    diff.append(line.text).push_back('\n');
    if (line.end.empty())
        diff.append("\\ No newline at end of file\n");
    else if (line.end == "\n")
        diff.append("\\ line ends in LF alone\n");
    else if (line.end == "\r")
        diff.append("\\ line ends in CR alone\n");
}

} // namespace

std::string unifiedDiff(std::string_view before, std::string_view after, std::string_view beforeName, std::string_view afterName)
{
    if (before == after)
        return {};
    const std::vector<Line> a = linesOf(before), b = linesOf(after);
    const std::vector<Edit> edits = editsBetween(a, b);
    constexpr std::size_t context = 3;

    std::string diff;
    diff.append("--- ").append(beforeName).append("\n+++ ").append(afterName).append("\n");
    // Each hunk runs from `context` lines before a change to `context` lines
    // after the last change that follows within twice that distance.
    std::size_t next = 0, lineA = 0, lineB = 0; // the edit after the last hunk, and its lines
    while (next < edits.size()) {
        std::size_t change = next;
        while (change < edits.size() && edits[change] == Edit::Keep)
            ++change;
        if (change == edits.size())
            break;
        std::size_t start = change - std::min(context, change - next), end = change;
        for (std::size_t keptRun = 0; end < edits.size() && keptRun <= 2 * context; ++end)
            keptRun = edits[end] == Edit::Keep ? keptRun + 1 : 0;
        while (end > change && edits[end - 1] == Edit::Keep)
            --end;
        end = std::min(end + context, edits.size());

        for (; next < start; ++next)
            ++lineA, ++lineB;
        std::size_t countA = 0, countB = 0;
        for (std::size_t k = start; k < end; ++k) {
            countA += edits[k] != Edit::Add;
            countB += edits[k] != Edit::Remove;
        }
        diff.append("@@ -").append(range(lineA, countA)).append(" +").append(range(lineB, countB)).append(" @@\n");
        for (; next < end; ++next) {
            const Edit edit = edits[next];
            appendLine(diff, edit, edit == Edit::Add ? b[lineB] : a[lineA]);
            lineA += edit != Edit::Add;
            lineB += edit != Edit::Remove;
        }
    }
    return diff;
}

} // namespace kdx::cli
