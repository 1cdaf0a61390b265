#include "common/byte_sink.h"

namespace zendro {

BufferedSink::BufferedSink(ByteSink& next, std::size_t capacity)
    : next_(next), buffer_(new char[capacity]), capacity_(capacity) {
    setWindow(buffer_.get(), buffer_.get() + capacity_);
}

void BufferedSink::overflow(std::string_view bytes) {
    flush();
    if (bytes.size() >= capacity_) {
        next_.write(bytes);
        return;
    }
    write(bytes);
}

void BufferedSink::flush() {
    const std::string_view buffered(buffer_.get(),
                                    static_cast<std::size_t>(windowNext() - buffer_.get()));
    // The window is reset first: a failing sink behind must not see these bytes twice.
    setWindow(buffer_.get(), buffer_.get() + capacity_);
    if (!buffered.empty()) next_.write(buffered);
}

}  // namespace zendro
