#include "code_page.h"

#include "system_converter.h"
#include "text_encoding.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <unordered_map>

namespace kdx {

struct CodePage::Converter {
    std::string name;
    std::unique_ptr<SystemConverter> system;
    // The character of each byte 0x80-0xFF read alone, or NoCharacter for a byte
    // that is the start of a longer character or a stand-in.
    std::array<char32_t, 128> upperBytes{};
    std::unordered_map<char32_t, char> singleByteOf;
};

namespace {

constexpr char32_t NoCharacter = 0;
// The longest character of any code page that Windows or iconv offers (GB18030).
constexpr std::size_t MaxCharacterLength = 4;

bool isDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string upperCase(std::string_view text)
{
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return upper;
}

// "cp1251" and "Windows-1251" are the code page 1251; other names stay as given.
std::string normalName(std::string_view name)
{
    const std::string upper = upperCase(name);
    for (const std::string_view prefix : {"CP", "WINDOWS-"}) {
        if (upper.starts_with(prefix) && isDigits(std::string_view(upper).substr(prefix.size())))
            return upper.substr(prefix.size());
    }
    return std::string(name);
}

std::string displayName(const std::string &normal)
{
    if (!isDigits(normal))
        return upperCase(normal);
    const int number = std::stoi(normal);
    const bool windows =
        number == 874 || number == 932 || number == 936 || number == 949 || number == 950 || (number >= 1250 && number <= 1258);
    return (windows ? "Windows-" : "CP") + normal;
}

bool meansUtf8(const std::string &normal)
{
    const std::string upper = upperCase(normal);
    return upper == "65001" || upper == "UTF-8" || upper == "UTF8";
}

char32_t standInOf(unsigned char byte)
{
    return byte < 0xA0 ? byte : 0xF700 + byte;
}

std::optional<unsigned char> byteOfStandIn(char32_t character)
{
    if ((character >= 0x80 && character < 0xA0) || (character >= 0xF7A0 && character <= 0xF7FF))
        return static_cast<unsigned char>(character & 0xFF);
    return std::nullopt;
}

// A non-ASCII character, not a stand-in, that the code page writes as the very
// bytes it was read from.
bool roundTrips(SystemConverter &system, char32_t character, std::string_view bytes)
{
    return character >= 0x80 && !byteOfStandIn(character) && system.encode(character) == bytes;
}

// The character of two or more bytes that begins the bytes, if the code page
// writes it back as the same bytes.
std::optional<Utf8Character> longCharacter(const CodePage::Converter &converter, std::string_view bytes)
{
    for (std::size_t length = 2; length <= std::min(MaxCharacterLength, bytes.size()); ++length) {
        const std::string_view part = bytes.substr(0, length);
        if (const std::optional<char32_t> character = converter.system->decode(part)) {
            if (roundTrips(*converter.system, *character, part))
                return Utf8Character{*character, length};
            return std::nullopt;
        }
    }
    return std::nullopt;
}

// The bytes of a character as decode would read them back; none when the code
// page cannot hold it.
std::optional<std::string> bytesOf(const CodePage::Converter &converter, char32_t character)
{
    if (character < 0x80)
        return std::string(1, static_cast<char>(character));
    if (const std::optional<unsigned char> byte = byteOfStandIn(character);
        byte && converter.upperBytes[*byte - 0x80] == NoCharacter)
        return std::string(1, static_cast<char>(*byte));
    if (const auto single = converter.singleByteOf.find(character); single != converter.singleByteOf.end())
        return std::string(1, single->second);
    std::optional<std::string> bytes = converter.system->encode(character);
    if (!bytes || bytes->size() < 2)
        return std::nullopt;
    const std::optional<Utf8Character> readBack = longCharacter(converter, *bytes);
    const bool leadsAlone = converter.upperBytes[static_cast<unsigned char>(bytes->front()) - 0x80] != NoCharacter;
    if (static_cast<unsigned char>(bytes->front()) < 0x80 || leadsAlone || !readBack || readBack->character != character
        || readBack->length != bytes->size())
        return std::nullopt;
    return bytes;
}

bool isAscii(std::string_view bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

CodePage::CodePage(std::shared_ptr<const Converter> converter) : converter_(std::move(converter)) {}

CodePage CodePage::utf8()
{
    return CodePage(nullptr);
}

std::optional<CodePage> CodePage::named(std::string_view name)
{
    const std::string normal = normalName(name);
    if (normal.empty())
        return std::nullopt; // iconv would take the empty name for the locale's own encoding
    if (meansUtf8(normal))
        return utf8();
    auto converter = std::make_shared<Converter>();
    converter->system = SystemConverter::open(normal);
    if (!converter->system)
        return std::nullopt;
    SystemConverter &system = *converter->system;
    for (char32_t ascii = 0; ascii < 0x80; ++ascii) {
        const std::string byte(1, static_cast<char>(ascii));
        if (system.decode(byte) != ascii || system.encode(ascii) != byte)
            return std::nullopt;
    }
    for (unsigned byte = 0x80; byte <= 0xFF; ++byte) {
        const std::string bytes(1, static_cast<char>(byte));
        const std::optional<char32_t> character = system.decode(bytes);
        if (character && roundTrips(system, *character, bytes)) {
            converter->upperBytes[byte - 0x80] = *character;
            converter->singleByteOf.emplace(*character, bytes.front());
        }
    }
    converter->name = displayName(normal);
    return CodePage(std::move(converter));
}

const std::string &CodePage::name() const
{
    static const std::string utf8Name = "UTF-8";
    return converter_ ? converter_->name : utf8Name;
}

bool CodePage::isUtf8() const
{
    return !converter_;
}

std::string CodePage::decode(std::string_view bytes) const
{
    if (!converter_)
        return std::string(bytes);
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 4);
    for (std::size_t i = 0; i < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte < 0x80) {
            text += static_cast<char>(byte);
            ++i;
        } else if (const char32_t single = converter_->upperBytes[byte - 0x80]; single != NoCharacter) {
            text += utf8FromCharacter(single);
            ++i;
        } else if (const std::optional<Utf8Character> character = longCharacter(*converter_, bytes.substr(i))) {
            text += utf8FromCharacter(character->character);
            i += character->length;
        } else {
            text += utf8FromCharacter(standInOf(byte));
            ++i;
        }
    }
    return text;
}

std::optional<char32_t> CodePage::firstUnencodable(std::string_view text) const
{
    if (!converter_ && isValidUtf8(text))
        return std::nullopt;
    for (std::size_t i = 0; i < text.size();) {
        const Utf8Character next = firstUtf8Character(text.substr(i));
        const bool invalid = next.character == ReplacementCharacter && next.length == 1;
        if (invalid || (converter_ && !bytesOf(*converter_, next.character)))
            return next.character;
        i += next.length;
    }
    return std::nullopt;
}

std::string CodePage::encode(std::string_view text) const
{
    if (!converter_)
        return std::string(text);
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            bytes += static_cast<char>(lead);
            ++i;
            continue;
        }
        const Utf8Character next = firstUtf8Character(text.substr(i));
        if (const std::optional<std::string> encoded = bytesOf(*converter_, next.character))
            bytes += *encoded;
        else
            bytes += text.substr(i, next.length);
        i += next.length;
    }
    return bytes;
}

