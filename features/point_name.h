#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zendro {

// The name field of a point-feature entry: a point number when the field is
// 1 to 15 decimal digits and nothing else, otherwise text; empty when blank.
class PointName {
  public:
    PointName() = default;
    static PointName fromNumber(std::int64_t number);
    // `field` as read, already trimmed of spaces and tabs.
    static PointName fromField(std::string_view field);

    bool isEmpty() const { return kind_ == Kind::Empty; }
    bool isNumber() const { return kind_ == Kind::Number; }
    std::int64_t number() const { return number_; }

    // Only a number name can match a record's point number.
    bool matches(std::int64_t pointNumber) const { return isNumber() && number_ == pointNumber; }
    // Second-feature names lie above 100000.
    bool isAbove(std::int64_t limit) const { return isNumber() && number_ > limit; }

    // Where a number text is asked for: " 1001" for a number, the text itself
    // for a text name, nothing for an empty one.
    std::string numberText() const;
    // The name without the sign space: "1001", the text, or nothing.
    std::string plainText() const;

  private:
    enum class Kind { Empty, Number, Text };
    Kind kind_ = Kind::Empty;
    std::int64_t number_ = 0;
    std::string text_;
};

}  // namespace zendro
