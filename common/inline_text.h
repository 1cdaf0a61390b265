#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

#include "common/short_copy.h"

namespace zendro {

// A text of at most N characters held in place: building and copying it never
// allocates. Reads as a std::string_view; `str()` copies it out. What does not
// fit is cut off, though every user sizes N for the longest text it makes.
template <std::size_t N>
class InlineText {
  public:
    static constexpr std::size_t kCapacity = N;

    InlineText() = default;
    InlineText(std::string_view text) { append(text); }  // NOLINT: reads as its text
    // Copies the text only, not the unset rest.
    InlineText(const InlineText& other) { append(other.view()); }
    InlineText& operator=(const InlineText& other) {
        size_ = 0;
        append(other.view());
        return *this;
    }
    InlineText& operator=(std::string_view text) {
        size_ = 0;
        append(text);
        return *this;
    }

    std::string_view view() const { return {chars_.data(), size_}; }
    operator std::string_view() const { return view(); }  // NOLINT: reads as its text
    std::string str() const { return std::string(view()); }
    std::size_t size() const { return size_; }
    char operator[](std::size_t i) const { return chars_[i]; }
    friend bool operator==(const InlineText& a, std::string_view b) { return a.view() == b; }
    friend std::ostream& operator<<(std::ostream& out, const InlineText& text) {
        return out << text.view();
    }

    void push(char c) {
        if (size_ < N) chars_[size_++] = c;
    }
    void append(std::string_view text) {
        const std::size_t count = std::min(text.size(), N - size_);
        copyBytes(chars_.data() + size_, text.data(), count);
        size_ += count;
    }
    void appendRepeated(char c, std::size_t count) {
        count = std::min(count, N - size_);
        std::fill_n(chars_.data() + size_, count, c);
        size_ += count;
    }

  private:
    std::array<char, N> chars_;  // only the first size_ are set
    std::size_t size_ = 0;
};

}  // namespace zendro
