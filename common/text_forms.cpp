#include "common/text_forms.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <stdexcept>

#include "common/decimal_digits.h"

namespace zendro {
namespace {

constexpr int kSignificantDigits = DecimalDigits::kCount;
constexpr int kLargestPlaces = 20;
// The field files' finest unit is a ten-thousandth (distances); heights are
// in hundredths.
constexpr int kFieldDecimals = 4;
constexpr double kPowersOfTen[] = {1.0, 10.0, 100.0, 1000.0, 10000.0};

// The decimal digits of `value`, none for 0, written to end at `end`.
std::string_view wholeDigits(std::uint64_t value, char* end) {
    char* first = end;
    for (; value != 0; value /= 10) *--first = static_cast<char>('0' + value % 10);
    return {first, static_cast<std::size_t>(end - first)};
}

// The library's own words for infinity and not-a-number, after the sign;
// no field value decodes to either.
void writeNonFinite(FormattedNumber& out, double value, bool signSpace) {
    if (std::signbit(value)) {
        out.push('-');
    } else if (signSpace) {
        out.push(' ');
    }
    out.append(std::isnan(value) ? "nan" : "inf");
}

// Adds one to a run of decimal digits that starts with a spare '0'.
void incrementDigits(char* first, char* last) {
    while (last != first) {
        --last;
        if (*last != '9') {
            ++*last;
            return;
        }
        *last = '0';
    }
}

void writeNumberText(FormattedNumber& out, double value) {
    if (!std::isfinite(value)) return writeNonFinite(out, value, true);
    // A whole number below 10^15 is its own 15-digit form.
    if (std::fabs(value) < 1e15 && value == std::trunc(value)) {
        char buffer[16];
        const std::string_view digits =
            wholeDigits(static_cast<std::uint64_t>(std::fabs(value)), std::end(buffer));
        out.push(value < 0 ? '-' : ' ');
        out.append(digits.empty() ? "0" : digits);
        return;
    }
    const DecimalDigits d = decimalDigits(value);
    out.push(d.negative ? '-' : ' ');
    if (d.isZero()) {
        out.push('0');
        return;
    }
    const std::string_view digits(d.digits.data(), d.digits.size());
    const int integerDigits = d.exponent + 1;
    std::string_view fraction;
    if (integerDigits <= 0) {
        out.push('.');
        out.appendRepeated('0', static_cast<std::size_t>(-integerDigits));
        fraction = digits;
    } else if (integerDigits >= kSignificantDigits) {
        out.append(digits);
        out.appendRepeated('0', static_cast<std::size_t>(integerDigits - kSignificantDigits));
        return;
    } else {
        out.append(digits.substr(0, static_cast<std::size_t>(integerDigits)));
        fraction = digits.substr(static_cast<std::size_t>(integerDigits));
    }
    // Trailing zeros off; a fraction of zeros only leaves no point.
    fraction = fraction.substr(0, fraction.find_last_not_of('0') + 1);
    if (!fraction.empty()) {
        if (integerDigits > 0) out.push('.');
        out.append(fraction);
    }
}

// The fixed form's layout of the value's digits scaled by 10^places (none for
// 0): the sign, zeros up to the places plus the integer digits, the point.
void writeScaledDigits(FormattedNumber& out, bool negative, std::string_view digits, int places,
                       int minIntegerDigits) {
    const auto width = static_cast<std::size_t>(places + minIntegerDigits);
    const std::size_t padding = digits.size() < width ? width - digits.size() : 0;
    const std::size_t integerDigits = padding + digits.size() - static_cast<std::size_t>(places);
    const std::size_t integerFromDigits = integerDigits > padding ? integerDigits - padding : 0;

    if (negative && !digits.empty()) out.push('-');
    out.appendRepeated('0', std::min(padding, integerDigits));
    out.append(digits.substr(0, integerFromDigits));
    if (places > 0) {
        out.push('.');
        out.appendRepeated('0', padding > integerDigits ? padding - integerDigits : 0);
        out.append(digits.substr(integerFromDigits));
    }
}

// Far from a halfway point, the value rounds as its 15-digit form does: the
// two differ by less than 1e-5 of the last place kept while the value scaled
// by 10^places stays below 1e10. False when the shortcut does not apply.
bool writeFarFromHalfway(FormattedNumber& out, double value, int places, int minIntegerDigits) {
    if (places > kFieldDecimals) return false;
    const double scaled = std::fabs(value) * kPowersOfTen[places];
    if (!(scaled < 1e10)) return false;
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;  // exact
    if (std::fabs(fraction - 0.5) < 1e-4) return false;
    char buffer[24];
    const auto rounded = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
    writeScaledDigits(out, value < 0, wholeDigits(rounded, std::end(buffer)), places,
                      minIntegerDigits);
    return true;
}

// A value that is the double nearest a decimal of at most four places has
// that decimal as its 15-digit form, so even a halfway one rounds straight
// from the whole number of ten-thousandths. False for any other value.
bool writeFieldDecimal(FormattedNumber& out, double value, int places, int minIntegerDigits) {
    if (places > kFieldDecimals || !(std::fabs(value) < 1e11)) return false;
    const double tenThousandths = std::nearbyint(value * kPowersOfTen[kFieldDecimals]);
    if (tenThousandths / kPowersOfTen[kFieldDecimals] != value) return false;
    const auto unit = static_cast<std::uint64_t>(kPowersOfTen[kFieldDecimals - places]);
    const auto magnitude = static_cast<std::uint64_t>(std::fabs(tenThousandths));
    char buffer[24];
    writeScaledDigits(out, value < 0, wholeDigits((magnitude + unit / 2) / unit, std::end(buffer)),
                      places, minIntegerDigits);
    return true;
}

void writeFixedPlaces(FormattedNumber& out, double value, int places, int minIntegerDigits) {
    if (!std::isfinite(value)) return writeNonFinite(out, value, false);
    if (writeFarFromHalfway(out, value, places, minIntegerDigits) ||
        writeFieldDecimal(out, value, places, minIntegerDigits)) {
        return;
    }
    const DecimalDigits d = decimalDigits(value);

    // The value scaled by 10^places and rounded to a whole number, behind one
    // spare '0' for a carry out of the front.
    std::array<char, FormattedNumber::kCapacity> buffer;
    char* const first = buffer.data();
    char* last = first;
    *last++ = '0';
    const int shift = d.exponent - (kSignificantDigits - 1) + places;
    if (d.isZero()) {
        // stays "0"
    } else if (shift >= 0) {
        last = std::copy(d.digits.begin(), d.digits.end(), last);
        last = std::fill_n(last, shift, '0');
    } else {
        const int kept = kSignificantDigits + shift;
        if (kept > 0) last = std::copy_n(d.digits.begin(), kept, last);
        const char firstDropped = kept >= 0 ? d.digits[static_cast<std::size_t>(kept)] : '0';
        if (firstDropped >= '5') incrementDigits(first, last);
    }
    // Leading zeros off.
    std::string_view digits(first, static_cast<std::size_t>(last - first));
    digits.remove_prefix(std::min(digits.find_first_not_of('0'), digits.size()));
    writeScaledDigits(out, d.negative, digits, places, minIntegerDigits);
}

}  // namespace

FormattedNumber numberText(double value) {
    FormattedNumber out;
    writeNumberText(out, value);
    return out;
}

FormattedNumber fixedPlaces(double value, int places, int minIntegerDigits) {
    if (places < 0 || places > kLargestPlaces || minIntegerDigits < 0 ||
        minIntegerDigits > kLargestPlaces) {
        throw std::invalid_argument("fixedPlaces: places and integer digits must be 0 to 20");
    }
    FormattedNumber out;
    writeFixedPlaces(out, value, places, minIntegerDigits);
    return out;
}

FormattedNumber fixedForm(double value) { return fixedPlaces(value, 2, 1); }
FormattedNumber distanceForm(double value) { return fixedPlaces(value, 3, 1); }
FormattedNumber secondsForm(double value) { return fixedPlaces(value, 1, 2); }

std::string trimSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::optional<double> finiteNumber(std::string_view text) {
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || !std::isfinite(value)) return {};
    return value;
}

std::string trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

std::string removeAll(std::string_view text, std::string_view what) {
    if (what.empty()) return std::string(text);
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (true) {
        const auto hit = text.find(what, pos);
        if (hit == std::string_view::npos) break;
        out.append(text.substr(pos, hit - pos));
        pos = hit + what.size();
    }
    out.append(text.substr(pos));
    return out;
}

bool contains(std::string_view text, std::string_view what) {
    return text.find(what) != std::string_view::npos;
}

std::string clean(std::string_view description, std::string_view commentCode) {
    // One string, edited in place: every '-' and '+' out, then every
    // occurrence of the delimiter, scanning left to right.
    std::string out = trimSpaces(description);
    std::erase_if(out, [](char c) { return c == '-' || c == '+'; });
    if (commentCode.empty()) return out;
    std::size_t kept = 0;
    for (std::size_t at = 0; at < out.size();) {
        if (std::string_view(out).substr(at, commentCode.size()) == commentCode) {
            at += commentCode.size();
        } else {
            out[kept++] = out[at++];
        }
    }
    out.resize(kept);
    return out;
}

}  // namespace zendro
