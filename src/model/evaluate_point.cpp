#include "model/evaluate_point.h"

#include "model/ieee_sqrt.h"

namespace qel_morvak {

// Mathematically equal forms round differently: each line below is one
// binary64 operation, in the order that defines the results.
SolveResult evaluate_point(const InputPoint& point)
{
    const double X1 = point.X1;
    const double p = point.X2 * 9.0;
    const double g = 1.0 + p;

    const double q = X1 / g;
    const double s = ieee_sqrt(q);
    const double d = 1.0 - s;

    // The root of g / X1 is taken on its own rounded quotient, not derived
    // from s; it overflows to infinity for X1 = +0 and for tiny X1.
    const double r = g / X1;
    const double t = ieee_sqrt(r);

    const double h = s * 0.5;
    const double e = 1.0 - h;

    SolveResult result;
    result.F1 = X1;
    result.F2 = d * g;
    result.dF1_dX1 = 1.0;
    result.dF1_dX2 = 0.0;
    // A product, not a negation: negating the NaN of X1 = -0 would flip its sign.
    result.dF2_dX1 = t * -0.5;
    result.dF2_dX2 = e * 9.0;
    return result;
}

}  // namespace qel_morvak
