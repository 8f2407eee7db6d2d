#include "language_file.h"

#include <algorithm>

namespace kdx {

namespace {

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

bool isFieldEnd(char c)
{
    return c == ',' || isLineEnd(c);
}

std::string chatMessage(std::string_view bytes)
{
    const std::optional<std::string> first = LanguageFieldReader(bytes).next();
    if (!first || !first->starts_with("##"))
        return {};
    return first->substr(2);
}

std::string titlesMessage(std::string_view bytes)
{
    constexpr int rounds = 6;
    LanguageFieldReader reader(bytes);
    std::string message;
    for (int round = 0; round < rounds; ++round) {
        const std::optional<std::string> field = reader.next();
        if (!field)
            break;
        if (*field != "KDX")
            continue;
        const std::optional<std::string> marker = reader.next();
        if (!marker)
            break;
        if (!marker->starts_with('{'))
            continue;
        std::optional<std::string> found = reader.next();
        if (!found)
            break;
        message = std::move(*found);
    }
    return message;
}

} // namespace

std::optional<std::string> LanguageFieldReader::next()
{
    if (atEnd())
        return std::nullopt;
    while (!atEnd() && bytes_[position_] == ' ')
        ++position_;

    std::string field;
    if (!atEnd() && bytes_[position_] == '"') {
        const std::size_t contentStart = position_ + 1;
        const std::size_t closingQuote = bytes_.find('"', contentStart);
        const std::size_t contentEnd = closingQuote == std::string_view::npos ? bytes_.size() : closingQuote;
        field = bytes_.substr(contentStart, contentEnd - contentStart);
        position_ = std::min(contentEnd + 1, bytes_.size());
        takeUntilFieldEnd();
    } else {
        field = takeUntilFieldEnd();
    }
    skipFieldEnd();
    return field;
}

std::string_view LanguageFieldReader::takeUntilFieldEnd()
{
    const std::size_t start = position_;
    while (!atEnd() && !isFieldEnd(bytes_[position_]))
        ++position_;
    return bytes_.substr(start, position_ - start);
}

void LanguageFieldReader::skipFieldEnd()
{
    if (atEnd())
        return;
    const char end = bytes_[position_++];
    if (end == '\r' && !atEnd() && bytes_[position_] == '\n')
        ++position_;
}

std::string languageMessage(MessageRule rule, std::string_view bytes)
{
    switch (rule) {
    case MessageRule::ChatFirstField:
        return chatMessage(bytes);
    case MessageRule::TitlesMarker:
        return titlesMessage(bytes);
    }
    return {};
}

} // namespace kdx
