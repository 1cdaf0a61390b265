#include "common/line_writer.h"

#include "common/text_forms.h"

namespace zendro {
namespace {
constexpr int kZoneWidth = 14;
constexpr std::string_view kSpaces =
    "                                                                ";
}  // namespace

LineWriter& LineWriter::number(double value) {
    put(numberText(value));
    put(" ");
    return *this;
}

LineWriter& LineWriter::column(int n) {
    if (column_ > n) endLine();
    while (column_ < n) {
        put(kSpaces.substr(0, std::min(kSpaces.size(), static_cast<std::size_t>(n - column_))));
    }
    return *this;
}

LineWriter& LineWriter::zone() {
    const int nextZoneStart = ((column_ - 1) / kZoneWidth + 1) * kZoneWidth + 1;
    return column(nextZoneStart);
}

LineWriter& LineWriter::endLine() {
    if (out_ != nullptr) out_->write("\r\n");
    column_ = 1;
    return *this;
}

}  // namespace zendro
