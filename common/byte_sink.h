#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace zendro {

// Where output bytes go: a file, a string, or a buffer in front of either.
class ByteSink {
  public:
    virtual ~ByteSink() = default;
    // Throws ZendroError naming the file and the cause when the bytes cannot be kept.
    virtual void write(std::string_view bytes) = 0;
};

// Appends to a string the caller owns: tests, fuzz targets and benchmarks.
class StringSink final : public ByteSink {
  public:
    explicit StringSink(std::string& out) : out_(out) {}
    void write(std::string_view bytes) override { out_.append(bytes); }

  private:
    std::string& out_;
};

// Gathers small writes into a buffer of a fixed size and passes it on when
// full, so the memory an output takes never grows with the output. `flush()`
// passes on the rest; the destructor does not (a failed run discards it).
class BufferedSink final : public ByteSink {
  public:
    static constexpr std::size_t kDefaultCapacity = 64 * 1024;
    explicit BufferedSink(ByteSink& next, std::size_t capacity = kDefaultCapacity);
    BufferedSink(const BufferedSink&) = delete;
    BufferedSink& operator=(const BufferedSink&) = delete;

    void write(std::string_view bytes) override;
    void flush();

  private:
    ByteSink& next_;
    std::unique_ptr<char[]> buffer_;
    std::size_t capacity_;
    std::size_t used_ = 0;
};

}  // namespace zendro
