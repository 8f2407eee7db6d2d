#include "number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace kdx {
namespace {

bool isDroppedBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int digitValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 99;
}

// Forward reader over the text with the blanks dropped.
class Cursor {
public:
    explicit Cursor(std::string_view text) : text_(text) { skipBlanks(); }

    bool atEnd() const { return pos_ >= text_.size(); }
    char peek() const { return atEnd() ? '\0' : text_[pos_]; }
    void advance()
    {
        ++pos_;
        skipBlanks();
    }

private:
    void skipBlanks()
    {
        while (pos_ < text_.size() && isDroppedBlank(text_[pos_]))
            ++pos_;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

double saturate(double value)
{
    constexpr double largest = std::numeric_limits<double>::max();
    return std::clamp(value, -largest, largest);
}

struct ParsedNumber {
    double value = 0;
    bool found = false; // at least one digit was read
    bool whole = false; // the number took every character but the dropped blanks
};

ParsedNumber readRadixNumber(Cursor &cursor, int radix)
{
    ParsedNumber number;
    while (!cursor.atEnd() && digitValue(cursor.peek()) < radix) {
        number.value = number.value * radix + digitValue(cursor.peek());
        number.found = true;
        cursor.advance();
    }
    number.value = saturate(number.value);
    number.whole = number.found && cursor.atEnd();
    return number;
}

// Exponents beyond this give zero or overflow whatever the digits are; capping
// keeps the exponent arithmetic far from integer overflow.
constexpr long ExponentCap = 100000;

ParsedNumber readDecimalNumber(Cursor &cursor)
{
    std::string mantissa;
    bool negative = false;
    if (cursor.peek() == '+' || cursor.peek() == '-') {
        negative = cursor.peek() == '-';
        cursor.advance();
    }
    bool seenPoint = false;
    bool seenDigit = false;
    bool seenSignificant = false;
    long wholeDigitsFromSignificant = 0; // whole-part digits from the first non-zero one on
    long zerosAfterPoint = 0;            // fraction zeros before the first non-zero digit
    while (!cursor.atEnd()) {
        const char c = cursor.peek();
        if (isDigit(c)) {
            seenDigit = true;
            seenSignificant = seenSignificant || c != '0';
            if (!seenPoint && seenSignificant)
                ++wholeDigitsFromSignificant;
            else if (seenPoint && !seenSignificant)
                ++zerosAfterPoint;
            mantissa += c;
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
            mantissa += c;
        } else {
            break;
        }
        cursor.advance();
    }
    long exponent = 0;
    bool exponentComplete = true; // an E is followed by digits
    if (cursor.peek() == 'E' || cursor.peek() == 'e') {
        cursor.advance();
        bool negativeExponent = false;
        if (cursor.peek() == '+' || cursor.peek() == '-') {
            negativeExponent = cursor.peek() == '-';
            cursor.advance();
        }
        exponentComplete = isDigit(cursor.peek());
        while (isDigit(cursor.peek())) {
            exponent = std::min(exponent * 10 + (cursor.peek() - '0'), ExponentCap);
            cursor.advance();
        }
        if (negativeExponent)
            exponent = -exponent;
    }

    if (!seenSignificant)
        return {0, seenDigit, seenDigit && exponentComplete && cursor.atEnd()};
    // The power of ten of the leading significant digit, before the exponent.
    const long magnitude = wholeDigitsFromSignificant > 0 ? wholeDigitsFromSignificant - 1 : -(zerosAfterPoint + 1);

    const std::string number = mantissa + 'e' + std::to_string(exponent);
    double value = 0;
    if (std::from_chars(number.data(), number.data() + number.size(), value).ec == std::errc::result_out_of_range)
        value = magnitude + exponent > 0 ? std::numeric_limits<double>::max() : 0.0;
    return {negative ? -value : value, true, exponentComplete && cursor.atEnd()};
}

ParsedNumber parseNumber(std::string_view text)
{
    Cursor cursor(text);
    if (cursor.peek() == '&') {
        cursor.advance();
        const char prefix = cursor.peek();
        if (prefix == 'H' || prefix == 'h') {
            cursor.advance();
            return readRadixNumber(cursor, 16);
        }
        if (prefix == 'O' || prefix == 'o') {
            cursor.advance();
            return readRadixNumber(cursor, 8);
        }
        return {};
    }
    return readDecimalNumber(cursor);
}

} // namespace

double NumberFromText(std::string_view text)
{
    return parseNumber(text).value;
}

bool isNumberText(std::string_view text)
{
    return parseNumber(text).whole;
}

std::string NumberToText(double number)
{
    if (std::isnan(number) || number == 0)
        return "0";
    number = saturate(number);

    constexpr int significantDigits = 15;
    // "d.dddddddddddddde+XXX", correctly rounded to 15 significant digits.
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(number),
                                      std::chars_format::scientific, significantDigits - 1);
    const std::string_view scientific(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));

    const std::size_t exponentMark = scientific.find('e');
    std::string digits;
    for (char c : scientific.substr(0, exponentMark))
        if (c != '.')
            digits += c;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    int exponent = 0;
    const std::string_view exponentText = scientific.substr(exponentMark + 1);
    std::from_chars(exponentText.data() + (exponentText.front() == '+' ? 1 : 0), exponentText.data() + exponentText.size(),
                    exponent);

    std::string text = number < 0 ? "-" : "";
    if (exponent >= significantDigits) {
        text += digits.front();
        if (digits.size() > 1) {
            text += '.';
            text.append(digits, 1);
        }
        text += "E+" + std::to_string(exponent);
    } else if (exponent >= 0) {
        const auto wholeDigits = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= wholeDigits) {
            text += digits + std::string(wholeDigits - digits.size(), '0');
        } else {
            text += digits.substr(0, wholeDigits) + '.' + digits.substr(wholeDigits);
        }
    } else {
        text += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    return text;
}

double roundHalfToEven(double number)
{
    const double lower = std::floor(number);
    const double fraction = number - lower;
    if (fraction < 0.5)
        return lower;
    if (fraction > 0.5)
        return lower + 1;
    return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

} // namespace kdx
