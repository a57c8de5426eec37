#include "script/read_script.h"

#include <bit>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <memory>
#include <string>

#include <gtest/gtest.h>

namespace qel_morvak {
namespace {

std::string template_with(const std::string& x1, const std::string& x2)
{
    return "#QELMORVAK\n\nSETUP\n  INPUT = X1 X2\n  OUTPUT = F1 F2\nBEGIN\n  SET X1 = " + x1 + "\n  SET X2 = " + x2 +
           "\n  SOLVE F1 F2\nRETURN\n";
}

const std::string TEMPLATE = template_with("0.5", "0.5");

// The template up to and including the "=" of the first SET line.
const std::string BEFORE_X1 = "#QELMORVAK\n\nSETUP\n  INPUT = X1 X2\n  OUTPUT = F1 F2\nBEGIN\n  SET X1 = ";

std::string replaced(std::string text, const std::string& from, const std::string& to)
{
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
}

std::string utf16le(const std::string& text)
{
    std::string wide = "\xFF\xFE";
    for (const char c : text) {
        wide.push_back(c);
        wide.push_back('\0');
    }
    return wide;
}

struct ScriptCase {
    const char* name;
    std::string bytes;
    bool succeeds;
    double X1;
    double X2;
};

void PrintTo(const ScriptCase& c, std::ostream* os)
{
    *os << c.name;
}

std::string case_name(const testing::TestParamInfo<ScriptCase>& info)
{
    return info.param.name;
}

bool read_bytes(const std::string& bytes, InputPoint& point)
{
    const auto source = std::make_unique<ByteSource>();
    open_byte_source(*source, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    return read_script(*source, point);
}

class ReadScript : public testing::TestWithParam<ScriptCase> {};

TEST_P(ReadScript, SucceedsExactlyWhenBothNumbersAreRead)
{
    const ScriptCase& c = GetParam();
    InputPoint point{};
    ASSERT_EQ(read_bytes(c.bytes, point), c.succeeds);
    if (c.succeeds) {
        EXPECT_EQ(std::bit_cast<std::uint64_t>(point.X1), std::bit_cast<std::uint64_t>(c.X1)) << point.X1;
        EXPECT_EQ(std::bit_cast<std::uint64_t>(point.X2), std::bit_cast<std::uint64_t>(c.X2)) << point.X2;
    }
}

constexpr double INFINITE = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Succeeding, ReadScript,
    testing::Values(
        ScriptCase{"Template", TEMPLATE, true, 0.5, 0.5},
        ScriptCase{"OneLine",
                   "#QELMORVAK SETUP INPUT = X1 X2 OUTPUT = F1 F2 BEGIN SET X1 = 0.25 SET X2 = 0.75 SOLVE F1 F2 RETURN",
                   true, 0.25, 0.75},
        ScriptCase{"NoWhiteSpace", "#QELMORVAKSETUPINPUT=X1X2OUTPUT=F1F2BEGINSETX1=0.25SETX2=0.75SOLVEF1F2RETURN",
                   true, 0.25, 0.75},
        ScriptCase{"CrLfAndTabs",
                   "#QELMORVAK\r\n\r\nSETUP\r\n\tINPUT = X1 X2\r\n\tOUTPUT = F1 F2\r\nBEGIN\r\n\tSET X1 = 0.25\r\n"
                   "\tSET X2 = 0.75\r\n\tSOLVE F1 F2\r\nRETURN\r\n",
                   true, 0.25, 0.75},
        ScriptCase{"EveryWhiteSpaceByte",
                   "#QELMORVAK\t\n\v\f\r SETUP\t\n\v\f\r INPUT\t\n\v\f\r =X1 X2 OUTPUT = F1 F2 BEGIN SET X1 =\t\n\v\f\r "
                   "0.25 SET X2 = 0.75",
                   true, 0.25, 0.75},
        ScriptCase{"EndsRightAfterSecondNumber", BEFORE_X1 + "0.25\n  SET X2 = 0.75", true, 0.25, 0.75},
        ScriptCase{"OtherWordsAfterSecondNumber", BEFORE_X1 + "0.25\n  SET X2 = 0.75\n  SOLVE F3\nreturn\n# note\n",
                   true, 0.25, 0.75},
        ScriptCase{"GarbageAfterSecondNumber", BEFORE_X1 + "0.25\n  SET X2 = 0.75\xFF\x1A garbage", true, 0.25, 0.75},
        ScriptCase{"SecondValueWithLetters", template_with("0.25", "0.5abc"), true, 0.25, 0.5},
        ScriptCase{"SecondValueWithComma", template_with("0.25", "0,75"), true, 0.25, 0.0},
        ScriptCase{"SecondValueHexadecimal", template_with("0.25", "0x1p-1"), true, 0.25, 0.0},
        ScriptCase{"SecondValueFraction", template_with("0.25", "1/2"), true, 0.25, 1.0},
        ScriptCase{"SecondValueCutByCtrlZ", template_with("0.25", "0.7\x1A"
                                                                  "5"),
                   true, 0.25, 0.7},
        ScriptCase{"SignedPoint", template_with("+.5", "5e-1"), true, 0.5, 0.5},
        ScriptCase{"CapitalExponent", template_with("0.5E+0", "0.50000"), true, 0.5, 0.5},
        ScriptCase{"TrailingPoint", template_with("1.", "1E+"), true, 1.0, 1.0},
        ScriptCase{"BareExponentBeforeNextLine", template_with("1e", "1e-"), true, 1.0, 1.0},
        ScriptCase{"NegativeZero", template_with("-0", "0.5"), true, -0.0, 0.5},
        ScriptCase{"Overflow", template_with("1e400", "-1e400"), true, INFINITE, -INFINITE},
        ScriptCase{"Underflow", template_with("1e-400", "-1e-400"), true, 0.0, -0.0},
        ScriptCase{"Subnormal", template_with("1e-310", "4.9406564584124654e-324"), true, 1e-310, 4.9406564584124654e-324},
        ScriptCase{"LeadingZeros", template_with("007", "-000.25"), true, 7.0, -0.25}),
    case_name);

INSTANTIATE_TEST_SUITE_P(
    Failing, ReadScript,
    testing::Values(
        ScriptCase{"Empty", "", false, 0, 0},
        ScriptCase{"EndsInFirstWord", "#QELMOR", false, 0, 0},
        ScriptCase{"EndsAfterFirstNumber", BEFORE_X1 + "0.5", false, 0, 0},
        ScriptCase{"EndsAfterSecondEquals", BEFORE_X1 + "0.5\n  SET X2 =", false, 0, 0},
        ScriptCase{"EndsAfterSecondEqualsAndBlank", BEFORE_X1 + "0.5\n  SET X2 = \n", false, 0, 0},
        ScriptCase{"BlankBeforeHash", " " + TEMPLATE, false, 0, 0},
        ScriptCase{"EmptyLineBeforeHash", "\n" + TEMPLATE, false, 0, 0},
        ScriptCase{"ByteOrderMark", "\xEF\xBB\xBF" + TEMPLATE, false, 0, 0},
        ScriptCase{"Utf16", utf16le(TEMPLATE), false, 0, 0},
        ScriptCase{"BlankInsideFirstWord", replaced(TEMPLATE, "#QELMORVAK", "# QELMORVAK"), false, 0, 0},
        ScriptCase{"LowerCaseKeyword", replaced(TEMPLATE, "SETUP", "setup"), false, 0, 0},
        ScriptCase{"MixedCaseKeyword", replaced(TEMPLATE, "BEGIN", "Begin"), false, 0, 0},
        ScriptCase{"LowerCaseName", replaced(TEMPLATE, "SET X2", "SET x2"), false, 0, 0},
        ScriptCase{"BlankInsideName", replaced(TEMPLATE, "INPUT = X1", "INPUT = X 1"), false, 0, 0},
        ScriptCase{"SecondBeforeFirst",
                   "#QELMORVAK\n\nSETUP\n  INPUT = X1 X2\n  OUTPUT = F1 F2\nBEGIN\n  SET X2 = 0.5\n  SET X1 = 0.5\n"
                   "  SOLVE F1 F2\nRETURN\n",
                   false, 0, 0},
        ScriptCase{"ThirdInput", replaced(TEMPLATE, "X1 X2\n", "X1 X2 X3\n"), false, 0, 0},
        ScriptCase{"CommentLine", replaced(TEMPLATE, "#QELMORVAK\n", "#QELMORVAK\n# a comment\n"), false, 0, 0},
        ScriptCase{"FirstValueWithLetters", template_with("0.5abc", "0.5"), false, 0, 0},
        ScriptCase{"FirstValueWithComma", template_with("0,5", "0.5"), false, 0, 0},
        ScriptCase{"FirstValueTwoExponents", template_with("1e5e", "0.5"), false, 0, 0},
        ScriptCase{"FirstValueSplit", template_with("0. 5", "0.5"), false, 0, 0},
        ScriptCase{"FirstValueHexadecimal", template_with("0x0.8p0", "0.5"), false, 0, 0},
        ScriptCase{"SignApart", template_with("- 0.5", "0.5"), false, 0, 0},
        ScriptCase{"FirstNaN", template_with("nan", "0.5"), false, 0, 0},
        ScriptCase{"SecondNaN", template_with("0.5", "NAN"), false, 0, 0},
        ScriptCase{"FirstInf", template_with("inf", "0.5"), false, 0, 0},
        ScriptCase{"SecondInfinity", template_with("0.5", "infinity"), false, 0, 0},
        ScriptCase{"FirstPoint", template_with(".", "0.5"), false, 0, 0},
        ScriptCase{"SecondPlus", template_with("0.5", "+"), false, 0, 0},
        ScriptCase{"SecondMinusPoint", template_with("0.5", "-."), false, 0, 0},
        ScriptCase{"FirstExponentOnly", template_with("e5", "0.5"), false, 0, 0},
        ScriptCase{"SecondLetter", template_with("0.5", "a"), false, 0, 0},
        ScriptCase{"CtrlZAfterSetup", replaced(TEMPLATE, "SETUP\n", "SETUP\x1A\n"), false, 0, 0},
        ScriptCase{"CtrlZBeforeSecondNumber", template_with("0.5", "\x1A"
                                                                   "0.5"),
                   false, 0, 0},
        ScriptCase{"NoBreakSpace", replaced(TEMPLATE, "INPUT =", "INPUT\xA0="), false, 0, 0}),
    case_name);

// The file path reads through a fixed buffer: a number that straddles its
// end, and one far longer than the buffer, read like any other.
TEST(ReadScriptFile, ReadsAcrossBufferRefills)
{
    const std::string padding(ByteSource::CAPACITY - BEFORE_X1.size() - 2, ' ');
    const std::string script =
        BEFORE_X1 + padding + "0.25\n  SET X2 = 0." + std::string(100'000, '0') + "75e100000\n";

    std::FILE* const file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(std::fwrite(script.data(), 1, script.size(), file), script.size());
    std::rewind(file);
    InputPoint point{};
    EXPECT_TRUE(read_script(file, point));
    std::fclose(file);
    EXPECT_EQ(point.X1, 0.25);
    EXPECT_EQ(point.X2, 0.75);
}

TEST(ReadScriptFile, EmptyFileFails)
{
    std::FILE* const file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    InputPoint point{};
    EXPECT_FALSE(read_script(file, point));
    std::fclose(file);
}

}  // namespace
}  // namespace qel_morvak
