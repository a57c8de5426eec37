#include "driver/arguments.h"

#include <cstring>

namespace qel_morvak {

Arguments parse_arguments(int argc, const char* const* argv)
{
    const int count = argc > 0 ? argc - 1 : 0;
    if (count >= 3) {
        return {ArgumentAction::TooManyArguments, false, nullptr};
    }
    if (count == 2) {
        if (std::strcmp(argv[1], "-n") != 0) {
            return {ArgumentAction::UnknownOption, false, argv[1]};
        }
        return {ArgumentAction::RunScript, true, argv[2]};
    }
    if (count == 0) {
        return {ArgumentAction::ShowUsage, false, nullptr};
    }
    return {ArgumentAction::RunScript, false, argv[1]};
}

}  // namespace qel_morvak
