#include "common/byte_sink.h"

#include <cstring>

namespace zendro {

BufferedSink::BufferedSink(ByteSink& next, std::size_t capacity)
    : next_(next), buffer_(new char[capacity]), capacity_(capacity) {}

void BufferedSink::write(std::string_view bytes) {
    if (bytes.size() > capacity_ - used_) {
        flush();
        if (bytes.size() >= capacity_) {
            next_.write(bytes);
            return;
        }
    }
    std::memcpy(buffer_.get() + used_, bytes.data(), bytes.size());
    used_ += bytes.size();
}

void BufferedSink::flush() {
    if (used_ == 0) return;
    const std::size_t count = used_;
    used_ = 0;
    next_.write(std::string_view(buffer_.get(), count));
}

}  // namespace zendro
