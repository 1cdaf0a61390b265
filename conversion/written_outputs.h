#pragma once

#include <cstdint>
#include <ctime>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_io.h"
#include "common/job_paths.h"

namespace zendro {

// The hash a record line was made with. Lines written before the record kept
// stat data hold FNV-1a and no name; those still read.
enum class HashKind { Fnv1a, Xxh3 };

// What this program last wrote for each output of a job, kept in a small text
// file beside the job (JOB.zendro-written) so that it survives a restart: an
// output that differs from it was edited by hand (the office raw-data editor)
// and is kept before a conversion replaces it.
struct WrittenFile {
    std::string name;  // the file name, without its folder
    std::uint64_t hash = 0;
    HashKind hashKind = HashKind::Xxh3;
    // The size always; the times and inode as stat gave them after the commit,
    // or zero when not known (an older record): such a file is hashed.
    FileStamp stamp;
};

std::string writtenStatePath(const JobPaths& job);

// XXH3 (64 bits) of bytes that arrive in pieces of any size, and their count:
// tells an edited file from the one written, nothing more.
class ContentHasher {
  public:
    ContentHasher();
    ~ContentHasher();
    ContentHasher(const ContentHasher&) = delete;
    ContentHasher& operator=(const ContentHasher&) = delete;

    void add(std::string_view bytes);
    std::uint64_t hash() const;  // of everything added so far
    std::uint64_t size() const { return size_; }

  private:
    struct State;
    std::unique_ptr<State> state_;
    std::uint64_t size_ = 0;
};

// One line per file: size, hash, then for a hash named "xxh3:" the
// modification time, change time (nanoseconds) and inode, then the name.
// Lines that do not read so are skipped.
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
// taken as written. One whose stat data are those recorded, and older than the
// record itself, is taken as written without reading it; any other is hashed.
// A front end may call it before converting, to ask.
std::vector<EditedOutput> findEditedOutputs(const JobPaths& job,
                                            const std::vector<std::string>& paths,
                                            std::time_t now);

// Records the files (in the job's folder, committed by now) as written by this
// program, with their stat data; the record's lines for other files stay.
// Throws ZendroError when it cannot be written.
void recordWrittenOutputs(const JobPaths& job, const std::vector<WrittenFile>& written);

// The warning for an edited output that was kept.
std::string editedOutputWarning(const EditedOutput& edited);

}  // namespace zendro
