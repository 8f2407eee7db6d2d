#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace kdx {

// How the bytes of a file become the text of the model, which is UTF-8, and
// back: UTF-8 itself, or a code page that the system's converters convert
// (iconv, or MultiByteToWideChar and WideCharToMultiByte on Windows; see
// system_converter.h).
//
// Every byte survives decode and encode. A byte that the code page does not
// read as (part of) a character which it writes back as the same bytes
// becomes a stand-in of its own that encode turns back into that byte: bytes
// 0x80-0x9F the control characters of the same number (as Windows itself reads
// the five unassigned bytes of Windows-1252), bytes 0xA0-0xFF the characters
// U+F7A0-U+F7FF of the Private Use Area. So the lines of a file that nobody
// edited are written back byte for byte, in every code page.
//
// Copies share one converter, which may be used from several threads.
class CodePage {
public:
    static CodePage utf8();
    // The code page a name means: a Windows code page number ("1251") or an
    // encoding name the system knows ("CP1251", "KOI8-R"). None for a name the
    // system does not know, and for an encoding that does not keep the ASCII
    // characters as their own bytes (UTF-16, EBCDIC, UTF-7, ...), which no
    // KDX.cfg is written in.
    static std::optional<CodePage> named(std::string_view name);

    // The code page's name for the user: "UTF-8", "Windows-1251", "KOI8-R".
    const std::string &name() const;
    bool isUtf8() const;
    // The same code page, by name.
    bool operator==(const CodePage &other) const { return name() == other.name(); }

    // The bytes as UTF-8 text; UTF-8 bytes as they are.
    std::string decode(std::string_view bytes) const;
    // The first character of UTF-8 text that the code page cannot hold, if any;
    // a byte of invalid UTF-8 counts as U+FFFD, which none holds.
    std::optional<char32_t> firstUnencodable(std::string_view text) const;
    // UTF-8 text as bytes of the code page. Check firstUnencodable first: a
    // character that the code page cannot hold is written as its UTF-8 bytes,
    // never replaced by "?".
    std::string encode(std::string_view text) const;

    struct Converter;

private:
    explicit CodePage(std::shared_ptr<const Converter> converter);
    std::shared_ptr<const Converter> converter_; // null for UTF-8
};

// The code pages that files are read in. A file that is valid UTF-8 and holds
// more than ASCII is read as UTF-8; the others as chosen here.
struct FileCodePages {
    CodePage notUtf8;    // a file that is not valid UTF-8
    CodePage newOrAscii; // a file not yet written, or one of ASCII characters only

    // The code page of a file's bytes.
    CodePage of(std::string_view bytes) const;
};

// The system's default: on Windows its ANSI code page, for both (when that is
// UTF-8, as below); elsewhere Windows-1252, the code page of the bot's own
// files, and UTF-8 for new and ASCII-only files.
const FileCodePages &systemCodePages();

// The option --code-page in the help of both programs.
inline constexpr const char *CodePageOptionHelp =
    "The code page of a file that is not UTF-8, and of a new or ASCII-only one: a Windows code page number (1251, "
    "1250, 936, ...) or an encoding name the system knows (CP1251, KOI8-R). Without it, the system's ANSI code page "
    "on Windows; elsewhere Windows-1252, and UTF-8 for new and ASCII files";

// What the option --code-page NAME chooses: that code page for both; UTF-8 (or
// 65001) only for new and ASCII-only files, the others keep the system's. An
// unknown name gives the message for the user.
std::variant<FileCodePages, std::string> codePagesNamed(std::string_view name);

} // namespace kdx