CodePage FileCodePages::of(std::string_view bytes) const
{
    if (!isValidUtf8(bytes))
        return notUtf8;
    // Where new files are UTF-8 too, no second pass over the bytes is needed.
    return !newOrAscii.isUtf8() && isAscii(bytes) ? newOrAscii : CodePage::utf8();
}

const FileCodePages &systemCodePages()
{
    static const FileCodePages pages = [] {
        const std::optional<std::string> ansi = systemAnsiCodePage();
        if (const std::optional<CodePage> system = ansi ? CodePage::named(*ansi) : std::nullopt; system && !system->isUtf8())
            return FileCodePages{*system, *system};
        return FileCodePages{CodePage::named("1252").value_or(CodePage::utf8()), CodePage::utf8()};
    }();
    return pages;
}

std::variant<FileCodePages, std::string> codePagesNamed(std::string_view name)
{
    const std::optional<CodePage> chosen = CodePage::named(name);
    if (!chosen)
        return "unknown code page \"" + std::string(name)
               + "\": give a Windows code page number (such as 1251) or the name of an encoding that the system knows "
                 "and that keeps ASCII as it is (such as CP1251 or KOI8-R)";
    if (chosen->isUtf8())
        return FileCodePages{systemCodePages().notUtf8, *chosen};
    return FileCodePages{*chosen, *chosen};
}

} // namespace kdx
