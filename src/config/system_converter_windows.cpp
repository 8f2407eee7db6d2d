#include "system_converter.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <array>
#include <cctype>

namespace kdx {

struct SystemConverter::State {
    UINT codePage;
};

namespace {

struct NamedCodePage {
    std::string_view name;
    UINT number;
};

// Names that iconv knows and Windows knows only by number.
constexpr std::array<NamedCodePage, 11> NamedCodePages = {{
    {"KOI8-R", 20866},
    {"KOI8-U", 21866},
    {"SHIFT_JIS", 932},
    {"SJIS", 932},
    {"GBK", 936},
    {"GB2312", 936},
    {"UHC", 949},
    {"BIG5", 950},
    {"ISO-8859-1", 28591},
    {"ISO-8859-2", 28592},
    {"ISO-8859-5", 28595},
}};

std::optional<UINT> numberOf(std::string_view name)
{
    if (!name.empty() && name.size() <= 5 && std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return static_cast<UINT>(std::stoul(std::string(name)));
    for (const NamedCodePage &named : NamedCodePages) {
        if (std::equal(name.begin(), name.end(), named.name.begin(), named.name.end(),
                       [](char a, char b) { return std::toupper(static_cast<unsigned char>(a)) == b; }))
            return named.number;
    }
    return std::nullopt;
}

// UTF-8 and UTF-7 take neither the flag against best fits nor the question
// whether the default character was used.
bool isUnicode(UINT codePage)
{
    return codePage == CP_UTF8 || codePage == CP_UTF7;
}

} // namespace

std::unique_ptr<SystemConverter> SystemConverter::open(std::string_view name)
{
    const std::optional<UINT> codePage = numberOf(name);
    if (!codePage || !IsValidCodePage(*codePage))
        return nullptr;
    return std::unique_ptr<SystemConverter>(new SystemConverter(std::make_unique<State>(State{*codePage})));
}

SystemConverter::SystemConverter(std::unique_ptr<State> state) : state_(std::move(state)) {}

SystemConverter::~SystemConverter() = default;

std::optional<char32_t> SystemConverter::decode(std::string_view bytes)
{
    std::array<wchar_t, 8> wide;
    const int length = MultiByteToWideChar(state_->codePage, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()),
                                           wide.data(), static_cast<int>(wide.size()));
    if (length == 1 && (wide[0] < 0xD800 || wide[0] > 0xDFFF))
        return static_cast<char32_t>(wide[0]);
    if (length == 2 && wide[0] >= 0xD800 && wide[0] <= 0xDBFF && wide[1] >= 0xDC00 && wide[1] <= 0xDFFF)
        return 0x10000 + ((static_cast<char32_t>(wide[0]) - 0xD800) << 10) + (static_cast<char32_t>(wide[1]) - 0xDC00);
    return std::nullopt;
}

std::optional<std::string> SystemConverter::encode(char32_t character)
{
    std::array<wchar_t, 2> wide;
    int wideLength = 1;
    if (character >= 0x10000) {
        wide[0] = static_cast<wchar_t>(0xD800 + ((character - 0x10000) >> 10));
        wide[1] = static_cast<wchar_t>(0xDC00 + ((character - 0x10000) & 0x3FF));
        wideLength = 2;
    } else {
        wide[0] = static_cast<wchar_t>(character);
    }
    const bool unicode = isUnicode(state_->codePage);
    BOOL usedDefault = FALSE;
    std::array<char, 16> bytes;
    const int length =
        WideCharToMultiByte(state_->codePage, unicode ? 0 : WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, bytes.data(),
                            static_cast<int>(bytes.size()), nullptr, unicode ? nullptr : &usedDefault);
    if (length <= 0 || usedDefault)
        return std::nullopt;
    return std::string(bytes.data(), static_cast<std::size_t>(length));
}

std::optional<std::string> systemAnsiCodePage()
{
    return std::to_string(GetACP());
}

} // namespace kdx
