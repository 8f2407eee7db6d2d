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

#include "config/config_check.h"
#include "config/control_panel.h"
#include "config/config_reader.h"
#include "config/config_writers.h"
#include "config/number_text.h"
#include "config/value_rules.h"

#include <algorithm>
#include <iterator>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

using namespace kdx;

namespace {

// A text of `cfg` by its bytes in the file: an output may lose the file's only
// bytes that were not UTF-8 (a separator); read back as UTF-8, the same bytes
// then decode differently.
std::string bytesInFile(const KDXCfg &cfg, const std::string &text)
{
    return cfg.Encoding.encode(text);
}

// The first promise that the annotated save of `cfg` breaks, or empty. The save
// gives the same bytes each time; every line that no setting or command replaces
// stays as it was, and the unread tail follows line 256 as it was. Read back,
// it gives the same values and commands, the same save and the same `messages`
// as the read that made `cfg`.
std::string brokenBySave(const KDXCfg &cfg, const std::vector<Message> &messages)
{
    const std::string save = annotatedSave(cfg);
    if (annotatedSave(cfg) != save)
        return "a second save differs";
    std::size_t start = 0; // of the current line in the save
    for (int number = 1; number <= cfg.ConfigLineCount(); ++number) {
        const std::size_t end = save.find("\r\n", start);
        if (end == std::string::npos)
            return "the save ends before line " + std::to_string(number);
        const auto replaces = [number](const auto &item) { return item.FoundAtLine == number; };
        if (std::none_of(cfg.SettingTable.begin(), cfg.SettingTable.end(), replaces)
            && std::none_of(cfg.CustomCommands.begin(), cfg.CustomCommands.end(), replaces)
            && save.compare(start, end - start, bytesInFile(cfg, cfg.ConfigLines[std::size_t(number - 1)])) != 0)
            return "line " + std::to_string(number) + " changed";
        start = end + 2;
    }
    if (const std::string tail = bytesInFile(cfg, cfg.UnreadTail); save.compare(start, tail.size(), tail) != 0)
        return "the unread tail does not follow the lines";

    KDXCfg reread(cfg.CodePages);
    const std::vector<Message> rereadMessages = readConfiguration(reread, save);
    if (annotatedSave(reread) != save)
        return "the save of the save differs";
    if (!reread.UnreadTail.empty())
        return {}; // lines added at the end pushed the save past the 256 lines a read takes in
    if (reread.Encoding == cfg.Encoding ? rereadMessages != messages : rereadMessages.size() != messages.size())
        return "read back, the save gives other messages";
    for (int index = 1; index <= SettingCount; ++index)
        if (bytesInFile(reread, reread.SettingTable[index].Value) != bytesInFile(cfg, cfg.SettingTable[index].Value))
            return "read back, setting " + std::to_string(index) + " differs";
    for (int slot = 1; slot <= CustomCommandSlotCount; ++slot)
        if (bytesInFile(reread, reread.CustomCommands[slot].Text) != bytesInFile(cfg, cfg.CustomCommands[slot].Text))
            return "read back, slot " + std::to_string(slot) + " differs";
    return {};
}

void checkCleanOutputs(const KDXCfg &cfg)
{
    for (const auto kind : {CleanOutputKind::AllSettings, CleanOutputKind::LeaveOutDefaults}) {
        const std::string output = cleanOutput(cfg, kind);
        FUZZ_CHECK(cleanOutput(cfg, kind) == output);
        for (std::size_t start = 0; start < output.size();) {
            const std::size_t end = output.find_first_of("\r\n", start);
            FUZZ_CHECK(end != std::string::npos && end > start && output.compare(end, 2, "\r\n") == 0);
            start = end + 2;
        }
        KDXCfg reread(cfg.CodePages);
        readConfiguration(reread, output);
        for (int index = 1; index <= SettingCount; ++index) {
            FUZZ_CHECK(bytesInFile(reread, reread.SettingTable[index].Value) == bytesInFile(cfg, cfg.SettingTable[index].Value));
            const bool written = kind == CleanOutputKind::AllSettings || !cfg.SettingTable.holdsDefault(index);
            FUZZ_CHECK(reread.SettingTable[index].FoundAtLine.has_value() == written);
        }
        for (int slot = 1, filled = 0; slot <= CustomCommandSlotCount; ++slot)
            if (!cfg.CustomCommands[slot].Text.empty())
                FUZZ_CHECK(bytesInFile(reread, reread.CustomCommands[++filled].Text)
                           == bytesInFile(cfg, cfg.CustomCommands[slot].Text));
    }
}

void checkFindings(std::string_view bytes, const FileCodePages &codePages)
{
    const std::vector<Finding> findings = checkConfiguration(bytes, codePages);
    FUZZ_CHECK(checkConfiguration(bytes, codePages) == findings);
    KDXCfg cfg(codePages);
    readConfiguration(cfg, bytes);
    int previousLine = 1;
    for (const Finding &finding : findings) {
        FUZZ_CHECK(finding.line >= previousLine && !finding.text.empty());
        FUZZ_CHECK(finding.line <= cfg.ConfigLineCount() || (finding.line == MaxConfigLines + 1 && !cfg.UnreadTail.empty()));
        previousLine = finding.line;
    }
    if (findings.empty()) {
        const SettingTable read = cfg.SettingTable;
        ControlPanel(cfg).ShowSettings();
        for (int index = 1; index <= SettingCount; ++index)
            FUZZ_CHECK(cfg.SettingTable[index].Value == read[index].Value);
    }
}

// The code pages that a leading vertical tab and digit pick, which it then drops.
FileCodePages codePagesOf(std::string_view &input)
{
    static const char *const names[] = {"1251", "936", "932", "1253"};
    if (input.size() < 2 || input[0] != '\v' || input[1] < '0' || input[1] > '9')
        return systemCodePages();
    const char *name = names[static_cast<std::size_t>(input[1] - '0') % std::size(names)];
    input.remove_prefix(2);
    return std::get<FileCodePages>(codePagesNamed(name));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::string_view input = fuzzInput(data, size);
    KDXCfg cfg(codePagesOf(input));
    const std::size_t split = input.find('\f');

    if (split != std::string_view::npos)
        readConfiguration(cfg, input.substr(0, split));
    const std::string_view bytes = split == std::string_view::npos ? input : input.substr(split + 1);
    const std::vector<Message> messages = readConfiguration(cfg, bytes);
    FUZZ_CHECK(cfg.ConfigLineCount() <= MaxConfigLines);
    const std::string broken = brokenBySave(cfg, messages);
    if (!broken.empty())
        std::fprintf(stderr, "%s\n", broken.c_str());
    FUZZ_CHECK(broken.empty());

    checkCleanOutputs(cfg);
    checkFindings(bytes, cfg.CodePages);
    for (const SettingRow &row : cfg.SettingTable) {
        const double number = NumberFromText(row.Value);
        FUZZ_CHECK(std::isfinite(number) && std::isfinite(roundHalfToEven(number)));
        const std::string text = NumberToText(number);
        FUZZ_CHECK(NumberToText(NumberFromText(text)) == text);
    }
    return 0;
}
