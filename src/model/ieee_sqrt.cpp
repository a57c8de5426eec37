#include "model/ieee_sqrt.h"

#include <bit>
#include <cmath>

namespace qel_morvak {

double default_nan()
{
    return std::bit_cast<double>(DEFAULT_NAN_BITS);
}

double ieee_sqrt(double x)
{
    // Negative infinity lands here too; -0 does not (it compares equal to 0)
    // and keeps its sign through std::sqrt.
    if (x < 0.0) {
        return default_nan();
    }
    return std::sqrt(x);
}

}  // namespace qel_morvak
