#pragma once

#include <string>

namespace zendro::exports {

// `value` with `decimals` digits after the point, whatever the locale; a
// value that rounds to zero is written without a sign ("0.000", never
// "-0.000").
std::string fixedText(double value, int decimals);

// The decimals of coordinates, heights and distances in every export:
// thousandths of a foot or of a meter.
inline constexpr int kLengthDecimals = 3;
// Decimal degrees of angles: 1e-8 degrees is well under the 0.1 second the
// field files record.
inline constexpr int kAngleDecimals = 8;

inline std::string lengthText(double value) { return fixedText(value, kLengthDecimals); }

}  // namespace zendro::exports
