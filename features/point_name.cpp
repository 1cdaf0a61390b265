#include "features/point_name.h"

#include <algorithm>

#include "common/text_forms.h"

namespace zendro {
namespace {
constexpr std::size_t kMaxNumberDigits = 15;
}

PointName PointName::fromNumber(std::int64_t number) {
    PointName name;
    name.kind_ = Kind::Number;
    name.number_ = number;
    return name;
}

PointName PointName::fromField(std::string_view field) {
    PointName name;
    if (field.empty()) return name;
    const bool allDigits =
        std::all_of(field.begin(), field.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (allDigits && field.size() <= kMaxNumberDigits) {
        std::int64_t value = 0;
        for (char c : field) value = value * 10 + (c - '0');
        return fromNumber(value);
    }
    name.kind_ = Kind::Text;
    name.text_ = std::string(field);
    return name;
}

std::string PointName::numberText() const {
    switch (kind_) {
        case Kind::Number:
            return zendro::numberText(static_cast<double>(number_)).str();
        case Kind::Text:
            return text_;
        case Kind::Empty:
            break;
    }
    return {};
}

std::string PointName::plainText() const { return isNumber() ? std::to_string(number_) : text_; }

}  // namespace zendro
