#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kdx {

// True when the bytes are well-formed UTF-8: no stray continuation bytes, no
// overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(std::string_view bytes);

// One character as UTF-8.
std::string utf8FromCharacter(char32_t character);

// The character that begins UTF-8 text (not empty) and the number of its bytes;
// a byte that begins no valid sequence is U+FFFD of length 1.
struct Utf8Character {
    char32_t character;
    std::size_t length;
};
Utf8Character firstUtf8Character(std::string_view utf8);

inline constexpr char32_t ReplacementCharacter = 0xFFFD;

} // namespace kdx
