#include "config/number_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

using kdx::NumberFromText;
using kdx::NumberToText;

constexpr double largest = std::numeric_limits<double>::max();
constexpr double smallestSubnormal = std::numeric_limits<double>::denorm_min();

// A number text with a long run of zeros in the middle.
std::string withZeros(std::string_view before, std::size_t zeros, std::string_view after)
{
    std::string text(before);
    text.append(zeros, '0');
    text.append(after);
    return text;
}

// Runs every number test under a locale: "C", the locale the environment names
// (so that CTest's second run with LC_ALL=de_DE.UTF-8 bites), and a comma-decimal
// locale set in code.
class NumberTextInLocale : public ::testing::TestWithParam<const char *> {
protected:
    void SetUp() override
    {
        if (std::setlocale(LC_ALL, GetParam()) == nullptr) {
            GTEST_SKIP() << "locale '" << GetParam() << "' is not installed; run ensure_locale of scripts/lib/setup.sh";
        }
        if (std::string(GetParam()) == "de_DE.UTF-8") {
            ASSERT_STREQ(std::localeconv()->decimal_point, ",") << "the locale should write a decimal comma";
        }
    }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

INSTANTIATE_TEST_SUITE_P(Locales, NumberTextInLocale, ::testing::Values("C", "", "de_DE.UTF-8"),
                         [](const ::testing::TestParamInfo<const char *> &info) {
                             const std::string name = info.param;
                             return name.empty() ? std::string("Environment") : name == "C" ? name : std::string("de_DE");
                         });

TEST_P(NumberTextInLocale, NumberFromTextReadsTheNumberAtTheStart)
{
    struct Case {
        std::string text;
        double expected;
    };
    const Case cases[] = {
        {"12abc", 12},
        {"", 0},
        {"-", 0},
        {"+", 0},
        {"1e2", 100},
        {"1E-2", 0.01},
        {"1 2", 12},
        {"- 5", -5},
        {"+5", 5},
        {"\t1\n2", 12},
        {" 1 . 5 ", 1.5},
        {"&H1F", 31},
        {"&h1f", 31},
        {"&H 1F", 31},
        {"&O17", 15},
        {"&o17", 15},
        {"&O19", 1},
        {"&H", 0},
        {"&X1", 0},
        {std::string("&H").append(260, 'F'), largest},
        {"&", 0},
        {"3.7", 3.7},
        {"0.95", 0.95},
        {".5", 0.5},
        {"-.5", -0.5},
        {"1.2.3", 1.2},
        {"1,5", 1},
        {"00012", 12},
        {"1e", 1},
        {"1e+", 1},
        {"1e-", 1},
        {"1e2e3", 100},
        {"e5", 0},
        {"--1", 0},
        {"\r5", 0},
        {"1e400", largest},
        {"-1e400", -largest},
        {"10e308", largest},
        {"1e99999999999999999999", largest},
        {"1e-400", 0},
        {"-1e-400", 0},
        {"1e-99999999999999999999", 0},
        {"0e999999", 0},
        {"4.9406564584124654e-324", smallestSubnormal},
        {withZeros("1", 400, ""), largest},
        {withZeros("9", 399, ".5"), largest},
        {withZeros("1", 400, "e-400"), 1},
        {withZeros("0.", 400, "1"), 0},
        {withZeros("0.", 400, "1e401"), 1},
        {"1.79769313486232E+308", largest},
    };
    for (const Case &c : cases)
        EXPECT_EQ(NumberFromText(c.text), c.expected) << "text: '" << c.text << "'";
}

TEST_P(NumberTextInLocale, NumberToTextWritesPlainDecimals)
{
    struct Case {
        double number;
        std::string expected;
    };
    const Case cases[] = {
        {0, "0"},
        {-0.0, "0"},
        {0.1, "0.1"},
        {0.95, "0.95"},
        {0.6, "0.6"},
        {1.5, "1.5"},
        {100, "100"},
        {123.456, "123.456"},
        {-2.5, "-2.5"},
        {-80, "-80"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {0.000123, "0.000123"},
        {1e-7, "0.0000001"},
        {-1e-7, "-0.0000001"},
        {1e14, "100000000000000"},
        {999999999999999, "999999999999999"},
        {999999999999999.5, "1E+15"},
        {1e15, "1E+15"},
        {-1e20, "-1E+20"},
        {-1.5e20, "-1.5E+20"},
        {123456789012345678.0, "1.23456789012346E+17"},
        {largest, "1.79769313486232E+308"},
        {-largest, "-1.79769313486232E+308"},
        {std::numeric_limits<double>::infinity(), "1.79769313486232E+308"},
        {smallestSubnormal, withZeros("0.", 323, "494065645841247")},
    };
    for (const Case &c : cases)
        EXPECT_EQ(NumberToText(c.number), c.expected) << "number: " << c.number;
}

// NumberToText(NumberFromText(t)) == t for every t that NumberToText writes.
TEST_P(NumberTextInLocale, TextOfANumberReadsBackToTheSameText)
{
    std::mt19937_64 random(20261206);
    std::uniform_real_distribution<double> wide(-1e6, 1e6);
    std::uniform_real_distribution<double> unit(0, 1);
    std::uniform_int_distribution<std::int64_t> integers(-(std::int64_t{1} << 60), std::int64_t{1} << 60);
    std::uniform_int_distribution<int> smallCount(-100000, 100000);
    const std::function<double()> distributions[] = {
        [&] {
            for (;;) {
                const double d = std::bit_cast<double>(random());
                if (std::isfinite(d))
                    return d;
            }
        },
        [&] { return wide(random); },
        [&] { return static_cast<double>(integers(random)); },
        [&] { return smallCount(random) / 1000.0; },
        [&] { return unit(random) * std::pow(10.0, smallCount(random) % 20); },
    };

    std::vector<double> numbers = {0,     -0.0,  0.1,     0.95,    1e15,     -1e15,
                                   1e-7,  1e14,  999999999999999.5,    123456789012345678.0,
                                   largest, -largest, smallestSubnormal, std::numeric_limits<double>::min()};
    for (const auto &draw : distributions)
        for (int i = 0; i < 40000; ++i)
            numbers.push_back(draw());

    int failures = 0;
    for (double number : numbers) {
        const std::string text = NumberToText(number);
        const std::string again = NumberToText(NumberFromText(text));
        if (again != text && ++failures <= 10)
            ADD_FAILURE() << "number " << number << " wrote '" << text << "', which read back as '" << again << "'";
    }
    EXPECT_EQ(failures, 0) << "of " << numbers.size() << " numbers";
}

TEST(RoundHalfToEven, HalvesGoToTheEvenNeighbour)
{
    struct Case {
        double number;
        double expected;
    };
    const Case cases[] = {
        {80.5, 80}, {81.5, 82}, {2.5, 2},   {3.5, 4},   {-0.5, 0},  {-1.5, -2}, {-2.5, -2},
        {0.4999999999999999, 0}, {3.7, 4}, {-3.7, -4}, {7, 7}, {1e300, 1e300}, {4503599627370497.0, 4503599627370497.0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(kdx::RoundHalfToEven(c.number), c.expected) << "number: " << c.number;
}

} // namespace
