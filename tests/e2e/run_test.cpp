#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "program.h"
#include "texts.h"

namespace qel_morvak_e2e {
namespace {

struct ScriptCase {
    const char* name;
    bool notch;
    std::string script;
    std::string out;
    int status;
};

void PrintTo(const ScriptCase& c, std::ostream* os)
{
    *os << c.name;
}

class ScriptRuns : public testing::TestWithParam<ScriptCase> {};

TEST_P(ScriptRuns, PrintExactlyTheExpectedBytes)
{
    const ScriptCase& c = GetParam();
    const ScratchDir dir;
    const std::string path = dir.write("point.txt", c.script);
    std::vector<std::string> arguments;
    if (c.notch) {
        arguments.emplace_back("-n");
    }
    arguments.push_back(path);

    expect_output(run_program(arguments), c.out, c.status);
}

std::string case_name(const testing::TestParamInfo<ScriptCase>& info)
{
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(
    Reports, ScriptRuns,
    testing::Values(
        ScriptCase{"Template", false, TEMPLATE_SCRIPT, TEMPLATE_REPORT, 0},
        ScriptCase{"TemplateWithNotch", true, TEMPLATE_SCRIPT, TEMPLATE_REPORT, 0},
        ScriptCase{"ZeroX1GivesNegativeInfinity", false, script_setting("0", "0.5"),
                   report("0.000000e+000, 5.000000e-001", " 0.000000e+000  5.500000e+000",
                          " 1.000000e+000  0.000000e+000", "-1.#INF00e+000  9.000000e+000"),
                   0},
        ScriptCase{"NegativeZeroX1GivesTheDefaultNaN", false, script_setting("-0", "0.5"),
                   report("-0.000000e+000, 5.000000e-001", "-0.000000e+000  5.500000e+000",
                          " 1.000000e+000  0.000000e+000", "-1.#IND00e+000  9.000000e+000"),
                   0},
        ScriptCase{"NotchCornerWithoutOption", false, script_setting("1", "0"),
                   report("1.000000e+000, 0.000000e+000", " 1.000000e+000  0.000000e+000",
                          " 1.000000e+000  0.000000e+000", "-5.000000e-001  4.500000e+000"),
                   0},
        ScriptCase{"TopLeftCorner", false, script_setting("0", "1"),
                   report("0.000000e+000, 1.000000e+000", " 0.000000e+000  1.000000e+001",
                          " 1.000000e+000  0.000000e+000", "-1.#INF00e+000  9.000000e+000"),
                   0},
        // 129/256: its eighth digit is a 5 with nothing after it, rounded up.
        ScriptCase{"HalfRoundsAwayFromZero", false, script_setting("0.50390625", "0"),
                   report("5.039063e-001, 0.000000e+000", " 5.039063e-001  2.901365e-001",
                          " 1.000000e+000  0.000000e+000", "-7.043607e-001  5.805614e+000"),
                   0},
        ScriptCase{"RoundingRaisesTheExponent", false, script_setting("0.99999996", "0"),
                   report("1.000000e+000, 0.000000e+000", " 1.000000e+000  2.000000e-008",
                          " 1.000000e+000  0.000000e+000", "-5.000000e-001  4.500000e+000"),
                   0},
        ScriptCase{"TinyX1", false, script_setting("1e-300", "0.5"),
                   report("1.000000e-300, 5.000000e-001", " 1.000000e-300  5.500000e+000",
                          " 1.000000e+000  0.000000e+000", "-1.172604e+150  9.000000e+000"),
                   0},
        // The notch boundary: a rounded difference equal to the limit is accepted.
        ScriptCase{"NotchBoundaryAccepted", true, script_setting("1", "0.05"),
                   report("1.000000e+000, 5.000000e-002", " 1.000000e+000  2.458405e-001",
                          " 1.000000e+000  0.000000e+000", "-6.020797e-001  5.262953e+000"),
                   0},
        ScriptCase{"EndsRightAfterSecondNumber", false,
                   "#QELMORVAK SETUP INPUT=X1 X2 OUTPUT=F1 F2 BEGIN SET X1=0.25 SET X2=0.75",
                   report("2.500000e-001, 7.500000e-001", " 2.500000e-001  6.358059e+000",
                          " 1.000000e+000  0.000000e+000", "-2.783882e+000  8.191776e+000"),
                   0},
        ScriptCase{"CrLfAndTabs", false,
                   "#QELMORVAK\r\n\r\nSETUP\r\n\tINPUT = X1 X2\r\n\tOUTPUT = F1 F2\r\nBEGIN\r\n\tSET X1 = 0.25\r\n"
                   "\tSET X2 = 0.75\r\n\tSOLVE F1 F2\r\nRETURN\r\n",
                   report("2.500000e-001, 7.500000e-001", " 2.500000e-001  6.358059e+000",
                          " 1.000000e+000  0.000000e+000", "-2.783882e+000  8.191776e+000"),
                   0}),
    case_name);

INSTANTIATE_TEST_SUITE_P(
    Refusals, ScriptRuns,
    testing::Values(
        ScriptCase{"NotchCorner", true, script_setting("1", "0"), NOTCH_MESSAGE, 1},
        ScriptCase{"NextDoubleAboveNotchLimit", true, script_setting("0.9500000000000001", "0"), NOTCH_MESSAGE, 1},
        ScriptCase{"AboveOne", false, script_setting("1.0000000000000002", "0"), OUTSIDE_MESSAGE, 1},
        ScriptCase{"OutsideBeatsNotch", true, script_setting("1.5", "0.2"), OUTSIDE_MESSAGE, 1},
        ScriptCase{"NegativeSubnormal", false, script_setting("-4.9e-324", "0.5"), OUTSIDE_MESSAGE, 1},
        ScriptCase{"Infinity", false, script_setting("0.5", "1e400"), OUTSIDE_MESSAGE, 1},
        ScriptCase{"EmptyFile", false, "", FORMAT_MESSAGE, 1},
        ScriptCase{"LowerCaseKeyword", false, "#QELMORVAK setup", FORMAT_MESSAGE, 1},
        ScriptCase{"ByteOrderMark", false, "\xEF\xBB\xBF" + TEMPLATE_SCRIPT, FORMAT_MESSAGE, 1},
        ScriptCase{"NaNValue", false, script_setting("nan", "0.5"), FORMAT_MESSAGE, 1},
        ScriptCase{"CtrlZBeforeSecondNumber", false, "#QELMORVAK SETUP\x1A" + TEMPLATE_SCRIPT, FORMAT_MESSAGE,
                   1}),
    case_name);

struct ArgumentCase {
    const char* name;
    std::vector<std::string> arguments;
    std::string out;
    int status;
};

void PrintTo(const ArgumentCase& c, std::ostream* os)
{
    *os << c.name;
}

class ArgumentRuns : public testing::TestWithParam<ArgumentCase> {};

TEST_P(ArgumentRuns, PrintExactlyTheExpectedBytes)
{
    const ArgumentCase& c = GetParam();
    expect_output(run_program(c.arguments), c.out, c.status);
}

std::string usage_text()
{
    std::ifstream in(std::string(QEL_MORVAK_E2E_EXPECTED) + "/usage.txt", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

INSTANTIATE_TEST_SUITE_P(
    Table, ArgumentRuns,
    testing::Values(
        ArgumentCase{"NoArgumentShowsUsage", {}, usage_text(), 0},
        ArgumentCase{"TooMany", {"-n", "a", "b"}, "\nError: too many arguments.\n\n", 1},
        ArgumentCase{"PathBeforeOption", {"point.txt", "-n"}, "\nError: unknown option \"point.txt\".\n\n", 1},
        ArgumentCase{"UpperCaseOption", {"-N", "point.txt"}, "\nError: unknown option \"-N\".\n\n", 1},
        ArgumentCase{"PercentSignsUnchanged", {"%s%n", "p"}, "\nError: unknown option \"%s%n\".\n\n", 1},
        ArgumentCase{"LoneOptionIsAPath", {"-n"}, "\nError: input file \"-n\" not found.\n\n", 1},
        ArgumentCase{"EmptyPath", {""}, "\nError: input file \"\" not found.\n\n", 1},
        ArgumentCase{"Directory", {"."}, "\nError: input file \".\" not found.\n\n", 1},
        ArgumentCase{"MissingFile", {"no/such/file"}, "\nError: input file \"no/such/file\" not found.\n\n", 1}),
    [](const testing::TestParamInfo<ArgumentCase>& info) { return std::string(info.param.name); });

// A caller who redirects into a full disk must not read success from a cut report.
TEST(OutputFailure, LostOutputIsExitStatusOne)
{
    const ScratchDir dir;
    const std::string script = dir.write("point.txt", TEMPLATE_SCRIPT);
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{script}, std::vector<std::string>{}, std::vector<std::string>{"a", "b", "c"}}) {
        const ProgramRun run = run_program(arguments, "/dev/full");
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, "");
    }
}

}  // namespace
}  // namespace qel_morvak_e2e
