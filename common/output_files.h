#pragma once

#include <sys/types.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/byte_sink.h"

namespace zendro {

// The system calls that writing and committing output files make. The real one
// calls the system; tests put one in that fails a chosen call. Each returns
// what the system call returns and sets errno the same way. The commit makes
// the calls for its files from several threads at once.
class FileSystem {
  public:
    virtual ~FileSystem() = default;
    virtual int open(const std::string& path, int flags, mode_t mode);
    virtual ssize_t write(int fd, const char* bytes, std::size_t count);
    virtual int fsync(int fd);
    virtual int close(int fd);
    virtual int link(const std::string& from, const std::string& to);
    virtual int rename(const std::string& from, const std::string& to);
    virtual int unlink(const std::string& path);
};

FileSystem& realFileSystem();

// The files one run writes, committed together. Each file is written to a
// temporary file beside it; `commit()` makes every temporary file complete and
// durable before the first rename, and when a later step fails, puts back what
// the earlier renames replaced. Whatever fails, at whatever step, the previous
// outputs stay as they were and no temporary file is left behind (SIGINT and
// SIGTERM included). Errors throw ZendroError naming the file and the cause.
//
// A new file gets the permissions `touch` would give it (read and write for
// everyone, less the umask); a replaced file keeps its permissions.
class OutputFiles {
  public:
    explicit OutputFiles(FileSystem& fileSystem = realFileSystem());
    OutputFiles(const OutputFiles&) = delete;
    OutputFiles& operator=(const OutputFiles&) = delete;
    ~OutputFiles();

    // Starts the temporary file for `targetPath`; the bytes written to the sink
    // go to it through a buffer of a fixed size. The sink lives as long as this.
    // `copyTo`, when given, sees every piece as the file gets it (the last ones
    // during the commit, on another thread): it must outlive the commit.
    ByteSink& add(const std::string& targetPath, ByteSink* copyTo = nullptr);

    // Flushes, syncs and closes every temporary file, then renames each over
    // its target. Call it once.
    void commit();

    // Files that could not be removed after a successful commit (old contents
    // kept aside during the renames); the caller tells the user.
    const std::vector<std::string>& leftovers() const { return leftovers_; }

  private:
    class Output;
    // Runs `step` for every output at once and waits for all: the syncs and
    // the removals wait on the disk, which takes them together sooner than
    // one after another. Rethrows the first failure.
    void forEachAtOnce(const std::function<void(std::size_t)>& step);
    void renameAll();
    void putBack(std::size_t count);

    FileSystem& fileSystem_;
    std::vector<std::unique_ptr<Output>> outputs_;
    std::vector<std::string> leftovers_;
};

}  // namespace zendro
