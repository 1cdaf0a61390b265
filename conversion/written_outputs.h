#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "common/job_paths.h"

namespace zendro {

// What this program last wrote for each output of a job, kept in a small text
// file beside the job (JOB.zendro-written) so that it survives a restart: an
// output that differs from it was edited by hand (the office raw-data editor)
// and is kept before a conversion replaces it.
struct WrittenFile {
    std::string name;  // the file name, without its folder
    std::uint64_t size = 0;
    std::uint64_t hash = 0;  // contentHash of its bytes
};

std::string writtenStatePath(const JobPaths& job);

// FNV-1a over 64 bits: tells an edited file from the one written, nothing more.
std::uint64_t contentHash(std::string_view bytes);

// contentHash of bytes that arrive in pieces of any size, and their count.
class ContentHasher {
  public:
    void add(std::string_view bytes);
    std::uint64_t hash() const;  // of everything added so far
    std::uint64_t size() const { return size_; }

  private:
    std::uint64_t hash_ = 14695981039346656037ULL;  // FNV-1a's offset basis
    std::uint64_t size_ = 0;
    // The hash folds 8-byte words: the bytes of a piece that did not fill one.
    char carried_[8] = {};
    std::size_t carriedCount_ = 0;
};

// One line per file: size, hash in 16 hex digits, name. Lines that do not read
// so are skipped.
std::vector<WrittenFile> parseWrittenState(std::string_view text);
std::string writtenStateText(const std::vector<WrittenFile>& files);

// An output whose bytes are not what this program last wrote, and the name it
// is kept under before it is replaced: JOB.obs.edited-YYYYMMDD-HHMMSS.
struct EditedOutput {
    std::string path;
    std::string keepAs;
};

// The outputs among `paths` that exist and differ from the record. An output
// the record does not name (written before the record was kept, or never) is
// taken as written. A front end may call it before converting, to ask.
std::vector<EditedOutput> findEditedOutputs(const JobPaths& job,
                                            const std::vector<std::string>& paths,
                                            std::time_t now);

// Records the files as written by this program; the record's lines for other
// files stay. Throws ZendroError when it cannot be written.
void recordWrittenOutputs(const JobPaths& job, const std::vector<WrittenFile>& written);

// The warning for an edited output that was kept.
std::string editedOutputWarning(const EditedOutput& edited);

}  // namespace zendro
