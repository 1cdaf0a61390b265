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
    // meanwhile is read to its end.
    std::string bytes(static_cast<std::size_t>(info.st_size), '\0');
    std::size_t used = 0;
    for (;;) {
        if (used == bytes.size()) bytes.resize(bytes.size() + 65536);
        const ssize_t n = ::read(fd, bytes.data() + used, bytes.size() - used);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            throw ZendroError(path, "cannot be read (" + causeOf(errno) + ")");
        }
        used += static_cast<std::size_t>(n);
    }
    bytes.resize(used);
    return bytes;
}

void writeFileAtomically(const std::string& path, std::string_view bytes) {
    OutputFiles files;
    files.add(path).write(bytes);
    files.commit();
}

}  // namespace zendro
