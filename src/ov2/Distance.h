#pragma once

namespace ov2 {

// Great-circle distance in kilometres between two positions in degrees.
double greatCircleKm(double lat1, double lon1, double lat2, double lon2);

} // namespace ov2
