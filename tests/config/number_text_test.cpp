#include "config/number_text.h"

#include <gtest/gtest.h>

namespace {

TEST(NumberFromText, ReadsTheNumberAtTheStart)
{
    struct Case {
        const char *text;
        double expected;
    };
    const Case cases[] = {
        {"12abc", 12}, {"", 0}, {"-", 0}, {"1e2", 100}, {"1 2", 12}, {"&H1F", 31}, {"&O17", 15},
        {"3.7", 3.7},  {"-4", -4}, {" 3", 3}, {"0.05", 0.05}, {"\t1\n2", 12}, {".5", 0.5}, {"1e", 1},
    };
    for (const Case &c : cases)
        EXPECT_DOUBLE_EQ(kdx::NumberFromText(c.text), c.expected) << "text: '" << c.text << "'";
}

TEST(NumberToText, WritesPlainDecimals)
{
    EXPECT_EQ(kdx::NumberToText(0.1), "0.1");
    EXPECT_EQ(kdx::NumberToText(-0.0), "0");
    EXPECT_EQ(kdx::NumberToText(1e15), "1E+15");
    EXPECT_EQ(kdx::NumberToText(1e-7), "0.0000001");
    EXPECT_EQ(kdx::NumberToText(123456789012345678.0), "1.23456789012346E+17");
    EXPECT_EQ(kdx::NumberToText(999999999999999.0), "999999999999999");
}

} // namespace
