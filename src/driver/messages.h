#pragma once

#include <string_view>

namespace qel_morvak {

// Printed as "\n" BANNER "\n" USAGE "\n" when the program is given no argument.
extern const std::string_view BANNER;
extern const std::string_view USAGE;

// Every message begins with a line feed and ends with an empty line. A
// message that names an argument is printed as PREFIX, the argument's bytes
// unchanged, then SUFFIX.
extern const std::string_view TOO_MANY_ARGUMENTS_MESSAGE;
extern const std::string_view UNKNOWN_OPTION_PREFIX;
extern const std::string_view UNKNOWN_OPTION_SUFFIX;
extern const std::string_view FILE_NOT_FOUND_PREFIX;
extern const std::string_view FILE_NOT_FOUND_SUFFIX;
extern const std::string_view INVALID_FORMAT_MESSAGE;

}  // namespace qel_morvak
