#include "system_converter.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <mutex>

namespace kdx {

struct SystemConverter::State {
    State(iconv_t toUnicodeFrom, iconv_t fromUnicodeTo) : toUnicode(toUnicodeFrom), fromUnicode(fromUnicodeTo) {}
    iconv_t toUnicode;
    iconv_t fromUnicode;
    std::mutex mutex; // an iconv_t carries shift state between calls
};

namespace {

// UTF-32 of this machine's byte order, so a character is one char32_t.
constexpr const char *Unicode = "UTF-32LE";

bool opened(iconv_t converter)
{
    return reinterpret_cast<std::intptr_t>(converter) != -1;
}

std::string iconvName(std::string_view name)
{
    const bool number = !name.empty() && std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
    return number ? "CP" + std::string(name) : std::string(name);
}

// Runs the whole input through the converter from its initial state; false when
// any of it is invalid or incomplete.
bool convertAll(iconv_t converter, std::string_view input, std::string &output)
{
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    std::array<char, 64> buffer;
    char *in = const_cast<char *>(input.data()); // iconv's signature; it does not write the input
    std::size_t inLeft = input.size();
    char *out = buffer.data();
    std::size_t outLeft = buffer.size();
    if (iconv(converter, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1))
        return false;
    if (iconv(converter, nullptr, nullptr, &out, &outLeft) == static_cast<std::size_t>(-1))
        return false;
    output.assign(buffer.data(), static_cast<std::size_t>(out - buffer.data()));
    return true;
}

} // namespace

std::unique_ptr<SystemConverter> SystemConverter::open(std::string_view name)
{
    const std::string systemName = iconvName(name);
    const iconv_t toUnicode = iconv_open(Unicode, systemName.c_str());
    if (!opened(toUnicode))
        return nullptr;
    const iconv_t fromUnicode = iconv_open(systemName.c_str(), Unicode);
    if (!opened(fromUnicode)) {
        iconv_close(toUnicode);
        return nullptr;
    }
    return std::unique_ptr<SystemConverter>(new SystemConverter(std::make_unique<State>(toUnicode, fromUnicode)));
}

SystemConverter::SystemConverter(std::unique_ptr<State> state) : state_(std::move(state)) {}

SystemConverter::~SystemConverter()
{
    iconv_close(state_->toUnicode);
    iconv_close(state_->fromUnicode);
}

std::optional<char32_t> SystemConverter::decode(std::string_view bytes)
{
    const std::lock_guard lock(state_->mutex);
    std::string unicode;
    if (!convertAll(state_->toUnicode, bytes, unicode) || unicode.size() != 4)
        return std::nullopt;
    char32_t character = 0;
    for (int k = 3; k >= 0; --k)
        character = (character << 8) | static_cast<unsigned char>(unicode[static_cast<std::size_t>(k)]);
    return character;
}

std::optional<std::string> SystemConverter::encode(char32_t character)
{
    const std::lock_guard lock(state_->mutex);
    std::string unicode(4, '\0');
    for (std::size_t k = 0; k < 4; ++k)
        unicode[k] = static_cast<char>((character >> (8 * k)) & 0xFF);
    std::string bytes;
    if (!convertAll(state_->fromUnicode, unicode, bytes) || bytes.empty())
        return std::nullopt;
    return bytes;
}

std::optional<std::string> systemAnsiCodePage()
{
    return std::nullopt;
}

} // namespace kdx
