#include "config_reader.h"

#include <algorithm>
#include <cstring>

namespace kdx {
namespace {

// Sequential line input over the bytes of a file.
class LineSource {
public:
    explicit LineSource(std::string_view bytes) : bytes_(bytes) {}

    bool atEnd() const { return pos_ >= bytes_.size(); }
    std::string_view rest() const { return bytes_.substr(pos_); }

    std::string_view nextLine()
    {
        const std::size_t start = pos_;
        // A plain scan: find_first_of("\r\n") calls memchr once for every byte.
        std::size_t end = start;
        while (end < bytes_.size() && bytes_[end] != '\r' && bytes_[end] != '\n')
            ++end;
        pos_ = end;
        if (end < bytes_.size()) {
            pos_ = end + 1;
            if (bytes_[end] == '\r' && pos_ < bytes_.size() && bytes_[pos_] == '\n')
                ++pos_;
        }
        return bytes_.substr(start, end - start);
    }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

// Stores the line in the first free slot; false when all eight are taken.
bool storeCustomCommand(CustomCommandSlots &slots, const std::string &line, int lineNumber)
{
    for (CustomCommand &slot : slots) {
        if (slot.Text.empty()) {
            slot.Text = line;
            slot.FoundAtLine = lineNumber;
            return true;
        }
    }
    return false;
}

Message tooManyCustomCommands(const std::string &line)
{
    return {"Too many custom commands", "'" + line + "' couldn't be stored.", MessageIcon::Exclamation};
}

// The keys of the settings that the lines after the 256th set again, after a
// line before them: the bot reads the later line last, so it overrides what
// the window shows and stores on the earlier one.
std::string keysSetAgain(const SettingTable &table, std::string_view tail)
{
    // The tail can be most of a huge file: line ends are found with memchr, each
    // kind once per stretch up to it (a CR LF only adds an empty line), and only
    // a line that begins like a key found before is looked at.
    const auto next = [tail](char lineEnd, std::size_t from) {
        const void *found = std::memchr(tail.data() + from, lineEnd, tail.size() - from);
        return found ? static_cast<std::size_t>(static_cast<const char *>(found) - tail.data()) : tail.size();
    };
    bool beginsKey[256] = {};
    for (const SettingRow &row : table)
        beginsKey[static_cast<unsigned char>(row.Key.front())] |= row.FoundAtLine.has_value();
    bool again[SettingCount + 1] = {};
    std::size_t carriageReturn = next('\r', 0), lineFeed = next('\n', 0);
    for (std::size_t start = 0; start < tail.size();) {
        if (carriageReturn < start)
            carriageReturn = next('\r', start);
        if (lineFeed < start)
            lineFeed = next('\n', start);
        const std::size_t end = std::min(carriageReturn, lineFeed);
        const std::string_view line = trimBlanks(tail.substr(start, end - start));
        if (!line.empty() && beginsKey[static_cast<unsigned char>(line.front())])
            if (const int index = settingIndexOfLine(line); index != 0 && table[index].FoundAtLine)
                again[index] = true;
        start = end + 1;
    }
    std::string keys;
    for (int index = 1; index <= SettingCount; ++index)
        if (again[index])
            keys.append(keys.empty() ? "" : ", ").append(table[index].Key);
    return keys;
}

Message fileTooBig(const SettingTable &table, std::string_view tail)
{
    std::string text = "KDX.cfg has more than 256 lines. The lines after the 256th are not shown here, but saving keeps "
                       "them unchanged, so the settings they hold stay in force. The clean outputs leave them out.";
    if (const std::string keys = keysSetAgain(table, tail); !keys.empty())
        text += " Set again after line 256, where the bot reads them last: " + keys
                + ". What is changed here for these settings has no effect.";
    return {"Error while loading", text, MessageIcon::None};
}

// The number of bytes of the UTF-8 character that begins the text.
std::size_t firstCharacterLength(std::string_view text)
{
    const auto lead = static_cast<unsigned char>(text.front());
    return lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
}

} // namespace

std::string_view trimBlanks(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

LineKind lineKind(std::string_view line)
{
    if (line.empty())
        return LineKind::Blank;
    if (line.starts_with('#'))
        return LineKind::Comment;
    return settingIndexOfLine(line) != 0 ? LineKind::Setting : LineKind::Command;
}

int settingIndexOfLine(std::string_view line)
{
    if (line.empty())
        return 0;
    for (int index = 1; index <= SettingCount; ++index) {
        const std::string_view key = settingKey(index);
        // The first byte rules out nearly every key without a call to memcmp.
        if (line.front() == key.front() && line.starts_with(key))
            return index; // no key begins another, so no later one matches
    }
    return 0;
}

std::vector<Message> readConfiguration(KDXCfg &cfg, std::string_view bytes)
{
    std::vector<Message> messages;
    for (CustomCommand &slot : cfg.CustomCommands) {
        slot.Text.clear();
        slot.FoundAtLine.reset();
    }
    for (SettingRow &row : cfg.SettingTable)
        row.FoundAtLine.reset();
    cfg.ConfigLines.clear();
    cfg.UnreadTail.clear();
    cfg.Encoding = cfg.CodePages.of(bytes);
    // A code page decodes every byte, and only the ASCII bytes to ASCII, so
    // lines, blanks and keys stand where they stood; a character of several
    // bytes is one character after a key.
    const std::string decoded = cfg.Encoding.isUtf8() ? std::string() : cfg.Encoding.decode(bytes);
    LineSource source(cfg.Encoding.isUtf8() ? bytes : std::string_view(decoded));
    while (!source.atEnd() && cfg.ConfigLineCount() < MaxConfigLines) {
        const std::string &line = cfg.ConfigLines.emplace_back(trimBlanks(source.nextLine()));
        const int lineNumber = cfg.ConfigLineCount();

        const int index = settingIndexOfLine(line);
        if (index != 0) {
            SettingRow &row = cfg.SettingTable[index];
            const std::string_view afterKey = std::string_view(line).substr(row.Key.size());
            const std::size_t separator = afterKey.empty() ? 0 : firstCharacterLength(afterKey);
            row.Value = afterKey.substr(std::min(separator, afterKey.size()));
            row.FoundAtLine = lineNumber;
        } else if (lineKind(line) == LineKind::Command && !storeCustomCommand(cfg.CustomCommands, line, lineNumber)) {
            messages.push_back(tooManyCustomCommands(line));
        }
    }
    if (!source.atEnd()) {
        cfg.UnreadTail = source.rest();
        messages.push_back(fileTooBig(cfg.SettingTable, cfg.UnreadTail));
    }
    return messages;
}

} // namespace kdx
