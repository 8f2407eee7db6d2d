// Any bytes as KDX.cfg. The annotated save keeps what the reader understood and
// every line it did not replace. Either clean output ends every line in CR LF,
// has no blank line and, read back, gives the model's values and commands; the
// one without defaults holds no setting at its default. The check's findings
// come in line order within the file, alike on every run, and a file without
// findings is one that the window shows without changing a value. Every value
// text reads as a finite number, whose own text reads back to itself.
//
// An input with a form feed is two files read one after the other, as
// "ReLoad File" after the file changed: values of the first that the second
// does not hold remain and are added at the end of the save. An input that
// begins with a vertical tab and a digit is read in the code page that digit
// picks (as --code-page gives it: 1251, 936, 932, 1253), the rest as the system
// reads it.
#include "fuzz_check.h"
#include "save_round_trip.h"

#include "config/config_check.h"
#include "config/number_text.h"
#include "config/value_rules.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

void checkCleanOutputs(const kdx::KDXCfg &cfg)
{
    for (const auto kind : {kdx::CleanOutputKind::AllSettings, kdx::CleanOutputKind::LeaveOutDefaults}) {
        const std::string output = kdx::cleanOutput(cfg, kind);
        FUZZ_CHECK(kdx::cleanOutput(cfg, kind) == output);
        for (std::size_t start = 0; start < output.size();) {
            const std::size_t end = output.find_first_of("\r\n", start);
            FUZZ_CHECK(end != std::string::npos && end > start && output.compare(end, 2, "\r\n") == 0);
            start = end + 2;
        }
        kdx::KDXCfg reread(cfg.CodePages);
        kdx::readConfiguration(reread, output);
        for (int index = 1; index <= kdx::SettingCount; ++index) {
            FUZZ_CHECK(bytesInFile(reread, reread.SettingTable[index].Value) == bytesInFile(cfg, cfg.SettingTable[index].Value));
            const bool written = kind == kdx::CleanOutputKind::AllSettings || !cfg.SettingTable.holdsDefault(index);
            FUZZ_CHECK(reread.SettingTable[index].FoundAtLine.has_value() == written);
        }
        for (int slot = 1, filled = 0; slot <= kdx::CustomCommandSlotCount; ++slot)
            if (!cfg.CustomCommands[slot].Text.empty())
                FUZZ_CHECK(bytesInFile(reread, reread.CustomCommands[++filled].Text)
                           == bytesInFile(cfg, cfg.CustomCommands[slot].Text));
    }
}

void checkFindings(std::string_view bytes, const kdx::FileCodePages &codePages)
{
    const std::vector<kdx::Finding> findings = kdx::checkConfiguration(bytes, codePages);
    FUZZ_CHECK(kdx::checkConfiguration(bytes, codePages) == findings);
    kdx::KDXCfg cfg(codePages);
    kdx::readConfiguration(cfg, bytes);
    int previousLine = 1;
    for (const kdx::Finding &finding : findings) {
        FUZZ_CHECK(finding.line >= previousLine && !finding.text.empty());
        FUZZ_CHECK(finding.line <= cfg.ConfigLineCount() || (finding.line == kdx::MaxConfigLines + 1 && !cfg.UnreadTail.empty()));
        previousLine = finding.line;
    }
    if (findings.empty())
        FUZZ_CHECK(kdx::tidyAsFirstShown(cfg.SettingTable).empty());
}

// The code pages that a leading vertical tab and digit pick, which it then drops.
kdx::FileCodePages codePagesOf(std::string_view &input)
{
    static const std::array<kdx::FileCodePages, 4> chosen = {
        std::get<kdx::FileCodePages>(kdx::codePagesNamed("1251")), std::get<kdx::FileCodePages>(kdx::codePagesNamed("936")),
        std::get<kdx::FileCodePages>(kdx::codePagesNamed("932")), std::get<kdx::FileCodePages>(kdx::codePagesNamed("1253"))};
    if (input.size() < 2 || input[0] != '\v' || input[1] < '0' || input[1] > '9')
        return kdx::systemCodePages();
    const kdx::FileCodePages &pages = chosen[static_cast<std::size_t>(input[1] - '0') % chosen.size()];
    input.remove_prefix(2);
    return pages;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::string_view input = fuzzInput(data, size);
    kdx::KDXCfg cfg(codePagesOf(input));
    const std::size_t split = input.find('\f');

    if (split != std::string_view::npos)
        kdx::readConfiguration(cfg, input.substr(0, split));
    const std::string_view bytes = split == std::string_view::npos ? input : input.substr(split + 1);
    const std::vector<kdx::Message> messages = kdx::readConfiguration(cfg, bytes);
    FUZZ_CHECK(cfg.ConfigLineCount() <= kdx::MaxConfigLines);
    const std::string broken = kdx::brokenBySave(cfg, &messages);
    if (!broken.empty())
        std::fprintf(stderr, "%s\n", broken.c_str());
    FUZZ_CHECK(broken.empty());

    checkCleanOutputs(cfg);
    checkFindings(bytes, cfg.CodePages);
    for (const kdx::SettingRow &row : cfg.SettingTable) {
        const double number = kdx::NumberFromText(row.Value);
        FUZZ_CHECK(std::isfinite(number) && std::isfinite(kdx::roundHalfToEven(number)));
        const std::string text = kdx::NumberToText(number);
        FUZZ_CHECK(kdx::NumberToText(kdx::NumberFromText(text)) == text);
    }
    return 0;
}
