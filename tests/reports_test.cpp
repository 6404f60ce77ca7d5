// Number and line-break formatting of the reports.
#include "reports.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace {

std::string printf_lf(double x)
{
    char buf[400];
    std::snprintf(buf, sizeof buf, "%lf", x);
    return buf;
}

std::string formatted(double x)
{
    std::string s;
    number(s, x);
    return s;
}

TEST(Number, PrintsSixDecimalsInFixedNotation)
{
    EXPECT_EQ(formatted(0), "0.000000");
    EXPECT_EQ(formatted(1.5), "1.500000");
    EXPECT_EQ(formatted(300), "300.000000");
    EXPECT_EQ(formatted(-3.984016), "-3.984016");
    EXPECT_EQ(formatted(1e8), "100000000.000000");
    EXPECT_EQ(formatted(1e-7), "0.000000");
}

TEST(Number, NegativesThatRoundToZeroKeepTheirSign)
{
    EXPECT_EQ(formatted(-1e-9), "-0.000000");
    EXPECT_EQ(formatted(-0.0), "-0.000000");
    EXPECT_EQ(formatted(-4.9e-7), "-0.000000");
}

TEST(Number, RoundsHalfwayCasesOnTheExactBinaryValue)
{
    // Exact binary ties round to even; decimal "ties" that are not exact in
    // binary round the way their true value lies.
    for (double x : {0.0000005, 0.0000015, 0.0000025, 2.5e-7, 0.1234565, 1.0000005, 0.9999995,
                     0.5 / 1024 / 1024, 1.5 / 1024 / 1024, 2.5 / 1024 / 1024, -0.0000005,
                     1024.0000005, 999999.9999995})
        EXPECT_EQ(formatted(x), printf_lf(x)) << x;
}

TEST(Number, AgreesWithPrintfOverManyValues)
{
    std::mt19937_64 gen(20261208);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> exponent(-12, 22);
    std::uniform_int_distribution<std::uint64_t> bits;
    for (int i = 0; i < 200000; ++i) {
        const double x = mantissa(gen) * std::pow(10.0, exponent(gen));
        ASSERT_EQ(formatted(x), printf_lf(x)) << x;
        // Arbitrary bit patterns: every finite double, from subnormals to 1e308.
        const std::uint64_t b = bits(gen);
        double y;
        std::memcpy(&y, &b, sizeof y);
        if (std::isfinite(y)) {
            ASSERT_EQ(formatted(y), printf_lf(y)) << y;
        }
    }
    EXPECT_EQ(formatted(std::numeric_limits<double>::max()),
              printf_lf(std::numeric_limits<double>::max()));
}

TEST(Number, PrintsInfinitiesAndNaNsLikePrintf)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (double x : {inf, -inf, nan, -nan})
        EXPECT_EQ(formatted(x), printf_lf(x));
}

TEST(Text, WritesEveryLineBreakAsCrLf)
{
    std::string s;
    text(s, "\n\na\nb\n");
    EXPECT_EQ(s, "\r\n\r\na\r\nb\r\n");
}

TEST(Text, KeepsTheCodePageByteAsASingleByte)
{
    std::string s;
    property_preamble(s, 1.5);
    size_t count = 0;
    for (unsigned char ch : s) {
        if (ch == 0xA2)
            ++count;
        else
            EXPECT_LT(ch, 0x80);
    }
    EXPECT_EQ(count, 3u);
    EXPECT_NE(s.find("presi\xA2n del limite de estabilidad del gas"), std::string::npos);
}

}  // namespace
