#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kdx {

// Reads the comma-separated fields of a language file, one after the other.
//
// A field ends at a comma or at the end of a line (CR, CR LF or LF); the end of
// the input ends the last field. Spaces at the start of a field are skipped. A
// field that begins with a double quote runs to the next double quote, line ends
// and commas included, and loses the quotes; whatever follows the closing quote
// up to the next comma or line end is dropped. A quote that is never closed runs
// to the end of the input. An empty line gives an empty field.
//
// The reader only views the bytes: they must outlive it.
class LanguageFieldReader {
public:
    explicit LanguageFieldReader(std::string_view bytes) : bytes_(bytes) {}

    // The next field, or std::nullopt once the input is used up.
    std::optional<std::string> next();

private:
    bool atEnd() const { return position_ >= bytes_.size(); }
    // Moves past the comma or line end at the current position, if any.
    void skipFieldEnd();
    // The bytes up to the next comma or line end; stops before it.
    std::string_view takeUntilFieldEnd();

    std::string_view bytes_;
    std::size_t position_ = 0;
};

// How a language dialog finds the message in its language file.
enum class MessageRule {
    // The first field, from its third character, when it begins with "##".
    ChatFirstField,
    // Six rounds of: read a field; after a field "KDX" (exact case) read one more;
    // when that one begins with "{", the field after it is the message. The last
    // message found wins.
    TitlesMarker,
};

// The message that a language file carries for the rule, or the empty text when
// it carries none. A file that ends before the rule has read all its fields gives
// what was found up to there.
std::string languageMessage(MessageRule rule, std::string_view bytes);

} // namespace kdx
