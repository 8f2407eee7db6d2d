#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kdx {

// How the bytes of a file become the text of the model, which is UTF-8.
enum class TextEncoding {
    Utf8,        // a file that is valid UTF-8 as a whole
    Windows1252, // any other file: the code page of the bot's own files
};

// True when the bytes are well-formed UTF-8: no stray continuation bytes, no
// overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(std::string_view bytes);

// Utf8 for valid UTF-8, otherwise Windows1252.
TextEncoding encodingOf(std::string_view bytes);

// The bytes of a file as UTF-8 text. Windows-1252 gives every byte a character:
// the five bytes the code page leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D)
// become the control characters of the same number, so that bytesFromUtf8 gives
// back every byte. UTF-8 bytes are taken as they are.
std::string utf8FromBytes(std::string_view bytes, TextEncoding encoding);

// One character as UTF-8.
std::string utf8FromCharacter(char32_t character);

// The first character of valid UTF-8 text that the encoding cannot hold, if any.
// Invalid UTF-8 counts as U+FFFD, which Windows-1252 cannot hold.
std::optional<char32_t> firstUnencodable(std::string_view utf8, TextEncoding encoding);

// UTF-8 text as the bytes of a file. Check firstUnencodable first: a character
// that the encoding cannot hold is written as its UTF-8 bytes, never replaced.
std::string bytesFromUtf8(std::string_view utf8, TextEncoding encoding);

} // namespace kdx
