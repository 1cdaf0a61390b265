#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/byte_sink.h"

namespace zendro {

// Composes the lines of every output file: text items verbatim, number items
// with their sign space and trailing space, column stops, zone stops and the
// CR LF line end. Columns count from 1 at the start of each line.
//
// A writer made without a sink discards everything; the TRV file of an
// "OBS Only" run is such a writer.
class LineWriter {
  public:
    LineWriter() = default;
    explicit LineWriter(ByteSink& out) : out_(&out) {}
    // Appends to `out`.
    explicit LineWriter(std::string& out) : text_(std::in_place, out), out_(&*text_) {}
    LineWriter(const LineWriter&) = delete;
    LineWriter& operator=(const LineWriter&) = delete;

    bool enabled() const { return out_ != nullptr; }
    int column() const { return column_; }

    LineWriter& text(std::string_view item) {
        put(item);
        return *this;
    }
    // " 5 ", "-2 ", " .5 ": the number text and one trailing space.
    LineWriter& number(double value);
    // Pads with spaces up to column n; when already past it, ends the line and
    // indents the next one so that the next item starts in column n.
    LineWriter& column(int n);
    // Pads to the start of the next 14-column print zone (columns 15, 29, ...).
    LineWriter& zone();
    LineWriter& endLine();

  private:
    void put(std::string_view bytes) {
        if (out_ != nullptr) out_->write(bytes);
        column_ += static_cast<int>(bytes.size());
    }
    std::optional<StringSink> text_;
    ByteSink* out_ = nullptr;
    int column_ = 1;
};

}  // namespace zendro
