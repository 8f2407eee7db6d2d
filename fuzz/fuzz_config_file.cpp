// Reader and annotated save: whatever the file holds, a save keeps what the
// reader understood and every line it did not replace.
//
// An input with a form feed is two files read one after the other, as
// "ReLoad File" after the file changed: values of the first that the second
// does not hold remain and are added at the end of the save.
#include "fuzz_check.h"

#include "config/config_reader.h"
#include "config/config_writers.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The first `count` lines of a save, which end in CR LF each.
std::vector<std::string_view> firstLines(std::string_view save, std::size_t count)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (lines.size() < count) {
        const std::size_t end = save.find("\r\n", start);
        FUZZ_CHECK(end != std::string_view::npos);
        lines.push_back(save.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

bool isReplaced(const kdx::KDXCfg &cfg, int lineNumber)
{
    for (const kdx::SettingRow &row : cfg.SettingTable)
        if (row.FoundAtLine == lineNumber)
            return true;
    for (const kdx::CustomCommand &slot : cfg.CustomCommands)
        if (slot.FoundAtLine == lineNumber)
            return true;
    return false;
}

std::string inFile(const kdx::KDXCfg &cfg, const std::string &text)
{
    return kdx::bytesFromUtf8(text, cfg.Encoding);
}

// By their bytes: a save may lose the only byte that was not UTF-8 (a separator),
// and the second read then decodes the same bytes differently.
void checkSameValuesAndCommands(const kdx::KDXCfg &first, const kdx::KDXCfg &second)
{
    for (int index = 1; index <= kdx::SettingCount; ++index)
        FUZZ_CHECK(inFile(first, first.SettingTable[index].Value) == inFile(second, second.SettingTable[index].Value));
    for (int slot = 1; slot <= kdx::CustomCommandSlotCount; ++slot)
        FUZZ_CHECK(inFile(first, first.CustomCommands[slot].Text) == inFile(second, second.CustomCommands[slot].Text));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    const std::size_t split = input.find('\f');

    kdx::KDXCfg cfg;
    if (split != std::string_view::npos)
        kdx::readConfiguration(cfg, input.substr(0, split));
    const std::string_view bytes = split == std::string_view::npos ? input : input.substr(split + 1);
    const std::vector<kdx::Message> messages = kdx::readConfiguration(cfg, bytes);
    const std::string save = kdx::annotatedSave(cfg);
    FUZZ_CHECK(kdx::annotatedSave(cfg) == save);
    FUZZ_CHECK(cfg.ConfigLineCount() <= kdx::MaxConfigLines);

    const auto lineCount = static_cast<std::size_t>(cfg.ConfigLineCount());
    const std::vector<std::string_view> savedLines = firstLines(save, lineCount);
    for (std::size_t line = 0; line < lineCount; ++line)
        if (!isReplaced(cfg, static_cast<int>(line) + 1))
            FUZZ_CHECK(savedLines[line] == inFile(cfg, cfg.ConfigLines[line]));
    if (!cfg.UnreadTail.empty())
        FUZZ_CHECK(save.find(inFile(cfg, cfg.UnreadTail)) != std::string::npos);

    kdx::KDXCfg reread;
    const std::vector<kdx::Message> rereadMessages = kdx::readConfiguration(reread, save);
    // Lines added at the end can push a save past the 256 lines a read takes in.
    if (reread.UnreadTail.empty()) {
        FUZZ_CHECK(reread.Encoding == cfg.Encoding ? rereadMessages == messages : rereadMessages.size() == messages.size());
        checkSameValuesAndCommands(cfg, reread);
    }
    FUZZ_CHECK(kdx::annotatedSave(reread) == save);
    return 0;
}
