#include "language_file.h"

#include <algorithm>

namespace kdx {

namespace {

bool IsLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

bool IsFieldEnd(char c)
{
    return c == ',' || IsLineEnd(c);
}

std::string ChatMessage(std::string_view bytes)
{
    const std::optional<std::string> first = LanguageFieldReader(bytes).Next();
    if (!first || !first->starts_with("##"))
        return {};
    return first->substr(2);
}

std::string TitlesMessage(std::string_view bytes)
{
    constexpr int Rounds = 6;
    LanguageFieldReader reader(bytes);
    std::string message;
    for (int round = 0; round < Rounds; ++round) {
        const std::optional<std::string> field = reader.Next();
        if (!field)
            break;
        if (*field != "KDX")
            continue;
        const std::optional<std::string> marker = reader.Next();
        if (!marker)
            break;
        if (!marker->starts_with('{'))
            continue;
        std::optional<std::string> found = reader.Next();
        if (!found)
            break;
        message = std::move(*found);
    }
    return message;
}

} // namespace

std::optional<std::string> LanguageFieldReader::Next()
{
    if (AtEnd())
        return std::nullopt;
    while (!AtEnd() && bytes_[position_] == ' ')
        ++position_;

    std::string field;
    if (!AtEnd() && bytes_[position_] == '"') {
        const std::size_t contentStart = position_ + 1;
        const std::size_t closingQuote = bytes_.find('"', contentStart);
        const std::size_t contentEnd = closingQuote == std::string_view::npos ? bytes_.size() : closingQuote;
        field = bytes_.substr(contentStart, contentEnd - contentStart);
        position_ = std::min(contentEnd + 1, bytes_.size());
        TakeUntilFieldEnd();
    } else {
        field = TakeUntilFieldEnd();
    }
    SkipFieldEnd();
    return field;
}

std::string_view LanguageFieldReader::TakeUntilFieldEnd()
{
    const std::size_t start = position_;
    while (!AtEnd() && !IsFieldEnd(bytes_[position_]))
        ++position_;
    return bytes_.substr(start, position_ - start);
}

void LanguageFieldReader::SkipFieldEnd()
{
    if (AtEnd())
        return;
    const char end = bytes_[position_++];
    if (end == '\r' && !AtEnd() && bytes_[position_] == '\n')
        ++position_;
}

std::string LanguageMessage(MessageRule rule, std::string_view bytes)
{
    switch (rule) {
    case MessageRule::ChatFirstField:
        return ChatMessage(bytes);
    case MessageRule::TitlesMarker:
        return TitlesMessage(bytes);
    }
    return {};
}

} // namespace kdx
