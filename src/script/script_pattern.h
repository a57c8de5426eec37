#pragma once

namespace qel_morvak {

// The whole script format: each blank stands for any run of white space
// (none included), each %lf for one number, every other byte for itself.
inline constexpr const char SCRIPT_PATTERN[] =
    "#QELMORVAK SETUP INPUT = X1 X2 OUTPUT = F1 F2 BEGIN SET X1 = %lf SET X2 = %lf SOLVE F1 F2 RETURN";

}  // namespace qel_morvak
