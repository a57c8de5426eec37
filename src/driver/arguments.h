#pragma once

namespace qel_morvak {

enum class ArgumentAction {
    ShowUsage,
    TooManyArguments,
    UnknownOption,
    RunScript,
};

struct Arguments {
    ArgumentAction action;
    bool notch;
    // Borrowed from the argument vector: the script path for RunScript, the
    // rejected first argument for UnknownOption.
    const char* text;
};

// Entry 0 is never examined. The count is tested first; "-n" is recognised
// only as the first of exactly two arguments, and a lone argument is always
// the script path, even "-n".
Arguments parse_arguments(int argc, const char* const* argv);

}  // namespace qel_morvak
