#include "driver/messages.h"

namespace qel_morvak {

const std::string_view BANNER =
    "Example Qel Morvak.\n"
    "\n"
    "Calculates values and gradients of a vector function in 2D. Both input and\n"
    "output are 2-dimensional. Function domain is limited to [0.0, 1.0] in 2D -\n"
    "if any input is not in range [0.0, 1.0], the solver exits with an error.\n"
    "Variable values are set in the input script (see usage). Results are output\n"
    "to terminal or a file.\n";

const std::string_view USAGE =
    "Usage: qel_morvak.exe [-n] infile [> outfile]\n"
    "\n"
    "  qel_morvak.exe                   this message\n"
    "  qel_morvak.exe infile            execute the script from infile and print\n"
    "                                   result on screen (see script template)\n"
    "  qel_morvak.exe infile > outfile  execute the script from infile and print\n"
    "                                   result to outfile\n"
    "\n"
    "Options:\n"
    "\n"
    "  -n      notch: adds a region of undefined behavior: X1 - X2 > 0.95 (unit\n"
    "          square corner); if set, the solver also exits with an error if input\n"
    "          point is in the notch region\n"
    "\n"
    "Script template:\n"
    "\n"
    "#QELMORVAK\n"
    "\n"
    "SETUP\n"
    "  INPUT = X1 X2\n"
    "  OUTPUT = F1 F2\n"
    "BEGIN\n"
    "  SET X1 = 0.5\n"
    "  SET X2 = 0.5\n"
    "  SOLVE F1 F2\n"
    "RETURN\n"
    "\n"
    "When making a new input script, the template should be copied as is, only\n"
    "changing the X1 and X2 values.\n";

const std::string_view TOO_MANY_ARGUMENTS_MESSAGE = "\nError: too many arguments.\n\n";
const std::string_view UNKNOWN_OPTION_PREFIX = "\nError: unknown option \"";
const std::string_view UNKNOWN_OPTION_SUFFIX = "\".\n\n";
const std::string_view FILE_NOT_FOUND_PREFIX = "\nError: input file \"";
const std::string_view FILE_NOT_FOUND_SUFFIX = "\" not found.\n\n";
const std::string_view INVALID_FORMAT_MESSAGE = "\nError: invalid input file format.\n\n";

}  // namespace qel_morvak
