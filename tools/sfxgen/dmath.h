// Sine, exponential and logarithm computed by our own series, so that the
// synthesised samples don't depend on the C library of the machine that builds.
#pragma once

namespace sfxgen {

inline constexpr double kPi = 3.14159265358979323846;

double Sin(double x);
double Cos(double x);
double Exp(double x);
double Log(double x);  // x > 0
double Tanh(double x);

}  // namespace sfxgen
