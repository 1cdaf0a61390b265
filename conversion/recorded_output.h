#pragma once

#include <string>
#include <string_view>

#include "common/byte_sink.h"
#include "conversion/written_outputs.h"

namespace zendro {

// An output on its way to its file, hashed as it passes: the run records
// what it wrote without reading tens of megabytes back.
class RecordedOutput {
  public:
    RecordedOutput(std::string fileName, ByteSink& file)
        : fileName_(std::move(fileName)), hashing_(file), buffered_(hashing_) {}
    RecordedOutput(const RecordedOutput&) = delete;
    RecordedOutput& operator=(const RecordedOutput&) = delete;

    // Where the conversion writes.
    ByteSink& sink() { return buffered_; }
    // Passes the rest on to the file; what the file then holds.
    WrittenFile finish() {
        buffered_.flush();
        WrittenFile written{fileName_, hashing_.hasher.hash(), HashKind::Xxh3, {}};
        written.stamp.size = hashing_.hasher.size();
        return written;
    }

  private:
    // Without a window of its own every write reaches it: the buffer in
    // front hands it large pieces.
    struct HashingSink final : ByteSink {
        explicit HashingSink(ByteSink& file) : next(file) {}
        void overflow(std::string_view bytes) override {
            hasher.add(bytes);
            next.write(bytes);
        }
        ByteSink& next;
        ContentHasher hasher;
    };

    std::string fileName_;
    HashingSink hashing_;
    BufferedSink buffered_;
};

}  // namespace zendro
