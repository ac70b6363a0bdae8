#include "util/parser.h"
#include "util/to_string.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>
#include <string>

namespace {

struct DoubleCase {
    const char* text;
    bool ok;
    double value;       // checked when ok
    std::size_t stopAt; // position after the scan
};

void PrintTo(const DoubleCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class ParseDouble : public ::testing::TestWithParam<DoubleCase> {};

TEST_P(ParseDouble, ScansLikeTheStoredFilesExpect) {
    const DoubleCase& c = GetParam();
    const std::string text = c.text;
    Parser parser(text.data(), text.size());
    double value = -12345.0;
    EXPECT_EQ(parser.parseDouble(value), c.ok) << '"' << text << '"';
    if (c.ok) {
        EXPECT_DOUBLE_EQ(value, c.value) << '"' << text << '"';
    }
    EXPECT_EQ(parser.position(), c.stopAt) << '"' << text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Consequences, ParseDouble,
    ::testing::Values(DoubleCase{".5", true, 0.5, 2}, DoubleCase{"5.", true, 5.0, 2},
                      DoubleCase{"-.25", true, -0.25, 4}, DoubleCase{"1d3", true, 1000.0, 3},
                      DoubleCase{"2.5E-1", true, 0.25, 6}, DoubleCase{"1e+2", true, 100.0, 4},
                      DoubleCase{"1E-2", true, 0.01, 4}, DoubleCase{"-1.5d2", true, -150.0, 6},
                      DoubleCase{"+7", true, 7.0, 2}, DoubleCase{"1ex", true, 1.0, 2},
                      DoubleCase{"1.2.3", true, 1.2, 3}, DoubleCase{"0x10", true, 0.0, 1},
                      DoubleCase{"1,5", true, 1.0, 1}, DoubleCase{"+-5", false, 0, 1},
                      DoubleCase{"1e999999999999", true, HUGE_VAL, 14},
                      DoubleCase{"1e-999999999999", true, 0.0, 15}, DoubleCase{"", false, 0, 0},
                      DoubleCase{"+", false, 0, 1}, DoubleCase{"-", false, 0, 1},
                      DoubleCase{"1e", false, 0, 2}, DoubleCase{"1e+", false, 0, 3},
                      DoubleCase{"1e-", false, 0, 3}, DoubleCase{".", false, 0, 1},
                      DoubleCase{".e1", false, 0, 3}, DoubleCase{"e5", false, 0, 2},
                      DoubleCase{"inf", false, 0, 0}, DoubleCase{"nan", false, 0, 0},
                      DoubleCase{" 1", false, 0, 0}));

TEST(ParseDouble, EndsAtTheEndOfAnAlmostNumber) {
    const std::string text = "1.";
    Parser parser(text.data(), text.size());
    double value = 0;
    ASSERT_TRUE(parser.parseDouble(value));
    EXPECT_EQ(value, 1.0);
    EXPECT_TRUE(parser.atEnd());
}

double scan(const std::string& text) {
    Parser parser(text.data(), text.size());
    double value = 0;
    EXPECT_TRUE(parser.parseDouble(value)) << text;
    return value;
}

TEST(ParseDouble, WeightsFractionDigitsByRepeatedTenthsInExtendedPrecision) {
    // Ordinary material values come out as the nearest double (a double-precision tenth would
    // give 0.30000000000000004 for "0.3")...
    for (const char* text : {"0.1", "0.3", "2.2", "0.7", "123.456", "0.000001", "0.0001"}) {
        EXPECT_EQ(scan(text), std::stod(text)) << text;
    }
    // ...but the weighting is multiplication, not correct rounding: this one lands one unit
    // below the nearest double.
    EXPECT_EQ(scan("21.96936"), 0x1.5f827fa1a0cf1p+4);
    EXPECT_EQ(std::stod("21.96936"), 0x1.5f827fa1a0cf2p+4);
}

TEST(ParseDouble, NeverReadsPastTheLength) {
    // The buffer continues with digits that are not part of the scanned text.
    const char buffer[] = "12.5e3999";
    Parser mantissaOnly(buffer, 2);
    double value = 0;
    ASSERT_TRUE(mantissaOnly.parseDouble(value));
    EXPECT_EQ(value, 12.0);
    Parser danglingExponent(buffer, 5);
    EXPECT_FALSE(danglingExponent.parseDouble(value));
    EXPECT_EQ(danglingExponent.position(), 5u);
    Parser empty(nullptr, 0);
    EXPECT_FALSE(empty.parseDouble(value));
}

struct IntCase {
    const char* text;
    bool ok;
    std::int32_t value; // always stored
    std::size_t stopAt;
};

void PrintTo(const IntCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class ParseInt : public ::testing::TestWithParam<IntCase> {};

TEST_P(ParseInt, ScansDecimalIntegers) {
    const IntCase& c = GetParam();
    const std::string text = c.text;
    Parser parser(text.data(), text.size());
    std::int32_t value = 99;
    EXPECT_EQ(parser.parseInt(value), c.ok) << '"' << text << '"';
    EXPECT_EQ(value, c.value) << '"' << text << '"';
    EXPECT_EQ(parser.position(), c.stopAt) << '"' << text << '"';
}

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

INSTANTIATE_TEST_SUITE_P(Consequences, ParseInt,
                         ::testing::Values(IntCase{"-42", true, -42, 3}, IntCase{"+0", true, 0, 2},
                                           IntCase{"12abc", true, 12, 2},
                                           IntCase{"4.5", true, 4, 1},
                                           IntCase{"2147483647", true, kMax, 10},
                                           IntCase{"-2147483648", true, kMin, 11},
                                           IntCase{"2147483648", true, kMax, 10},
                                           IntCase{"99999999999999999999", true, kMax, 20},
                                           IntCase{"-99999999999999999999", true, kMin, 21},
                                           IntCase{"-", false, 0, 1}, IntCase{"+", false, 0, 1},
                                           IntCase{"", false, 0, 0}, IntCase{"x1", false, 0, 0}));

TEST(Parser, SkipsOnlySpaceTabLineFeedAndCarriageReturn) {
    const std::string text = "  \t\r\n7";
    Parser parser(text.data(), text.size());
    EXPECT_TRUE(parser.skipWhitespace());
    EXPECT_EQ(parser.position(), 5u);
    EXPECT_FALSE(parser.skipWhitespace());
    EXPECT_EQ(parser.position(), 5u);

    const std::string others = "\v\f7";
    Parser untouched(others.data(), others.size());
    EXPECT_FALSE(untouched.skipWhitespace());
    EXPECT_EQ(untouched.position(), 0u);
}

TEST(Parser, ReadsNumbersSeparatedByWhitespace) {
    const std::string text = " 1.5\t-2 3e1\n";
    Parser parser(text.data(), text.size());
    double values[3] = {};
    for (double& value : values) {
        parser.skipWhitespace();
        ASSERT_TRUE(parser.parseDouble(value));
    }
    parser.skipWhitespace();
    EXPECT_TRUE(parser.atEnd());
    EXPECT_EQ(values[0], 1.5);
    EXPECT_EQ(values[1], -2.0);
    EXPECT_EQ(values[2], 30.0);
}

TEST(Parser, ParseCharConsumesOnlyAMatch) {
    const std::string text = "ab";
    Parser parser(text.data(), text.size());
    EXPECT_FALSE(parser.parseChar('b'));
    EXPECT_TRUE(parser.parseChar('a'));
    EXPECT_TRUE(parser.parseChar('b'));
    EXPECT_TRUE(parser.atEnd());
    EXPECT_FALSE(parser.parseChar('\0'));
    EXPECT_EQ(parser.position(), 2u);
}

TEST(ToString, PrintsLikePercentI) {
    EXPECT_EQ(toString(-7), "-7");
    EXPECT_EQ(toString(0), "0");
    EXPECT_EQ(toString(42), "42");
    EXPECT_EQ(toString(kMin), "-2147483648");
    EXPECT_EQ(toString(kMax), "2147483647");
}

} // namespace
