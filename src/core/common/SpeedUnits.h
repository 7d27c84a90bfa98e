#pragma once

// Miles per hour in one km/h: speeds read out at a point, in reports and in the lap comparison.
inline constexpr double kMphPerKmh = 0.6213722922;
