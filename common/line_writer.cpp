#include "common/line_writer.h"

#include "common/text_forms.h"

namespace zendro {
namespace {
constexpr int kZoneWidth = 14;
}

void LineWriter::put(std::string_view bytes) {
    if (out_ != nullptr) out_->append(bytes);
    column_ += static_cast<int>(bytes.size());
}

LineWriter& LineWriter::text(std::string_view item) {
    put(item);
    return *this;
}

LineWriter& LineWriter::number(double value) {
    put(numberText(value));
    put(" ");
    return *this;
}

LineWriter& LineWriter::column(int n) {
    if (column_ > n) endLine();
    if (column_ < n) put(std::string(static_cast<std::size_t>(n - column_), ' '));
    return *this;
}

LineWriter& LineWriter::zone() {
    const int nextZoneStart = ((column_ - 1) / kZoneWidth + 1) * kZoneWidth + 1;
    return column(nextZoneStart);
}

LineWriter& LineWriter::endLine() {
    if (out_ != nullptr) out_->append("\r\n");
    column_ = 1;
    return *this;
}

}  // namespace zendro
