#pragma once
// Lengths at a screen's DPI. Layouts and skins are made in 96-DPI pixels; a window at another
// DPI uses each length as MulDiv(length, dpi, 96) rounds, here and in the system alike.

#include <climits>
#include <cstdint>

namespace quillet::base {

constexpr int kBaseDpi = 96;

// num / den rounded to the nearest, halves away from zero; den is not 0.
constexpr std::int64_t RoundedQuotient(std::int64_t num, std::int64_t den) {
  if (den < 0) num = -num, den = -den;
  return num >= 0 ? (num + den / 2) / den : (num - den / 2) / den;
}

// a * b / c rounded as the system's MulDiv rounds; -1 when c is 0 or the result does not fit.
constexpr int MulDivRound(int a, int b, int c) {
  if (c == 0) return -1;
  const std::int64_t q = RoundedQuotient(static_cast<std::int64_t>(a) * b, c);
  return q > INT_MAX || q < -INT_MAX ? -1 : static_cast<int>(q);
}

// A 96-DPI length at `dpi`. A result too large for an int is held at the largest one instead of
// becoming MulDiv's -1.
constexpr int ScaleToDpi(int length, int dpi) {
  const std::int64_t q = RoundedQuotient(static_cast<std::int64_t>(length) * dpi, kBaseDpi);
  return q > INT_MAX ? INT_MAX : q < -INT_MAX ? -INT_MAX : static_cast<int>(q);
}

}  // namespace quillet::base
