#pragma once

#include <string>
#include <string_view>

#include "common/byte_sink.h"
#include "common/output_files.h"
#include "conversion/written_outputs.h"

namespace zendro {

// An output on its way to its file, hashed as the file takes its bytes: the
// run records what it wrote without reading tens of megabytes back, and
// without copying them through a buffer of its own.
class RecordedOutput {
  public:
    RecordedOutput(std::string fileName, OutputFiles& outputs, const std::string& targetPath)
        : fileName_(std::move(fileName)), file_(outputs.add(targetPath, &hashing_)) {}
    RecordedOutput(const RecordedOutput&) = delete;
    RecordedOutput& operator=(const RecordedOutput&) = delete;

    // Where the conversion writes.
    ByteSink& sink() { return file_; }
    // What the file holds, once the outputs are committed.
    WrittenFile written() const {
        WrittenFile file{fileName_, hashing_.hasher.hash(), HashKind::Xxh3, {}};
        file.stamp.size = hashing_.hasher.size();
        return file;
    }

  private:
    // Without a window of its own every piece reaches it whole.
    struct HashingSink final : ByteSink {
        void overflow(std::string_view bytes) override { hasher.add(bytes); }
        ContentHasher hasher;
    };

    std::string fileName_;
    HashingSink hashing_;
    ByteSink& file_;
};

}  // namespace zendro
