#include "model/check_domain.h"

namespace qel_morvak {

namespace {

constexpr std::string_view OUTSIDE_UNIT_SQUARE_MESSAGE =
    "\nError: input point is out of domain.\n"
    "Expected domain is: X1, X2 in [0.0, 1.0].\n\n";

constexpr std::string_view IN_NOTCH_MESSAGE =
    "\nError: input point is out of domain.\n"
    "Expected domain is: X1, X2 in [0.0, 1.0]; X1 - X2 =< 0.95.\n"
    "Forced undefined behavior in X1 - X2 > 0.95 was requested by -n option.\n\n";

}  // namespace

DomainVerdict check_domain(const InputPoint& point, bool notch)
{
    if (point.X1 < 0.0 || point.X1 > 1.0 || point.X2 < 0.0 || point.X2 > 1.0) {
        return DomainVerdict::OutsideUnitSquare;
    }
    if (notch) {
        // Compared as a rounded double: (1, 0.05) rounds to NOTCH_LIMIT and
        // is accepted, which an exact or wider difference would refuse.
        const double difference = point.X1 - point.X2;
        if (difference > NOTCH_LIMIT) {
            return DomainVerdict::InNotch;
        }
    }
    return DomainVerdict::Inside;
}

std::string_view domain_message(DomainVerdict verdict)
{
    switch (verdict) {
    case DomainVerdict::OutsideUnitSquare:
        return OUTSIDE_UNIT_SQUARE_MESSAGE;
    case DomainVerdict::InNotch:
        return IN_NOTCH_MESSAGE;
    case DomainVerdict::Inside:
        break;
    }
    return {};
}

}  // namespace qel_morvak
