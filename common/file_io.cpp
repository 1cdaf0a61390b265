#include "common/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/errors.h"
#include "common/output_files.h"

namespace zendro {
namespace {

std::string causeOf(int error) { return std::strerror(error); }

}  // namespace

bool fileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::optional<FileStamp> fileStamp(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    const auto nanoseconds = [](const timespec& time) {
        return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
    };
    return FileStamp{static_cast<std::uint64_t>(info.st_size), nanoseconds(info.st_mtim),
                     nanoseconds(info.st_ctim), static_cast<std::uint64_t>(info.st_ino)};
}

namespace {

class OpenDescriptor {
  public:
    explicit OpenDescriptor(int fd) : fd_(fd) {}
    OpenDescriptor(const OpenDescriptor&) = delete;
    OpenDescriptor& operator=(const OpenDescriptor&) = delete;
    ~OpenDescriptor() { ::close(fd_); }
    int fd() const { return fd_; }

  private:
    int fd_;
};

}  // namespace

std::string readFileBytes(const std::string& path) {
    // Opened without waiting, so a FIFO without a writer cannot hang the run;
    // then only a regular file is read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        throw ZendroError(path, error == ENOENT || error == ENOTDIR
                                    ? std::string("the file does not exist")
                                    : "cannot be read (" + causeOf(error) + ")");
    }
    const OpenDescriptor file(fd);
    struct stat info {};
    if (::fstat(fd, &info) != 0) throw ZendroError(path, "cannot be read (" + causeOf(errno) + ")");
    if (!S_ISREG(info.st_mode)) throw ZendroError(path, "is not a regular file");

    // Read straight into a string sized from the file's length, so a large
    // file takes its own size in memory and no more; a file that grows
    // meanwhile is read on to its end.
    const auto readSome = [&](char* into, std::size_t count) {
        for (;;) {
            const ssize_t n = ::read(fd, into, count);
            if (n >= 0) return static_cast<std::size_t>(n);
            if (errno != EINTR) throw ZendroError(path, "cannot be read (" + causeOf(errno) + ")");
        }
    };
    std::string bytes(static_cast<std::size_t>(info.st_size), '\0');
    std::size_t used = 0;
    while (used < bytes.size()) {
        const std::size_t n = readSome(bytes.data() + used, bytes.size() - used);
        if (n == 0) break;
        used += n;
    }
    bytes.resize(used);
    char more[65536];
    while (const std::size_t n = readSome(more, sizeof more)) bytes.append(more, n);
    return bytes;
}

void writeFileAtomically(const std::string& path, std::string_view bytes) {
    OutputFiles files;
    files.add(path).write(bytes);
    files.commit();
}

}  // namespace zendro
