#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/inline_text.h"

namespace zendro {

// A number's text, held in place: writing a number costs no heap allocation.
// Enough for any finite double in the forms below, with up to 20 places and
// 20 integer digits.
using FormattedNumber = InlineText<360>;

// Number text: a leading space (or "-"), the value rounded to 15 significant
// digits, trailing zeros dropped, no "0" before the point, never an exponent.
// 12 -> " 12", 0.5 -> " .5", 0 -> " 0", -2 -> "-2".
FormattedNumber numberText(double value);

// Exactly `places` decimals, at least `minIntegerDigits` digits before the point
// (zero-filled); both at most 20. Rounding is half away from zero, judged on
// the value's 15-significant-digit decimal form: 123.4565 gives 123.457.
FormattedNumber fixedPlaces(double value, int places, int minIntegerDigits);

// The "Fixed" format: two decimals (1.5 -> "1.50").
FormattedNumber fixedForm(double value);
// The "####0.000" format: three decimals (123.4567 -> "123.457").
FormattedNumber distanceForm(double value);
// The "00.0" format: one decimal, two integer digits (5 -> "05.0").
FormattedNumber secondsForm(double value);

// Removes spaces (only spaces) at both ends.
std::string trimSpaces(std::string_view text);
// Removes spaces and tabs at both ends.
std::string trimBlanks(std::string_view text);

// The same letters, upper or lower case alike (ASCII).
bool equalIgnoringCase(std::string_view a, std::string_view b);

// The finite number the whole text spells ("12.5", "-3", "1e3"), locale-free;
// nothing for an empty text, trailing characters, an infinity or a NaN.
std::optional<double> finiteNumber(std::string_view text);

// Every occurrence of `what`, scanning left to right, replaced by nothing.
// Removing the empty text changes nothing.
std::string removeAll(std::string_view text, std::string_view what);

bool contains(std::string_view text, std::string_view what);

// A description as the observation lines print it: trimmed of spaces, then
// every "-", every "+" and every occurrence of the comment delimiter removed.
std::string clean(std::string_view description, std::string_view commentCode);

}  // namespace zendro
