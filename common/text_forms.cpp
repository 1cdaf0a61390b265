#include "common/text_forms.h"

#include <array>
#include <charconv>
#include <cstdlib>

namespace zendro {
namespace {

constexpr int kSignificantDigits = 15;

// A double as its correctly rounded 15-significant-digit decimal form:
// value = 0.d1d2...d15 x 10^(pointPosition), digits without sign.
struct DecimalDigits {
    bool negative = false;
    std::string digits;  // exactly 15 digits, the first non-zero unless the value is 0
    int exponent = 0;    // value = d1.d2d3... x 10^exponent
    bool isZero() const { return digits.find_first_not_of('0') == std::string::npos; }
};

DecimalDigits toDecimalDigits(double value) {
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::scientific, kSignificantDigits - 1);
    std::string_view text(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));
    DecimalDigits out;
    if (!text.empty() && text.front() == '-') {
        out.negative = true;
        text.remove_prefix(1);
    }
    const auto ePos = text.find('e');
    for (char c : text.substr(0, ePos)) {
        if (c != '.') out.digits.push_back(c);
    }
    const std::string_view exponentText = text.substr(ePos + 1);
    int exponent = 0;
    const char* first = exponentText.data();
    if (*first == '+') ++first;
    std::from_chars(first, exponentText.data() + exponentText.size(), exponent);
    out.exponent = exponent;
    if (out.isZero()) out.negative = false;  // -0 prints as 0
    return out;
}

// Adds one to a string of decimal digits, growing it on a carry out of the front.
void incrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

}  // namespace

std::string numberText(double value) {
    const DecimalDigits d = toDecimalDigits(value);
    std::string out(1, d.negative ? '-' : ' ');
    if (d.isZero()) return out + "0";

    std::string digits = d.digits;
    const int integerDigits = d.exponent + 1;
    std::string integerPart;
    std::string fraction;
    if (integerDigits <= 0) {
        fraction = std::string(static_cast<std::size_t>(-integerDigits), '0') + digits;
    } else if (integerDigits >= kSignificantDigits) {
        integerPart =
            digits + std::string(static_cast<std::size_t>(integerDigits - kSignificantDigits), '0');
    } else {
        integerPart = digits.substr(0, static_cast<std::size_t>(integerDigits));
        fraction = digits.substr(static_cast<std::size_t>(integerDigits));
    }
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    out += integerPart;
    if (!fraction.empty()) out += "." + fraction;
    return out;
}

std::string fixedPlaces(double value, int places, int minIntegerDigits) {
    const DecimalDigits d = toDecimalDigits(value);
    // The value scaled by 10^places is digits x 10^shift.
    const int shift = d.exponent - (kSignificantDigits - 1) + places;
    std::string scaled;
    if (d.isZero()) {
        scaled = "0";
    } else if (shift >= 0) {
        scaled = d.digits + std::string(static_cast<std::size_t>(shift), '0');
    } else {
        const int dropped = -shift;
        const int kept = kSignificantDigits - dropped;
        scaled = kept > 0 ? d.digits.substr(0, static_cast<std::size_t>(kept)) : std::string("0");
        const char firstDropped = kept >= 0 ? d.digits[static_cast<std::size_t>(kept)] : '0';
        if (firstDropped >= '5') incrementDigits(scaled);
    }
    // Leading zeros off, then zero-fill to the places plus the integer digits.
    const auto firstNonZero = scaled.find_first_not_of('0');
    scaled = firstNonZero == std::string::npos ? std::string() : scaled.substr(firstNonZero);
    const bool negative = d.negative && !scaled.empty();
    const std::size_t width = static_cast<std::size_t>(places + minIntegerDigits);
    if (scaled.size() < width) scaled.insert(0, width - scaled.size(), '0');

    std::string out = negative ? "-" : "";
    const std::size_t pointAt = scaled.size() - static_cast<std::size_t>(places);
    out += scaled.substr(0, pointAt);
    if (places > 0) out += "." + scaled.substr(pointAt);
    return out;
}

std::string fixedForm(double value) { return fixedPlaces(value, 2, 1); }
std::string distanceForm(double value) { return fixedPlaces(value, 3, 1); }
std::string secondsForm(double value) { return fixedPlaces(value, 1, 2); }

std::string trimSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
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
    std::string out = trimSpaces(description);
    out = removeAll(out, "-");
    out = removeAll(out, "+");
    return removeAll(out, commentCode);
}

}  // namespace zendro
