#include "text_encoding.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace kdx {
namespace {

// The characters of the bytes 0x80 to 0x9F; the other bytes are the code points
// of the same number. An unassigned byte keeps its own number.
constexpr std::array<char16_t, 32> windows1252Upper = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr char32_t replacementCharacter = 0xFFFD;

std::optional<unsigned char> windows1252Byte(char32_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return static_cast<unsigned char>(character);
    for (std::size_t i = 0; i < windows1252Upper.size(); ++i) {
        if (windows1252Upper[i] == character)
            return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

struct DecodedCharacter {
    char32_t character;
    std::size_t length;
};

// The character at the start of the text; a byte that begins no valid sequence
// is U+FFFD of length 1.
DecodedCharacter firstCharacter(std::string_view utf8)
{
    const auto lead = static_cast<unsigned char>(utf8[0]);
    if (lead < 0x80)
        return {lead, 1};
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (length > utf8.size() || !isValidUtf8(utf8.substr(0, length)))
        return {replacementCharacter, 1};
    char32_t character = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k)
        character = (character << 6) | (static_cast<unsigned char>(utf8[k]) & 0x3F);
    return {character, length};
}

} // namespace

std::string utf8FromCharacter(char32_t character)
{
    std::string out;
    if (character < 0x80) {
        out += static_cast<char>(character);
    } else if (character < 0x800) {
        out += static_cast<char>(0xC0 | (character >> 6));
        out += static_cast<char>(0x80 | (character & 0x3F));
    } else if (character < 0x10000) {
        out += static_cast<char>(0xE0 | (character >> 12));
        out += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (character & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (character >> 18));
        out += static_cast<char>(0x80 | ((character >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (character & 0x3F));
    }
    return out;
}

bool isValidUtf8(std::string_view bytes)
{
    std::size_t i = 0;
    const std::size_t size = bytes.size();
    while (i < size) {
        // Plain ASCII, nearly all of a configuration file, passes eight bytes at a time.
        std::uint64_t word;
        if (size - i >= sizeof word) {
            std::memcpy(&word, bytes.data() + i, sizeof word);
            if ((word & 0x8080808080808080u) == 0) {
                i += sizeof word;
                continue;
            }
        }
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        unsigned char low = 0x80; // allowed range of the second byte
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0)
                low = 0xA0; // overlong
            if (lead == 0xED)
                high = 0x9F; // surrogates
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0)
                low = 0x90; // overlong
            if (lead == 0xF4)
                high = 0x8F; // above U+10FFFF
        } else {
            return false;
        }
        if (size - i < length)
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto c = static_cast<unsigned char>(bytes[i + k]);
            const unsigned char min = k == 1 ? low : 0x80;
            const unsigned char max = k == 1 ? high : 0xBF;
            if (c < min || c > max)
                return false;
        }
        i += length;
    }
    return true;
}

TextEncoding encodingOf(std::string_view bytes)
{
    return isValidUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::Windows1252;
}

std::string utf8FromBytes(std::string_view bytes, TextEncoding encoding)
{
    if (encoding == TextEncoding::Utf8)
        return std::string(bytes);
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 8);
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        text += utf8FromCharacter(code >= 0x80 && code < 0xA0 ? windows1252Upper[code - 0x80] : code);
    }
    return text;
}

std::optional<char32_t> firstUnencodable(std::string_view utf8, TextEncoding encoding)
{
    for (std::size_t i = 0; i < utf8.size();) {
        const DecodedCharacter next = firstCharacter(utf8.substr(i));
        const bool holds = encoding == TextEncoding::Utf8 ? next.character != replacementCharacter || next.length > 1
                                                          : windows1252Byte(next.character).has_value();
        if (!holds)
            return next.character;
        i += next.length;
    }
    return std::nullopt;
}

std::string bytesFromUtf8(std::string_view utf8, TextEncoding encoding)
{
    if (encoding == TextEncoding::Utf8)
        return std::string(utf8);
    std::string bytes;
    bytes.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const DecodedCharacter next = firstCharacter(utf8.substr(i));
        if (const std::optional<unsigned char> byte = windows1252Byte(next.character))
            bytes += static_cast<char>(*byte);
        else
            bytes += utf8.substr(i, next.length);
        i += next.length;
    }
    return bytes;
}

} // namespace kdx
