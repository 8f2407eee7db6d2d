#pragma once

#include <string>
#include <string_view>

namespace kdx {

// The number at the start of a text. Spaces, tabs and line feeds are dropped
// wherever they stand; then an optional sign, digits with at most one decimal
// point and an optional exponent (E or e, optional sign, digits) are read, up to
// the first character that does not fit. "&H" and "&O" (either case) read a
// hexadecimal or octal whole number instead. The decimal separator is always the
// point, whatever the locale. A text without a number gives 0; a number too large
// for a double gives the largest finite double of its sign.
double NumberFromText(std::string_view text);

// True when the text is one number and nothing else: NumberFromText reads every
// character of it but the blanks it drops, an exponent with its digits ("12abc",
// "1O" and "1e" are not).
bool isNumberText(std::string_view text);

// The plain decimal text of a number: "-" for a negative number, the point as
// decimal separator, at most 15 significant digits, no trailing zeros and no point
// for a whole number. A number whose whole part needs more than 15 digits is
// written in exponent form ("1E+15", "-1.5E+20"). Negative zero is "0".
// NumberToText(NumberFromText(t)) == t for every text t this function produces.
std::string NumberToText(double number);

// Rounds to the nearest whole number, a half going to the even neighbour.
double roundHalfToEven(double number);

} // namespace kdx
