#pragma once

#include <string>
#include <string_view>

namespace kdx {

enum class MessageIcon { None, Exclamation };

// A message box the program has to show. Texts of several lines separate them
// with a lone carriage return.
struct Message {
    std::string title;
    std::string text;
    MessageIcon icon = MessageIcon::None;

    friend bool operator==(const Message &, const Message &) = default;
};

// A text as messages name it: in double quotes, so that its blanks show.
inline std::string quoted(std::string_view text)
{
    std::string quotedText(1, '"');
    quotedText.append(text).push_back('"');
    return quotedText;
}

} // namespace kdx
