#pragma once

// Scripts and the texts the program prints, shared by the end-to-end tables.
// Written with LF line ends; platform_text adapts them to the program.

#include <string>

namespace qel_morvak_e2e {

// The template, with X1 and X2 set to these texts.
inline std::string script_setting(const std::string& x1, const std::string& x2)
{
    return "#QELMORVAK\n\nSETUP\n  INPUT = X1 X2\n  OUTPUT = F1 F2\nBEGIN\n  SET X1 = " + x1 +
           "\n  SET X2 = " + x2 + "\n  SOLVE F1 F2\nRETURN\n";
}

// A whole report: the point, then each line's pair of numbers.
inline std::string report(const std::string& point, const std::string& function, const std::string& gradient1,
                          const std::string& gradient2)
{
    return "\nSolving in [" + point + "].\n\nResult:\n\nFunction: " + function + "\nGradient: " + gradient1 +
           "\n          " + gradient2 + "\n\n";
}

inline const std::string TEMPLATE_SCRIPT = script_setting("0.5", "0.5");
inline const std::string TEMPLATE_REPORT =
    report("5.000000e-001, 5.000000e-001", " 5.000000e-001  3.841688e+000", " 1.000000e+000  0.000000e+000",
           "-1.658312e+000  7.643199e+000");

inline const std::string OUTSIDE_MESSAGE =
    "\nError: input point is out of domain.\nExpected domain is: X1, X2 in [0.0, 1.0].\n\n";
inline const std::string NOTCH_MESSAGE =
    "\nError: input point is out of domain.\nExpected domain is: X1, X2 in [0.0, 1.0]; X1 - X2 =< 0.95.\n"
    "Forced undefined behavior in X1 - X2 > 0.95 was requested by -n option.\n\n";
inline const std::string FORMAT_MESSAGE = "\nError: invalid input file format.\n\n";

inline std::string not_found_message(const std::string& path)
{
    return "\nError: input file \"" + path + "\" not found.\n\n";
}

}  // namespace qel_morvak_e2e
