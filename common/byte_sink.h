#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "common/short_copy.h"

namespace zendro {

// Where output bytes go: a file, a string, or a buffer in front of either.
//
// A buffering sink lends its free space as a window, so that a small write is
// a copy without a call; what does not fit goes to `overflow`.
class ByteSink {
  public:
    virtual ~ByteSink() = default;
    // Throws ZendroError naming the file and the cause when the bytes cannot be kept.
    void write(std::string_view bytes) {
        if (bytes.size() <= static_cast<std::size_t>(windowEnd_ - windowNext_)) {
            windowNext_ = copyBytes(windowNext_, bytes.data(), bytes.size());
        } else {
            overflow(bytes);
        }
    }

  protected:
    // Bytes that do not fit the window; every write, for a sink without one.
    virtual void overflow(std::string_view bytes) = 0;
    void setWindow(char* next, char* end) {
        windowNext_ = next;
        windowEnd_ = end;
    }
    char* windowNext() const { return windowNext_; }

  private:
    char* windowNext_ = nullptr;
    char* windowEnd_ = nullptr;
};

// Appends to a string the caller owns: tests, fuzz targets and benchmarks.
class StringSink final : public ByteSink {
  public:
    explicit StringSink(std::string& out) : out_(out) {}

  protected:
    void overflow(std::string_view bytes) override { out_.append(bytes); }

  private:
    std::string& out_;
};

// Gathers small writes into a buffer of a fixed size and passes it on when
// full, so the memory an output takes never grows with the output. `flush()`
// passes on the rest; the destructor does not (a failed run discards it).
class BufferedSink final : public ByteSink {
  public:
    static constexpr std::size_t kDefaultCapacity = 256 * 1024;
    explicit BufferedSink(ByteSink& next, std::size_t capacity = kDefaultCapacity);
    BufferedSink(const BufferedSink&) = delete;
    BufferedSink& operator=(const BufferedSink&) = delete;

    void flush();

  protected:
    void overflow(std::string_view bytes) override;

  private:
    ByteSink& next_;
    std::unique_ptr<char[]> buffer_;
    std::size_t capacity_;
};

}  // namespace zendro
