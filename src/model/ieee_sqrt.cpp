#include "model/ieee_sqrt.h"

#include <bit>
#include <cmath>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
#if defined(__SSE2__)
    // The instruction itself at every optimisation level: unoptimised code
    // calls the library's sqrt, and mingw-w64's computes in x87 registers
    // and rounds twice.
    return _mm_cvtsd_f64(_mm_sqrt_sd(_mm_set_sd(x), _mm_set_sd(x)));
#else
    return std::sqrt(x);
#endif
}

}  // namespace qel_morvak
