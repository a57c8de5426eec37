#include "driver/arguments.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qel_morvak {
namespace {

struct ArgumentCase {
    std::vector<const char*> arguments;  // after the program's name
    ArgumentAction action;
    bool notch;
    const char* text;
};

void PrintTo(const ArgumentCase& c, std::ostream* os)
{
    for (const char* argument : c.arguments) {
        *os << '"' << argument << "\" ";
    }
}

class ArgumentRules : public testing::TestWithParam<ArgumentCase> {};

TEST_P(ArgumentRules, ChooseTheAction)
{
    const ArgumentCase& c = GetParam();
    std::vector<const char*> argv{"qel_morvak"};
    argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
    argv.push_back(nullptr);

    const Arguments parsed = parse_arguments(static_cast<int>(argv.size() - 1), argv.data());
    EXPECT_EQ(parsed.action, c.action);
    EXPECT_EQ(parsed.notch, c.notch);
    EXPECT_EQ(parsed.text == nullptr ? std::string("<none>") : std::string(parsed.text),
              c.text == nullptr ? std::string("<none>") : std::string(c.text));
}

INSTANTIATE_TEST_SUITE_P(
    Table, ArgumentRules,
    testing::Values(
        ArgumentCase{{}, ArgumentAction::ShowUsage, false, nullptr},
        ArgumentCase{{"point.txt"}, ArgumentAction::RunScript, false, "point.txt"},
        // A lone "-n" is a path, and a path may begin with "-".
        ArgumentCase{{"-n"}, ArgumentAction::RunScript, false, "-n"},
        ArgumentCase{{"-x.txt"}, ArgumentAction::RunScript, false, "-x.txt"},
        ArgumentCase{{"-n", "point.txt"}, ArgumentAction::RunScript, true, "point.txt"},
        ArgumentCase{{"point.txt", "-n"}, ArgumentAction::UnknownOption, false, "point.txt"},
        ArgumentCase{{"-N", "p"}, ArgumentAction::UnknownOption, false, "-N"},
        ArgumentCase{{"--n", "p"}, ArgumentAction::UnknownOption, false, "--n"},
        ArgumentCase{{"-nx", "p"}, ArgumentAction::UnknownOption, false, "-nx"},
        ArgumentCase{{"-n ", "p"}, ArgumentAction::UnknownOption, false, "-n "},
        ArgumentCase{{"", "p"}, ArgumentAction::UnknownOption, false, ""},
        // The count comes first: a leading "-n" does not save three arguments.
        ArgumentCase{{"-n", "a", "b"}, ArgumentAction::TooManyArguments, false, nullptr},
        ArgumentCase{{"a", "b", "c", "d"}, ArgumentAction::TooManyArguments, false, nullptr}));

TEST(ArgumentRules, EmptyArgumentVectorShowsUsage)
{
    const char* argv[] = {nullptr};
    EXPECT_EQ(parse_arguments(0, argv).action, ArgumentAction::ShowUsage);
}

}  // namespace
}  // namespace qel_morvak
