// Trigonometry in degrees, in double precision, as the game's geometry needs.
#pragma once

#include <cmath>
#include <numbers>

namespace platform {

inline double Rad(double deg) { return deg * (std::numbers::pi / 180.0); }
inline double Sin(double deg) { return std::sin(Rad(deg)); }
inline double Cos(double deg) { return std::cos(Rad(deg)); }
// Above -180 and at most 180.
inline double ATan2(double y, double x) { return std::atan2(y, x) * (180.0 / std::numbers::pi); }

}  // namespace platform
