#include "dmath.h"

#include <cmath>

namespace sfxgen {

namespace {
constexpr double kLn2 = 0.69314718055994530942;
constexpr double kSqrtHalf = 0.70710678118654752440;
}  // namespace

// floor, ldexp, frexp and the four operations are exact or correctly rounded
// everywhere; only they are used below.

double Sin(double x) {
  const double turns = std::floor(x / (2 * kPi) + 0.5);
  double r = x - turns * (2 * kPi);  // [-pi, pi]
  if (r > kPi / 2) r = kPi - r;
  if (r < -kPi / 2) r = -kPi - r;
  const double r2 = r * r;
  double term = r;
  double sum = r;
  for (int n = 1; n <= 9; ++n) {
    term *= -r2 / ((2 * n) * (2 * n + 1));
    sum += term;
  }
  return sum;
}

double Cos(double x) { return Sin(x + kPi / 2); }

double Exp(double x) {
  if (x < -700) return 0;
  const double k = std::floor(x / kLn2 + 0.5);
  const double r = x - k * kLn2;  // |r| <= ln2 / 2
  double term = 1;
  double sum = 1;
  for (int n = 1; n <= 14; ++n) {
    term *= r / n;
    sum += term;
  }
  return std::ldexp(sum, static_cast<int>(k));
}

double Log(double x) {
  int e = 0;
  double m = std::frexp(x, &e);  // [0.5, 1)
  if (m < kSqrtHalf) {
    m *= 2;
    --e;
  }
  const double s = (m - 1) / (m + 1);  // |s| < 0.172
  const double s2 = s * s;
  double power = s;
  double sum = 0;
  for (int n = 1; n <= 23; n += 2) {
    sum += power / n;
    power *= s2;
  }
  return 2 * sum + e * kLn2;
}

double Tanh(double x) {
  if (x > 20) return 1;
  if (x < -20) return -1;
  const double e2 = Exp(2 * x);
  return (e2 - 1) / (e2 + 1);
}

}  // namespace sfxgen
