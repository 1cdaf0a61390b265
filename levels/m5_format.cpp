#include "levels/m5_format.h"

#include <algorithm>

#include "review/finding_text.h"

namespace zendro::levels::m5 {
namespace {

constexpr std::array<std::string_view, 6> kMethodNames = {"BF", "BFFB", "BBFF", "BFBF", "aBF",
                                                          "aBFFB"};

// `text` into `line` at `at`, cut to `width`; right-aligned when asked.
void place(std::string& line, std::size_t at, std::size_t width, std::string_view text,
           bool right = false) {
    text = text.substr(0, width);
    const std::size_t start = right ? at + width - text.size() : at;
    line.replace(start, text.size(), text);
}

}  // namespace

std::optional<ValueType> valueTypeNamed(std::string_view identifier) {
    for (const TypeName& name : kTypeNames)
        if (identifier == name.english || identifier == name.german) return name.type;
    return std::nullopt;
}

std::string_view englishName(ValueType type) {
    for (const TypeName& name : kTypeNames)
        if (name.type == type) return name.english;
    return "";
}

std::optional<Method> methodNamed(std::string_view word) {
    for (std::size_t i = 0; i < kMethodNames.size(); ++i)
        if (word == kMethodNames[i]) return static_cast<Method>(i);
    return std::nullopt;
}

std::string_view methodName(Method method) { return kMethodNames[static_cast<std::size_t>(method)]; }

int readingsEachWay(Method method) {
    return method == Method::BF || method == Method::aBF ? 1 : 2;
}

std::string composeLine(std::uint32_t address, std::string_view block, std::string_view info,
                        const std::array<std::optional<ValueField>, 3>& values, bool marked) {
    std::string line(kLineWidth, ' ');
    place(line, 0, kFormatWord.size(), kFormatWord);
    for (const std::size_t bar : kBarAt) line[bar] = '|';
    place(line, kAddressWordAt, kAddressWord.size(), kAddressWord);
    place(line, kAddressAt, kAddressWidth, std::to_string(address), true);
    place(line, kBlockAt, kBlockWidth, block);
    place(line, kInfoAt, kInfoWidth, info);
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (!values[i]) continue;
        const ValueField& field = *values[i];
        const std::size_t at = kValueAt[i];
        place(line, at, kTypeWidth, englishName(field.type));
        place(line, at + kNumberOffset, kNumberWidth, review::decimals(field.value, field.decimals),
              true);
        place(line, at + kUnitOffset, kUnitWidth, field.unit);
    }
    if (marked) line[kMarkAt] = 'e';
    return line + "\r\n";
}

std::string measurementInfo(std::string_view point, std::string_view code, std::string_view time,
                            int lineNumber) {
    std::string info(kInfoWidth, ' ');
    place(info, 0, kPointWidth, point, true);
    place(info, kCodeOffset, kTimeOffset - kCodeOffset - 1, code);
    place(info, kTimeOffset, kLineNumberOffset - kTimeOffset, time);
    place(info, kLineNumberOffset, kLineNumberWidth, std::to_string(lineNumber), true);
    return info;
}

}  // namespace zendro::levels::m5
