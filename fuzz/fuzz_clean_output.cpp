// Clean outputs of any model the reader can build: lines end in CR LF, the
// header is exact, no line is blank and the settings follow in index order.
#include "fuzz_check.h"

#include "config/config_reader.h"
#include "config/config_writers.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::array<std::string_view, 4> allSettingsHeader = {
    "#### VEVaduDori 1.0 for E[VRK]bot IIId ####",
    "# This KDX.cfg file is generated out of all the CVARs",
    "# All comments and blank lines are removed, CVARs are in Standard order",
    "#",
};
constexpr std::array<std::string_view, 5> leaveOutDefaultsHeader = {
    "#### VEVaduDori 1.0 for E[VRK]bot IIId ####",
    "# This KDX.cfg file is generated out of all the CVARs, ",
    "# except those which are default value.",
    "# All comments and blank lines are removed, CVARs are in Standard order",
    "#",
};

// The lines of an output; every one must end in CR LF, with no CR or LF inside.
std::vector<std::string_view> splitCrLfLines(std::string_view output)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < output.size()) {
        const std::size_t end = output.find_first_of("\r\n", start);
        FUZZ_CHECK(end != std::string_view::npos);
        FUZZ_CHECK(output.substr(end, 2) == "\r\n");
        lines.push_back(output.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

template <std::size_t HeaderSize>
void checkOutput(const kdx::KDXCfg &cfg, kdx::CleanOutputKind kind, const std::array<std::string_view, HeaderSize> &header)
{
    const std::string output = kdx::cleanOutput(cfg, kind);
    FUZZ_CHECK(kdx::cleanOutput(cfg, kind) == output);
    const std::vector<std::string_view> lines = splitCrLfLines(output);
    FUZZ_CHECK(lines.size() >= HeaderSize);
    for (std::size_t i = 0; i < HeaderSize; ++i)
        FUZZ_CHECK(lines[i] == header[i]);
    for (std::string_view line : lines)
        FUZZ_CHECK(!line.empty());

    std::size_t next = HeaderSize;
    for (const kdx::SettingRow &row : cfg.SettingTable) {
        if (kind == kdx::CleanOutputKind::LeaveOutDefaults && row.Value == row.DefaultValue)
            continue;
        FUZZ_CHECK(next < lines.size() && lines[next] == row.Key + ' ' + row.Value);
        ++next;
    }
    std::vector<std::string_view> commands;
    for (const kdx::CustomCommand &slot : cfg.CustomCommands)
        if (!slot.Text.empty())
            commands.push_back(slot.Text);
    if (commands.empty()) {
        FUZZ_CHECK(next == lines.size());
        return;
    }
    FUZZ_CHECK(lines.size() == next + 2 + commands.size());
    FUZZ_CHECK(lines[next] == "# These are custom server commands:" && lines[next + 1] == "#");
    for (std::size_t i = 0; i < commands.size(); ++i)
        FUZZ_CHECK(lines[next + 2 + i] == commands[i]);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    kdx::KDXCfg cfg;
    kdx::readConfiguration(cfg, std::string_view(reinterpret_cast<const char *>(data), size));
    checkOutput(cfg, kdx::CleanOutputKind::AllSettings, allSettingsHeader);
    checkOutput(cfg, kdx::CleanOutputKind::LeaveOutDefaults, leaveOutDefaultsHeader);
    return 0;
}
