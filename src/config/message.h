#pragma once

#include <string>

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

} // namespace kdx
