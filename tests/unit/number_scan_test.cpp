#include <bit>
#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "scan_text.h"

namespace qel_morvak {
namespace {

struct GrammarCase {
    std::string text;
    double value;
    std::string rest;  // the bytes left unread
};

void PrintTo(const GrammarCase& c, std::ostream* os)
{
    *os << '"' << c.text << '"';
}

class NumberGrammar : public testing::TestWithParam<GrammarCase> {};

TEST_P(NumberGrammar, ReadsTheLongestNumberAndLeavesTheRest)
{
    const GrammarCase& c = GetParam();
    const ScannedNumber scanned = scan_text(c.text);
    ASSERT_TRUE(scanned.read);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(scanned.value), std::bit_cast<std::uint64_t>(c.value))
        << scanned.value;
    EXPECT_EQ(scanned.rest, c.rest);
}

INSTANTIATE_TEST_SUITE_P(
    Table, NumberGrammar,
    testing::Values(
        GrammarCase{"0.5", 0.5, ""},
        GrammarCase{"+.5", 0.5, ""},
        GrammarCase{".5", 0.5, ""},
        GrammarCase{"5e-1", 0.5, ""},
        GrammarCase{"0.5E+0", 0.5, ""},
        GrammarCase{"0.50000", 0.5, ""},
        GrammarCase{"-.5e1", -5.0, ""},
        GrammarCase{"1.", 1.0, ""},
        GrammarCase{"1.e2", 100.0, ""},
        GrammarCase{"1E5", 100000.0, ""},
        GrammarCase{"007", 7.0, ""},
        // A marker and its sign stay read without digits: exponent 0.
        GrammarCase{"1e", 1.0, ""},
        GrammarCase{"1e+", 1.0, ""},
        GrammarCase{"1e-", 1.0, ""},
        GrammarCase{"1e\n", 1.0, "\n"},
        GrammarCase{"1ex", 1.0, "x"},
        GrammarCase{"1E-x", 1.0, "x"},
        GrammarCase{"1e+-5", 1.0, "-5"},
        GrammarCase{"1e5e", 100000.0, "e"},
        GrammarCase{"1e5.5", 100000.0, ".5"},
        GrammarCase{"1.5.5", 1.5, ".5"},
        GrammarCase{"0,5", 0.0, ",5"},
        GrammarCase{"0,75", 0.0, ",75"},
        GrammarCase{"0x1p-1", 0.0, "x1p-1"},
        GrammarCase{"0x0.8p0", 0.0, "x0.8p0"},
        GrammarCase{"0.5abc", 0.5, "abc"},
        GrammarCase{"0. 5", 0.0, " 5"},
        GrammarCase{"1/2", 1.0, "/2"},
        GrammarCase{"12\x1A", 12.0, "\x1A"},
        GrammarCase{"3\xA0", 3.0, "\xA0"},
        GrammarCase{"0.25 SET X2", 0.25, " SET X2"},
        GrammarCase{"-0", -0.0, ""},
        GrammarCase{"-0.0", -0.0, ""},
        GrammarCase{"-0e5", -0.0, ""},
        GrammarCase{"+0", 0.0, ""},
        GrammarCase{"1einf", 1.0, "inf"}));

class NotANumber : public testing::TestWithParam<std::string> {};

TEST_P(NotANumber, IsRefused)
{
    EXPECT_FALSE(scan_text(GetParam()).read);
}

// White space is the caller's to skip; a sign stands right before its digits.
INSTANTIATE_TEST_SUITE_P(Table, NotANumber,
                         testing::Values("", "inf", "INF", "infinity", "nan", "NaN", "-inf", "+nan", ".", "+",
                                         "-", "+.", "-.", "e5", "E5", ".e5", "+e5", "- 0.5", "--1", "+-1", " 1",
                                         "x", "\xEF\xBB\xBF"
                                         "1",
                                         "\xA0"
                                         "1",
                                         ",5"));

}  // namespace
}  // namespace qel_morvak
