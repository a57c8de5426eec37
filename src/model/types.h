#pragma once

namespace qel_morvak {

struct InputPoint {
    double X1;
    double X2;
};

// The gradient is stored row by row: row i belongs to Fi, column j to Xj.
struct SolveResult {
    double F1;
    double F2;
    double dF1_dX1;
    double dF1_dX2;
    double dF2_dX1;
    double dF2_dX2;
};

enum class DomainVerdict {
    Inside,
    OutsideUnitSquare,
    InNotch,
};

}  // namespace qel_morvak
