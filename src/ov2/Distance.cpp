#include "Distance.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ov2 {

namespace {

constexpr double kEarthRadiusKm = 6371.0088;
constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;

// Far-off finite angles are brought back to one turn, so that their
// differences cannot overflow into infinity and the sines into NaN.
double reduced(double degrees)
{
    return std::fabs(degrees) <= 360.0 ? degrees : std::remainder(degrees, 360.0);
}

double halfSineSquared(double radians)
{
    double s = std::sin(radians / 2.0);
    return s * s;
}

} // namespace

double greatCircleKm(double lat1, double lon1, double lat2, double lon2)
{
    double phi1 = reduced(lat1) * kRadiansPerDegree;
    double phi2 = reduced(lat2) * kRadiansPerDegree;
    // Absolute differences keep the result the same with the positions swapped.
    double dPhi = std::fabs(phi2 - phi1);
    double dLambda = std::fabs(reduced(lon2) - reduced(lon1)) * kRadiansPerDegree;
    double a = halfSineSquared(dPhi) + std::cos(phi1) * std::cos(phi2) * halfSineSquared(dLambda);
    // Rounding, and latitudes beyond the poles, can push a out of [0, 1].
    a = std::clamp(a, 0.0, 1.0);
    return 2.0 * kEarthRadiusKm * std::asin(std::sqrt(a));
}

} // namespace ov2
