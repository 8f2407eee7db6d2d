#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kdx {

// One code page of the system's own converters, a character at a time: iconv
// on POSIX systems, MultiByteToWideChar and WideCharToMultiByte on Windows.
// CodePage builds on it; nothing else should need it.
class SystemConverter {
public:
    // The converter for a Windows code page number ("1251") or an encoding name
    // the system knows ("KOI8-R"); null when the system knows neither.
    static std::unique_ptr<SystemConverter> open(std::string_view name);
    ~SystemConverter();

    // The one character that the bytes make as a whole; none when they make no
    // character, an incomplete one or more than one.
    std::optional<char32_t> decode(std::string_view bytes);
    // The character's bytes; none when the code page cannot hold it as it is
    // (never a best fit, never a default character such as "?").
    std::optional<std::string> encode(char32_t character);

private:
    struct State;
    explicit SystemConverter(std::unique_ptr<State> state);
    std::unique_ptr<State> state_;
};

// The system's ANSI code page as a name for SystemConverter::open, or none on a
// system that has no such thing (POSIX).
std::optional<std::string> systemAnsiCodePage();

} // namespace kdx
