#include "common/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

#include "common/errors.h"

namespace zendro {
namespace {

std::string causeOf(int error) { return std::strerror(error); }

// Closes the descriptor and removes the temporary file unless released.
class TemporaryFile {
  public:
    TemporaryFile(std::string path, int fd) : path_(std::move(path)), fd_(fd) {}
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (fd_ >= 0) ::close(fd_);
        if (!released_) ::unlink(path_.c_str());
    }
    int fd() const { return fd_; }
    const std::string& path() const { return path_; }
    int close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }
    void release() { released_ = true; }

  private:
    std::string path_;
    int fd_;
    bool released_ = false;
};

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

    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0) return bytes;
        if (n < 0) {
            if (errno == EINTR) continue;
            throw ZendroError(path, "cannot be read (" + causeOf(errno) + ")");
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
}

void writeFileAtomically(const std::string& path, std::string_view bytes) {
    std::string pattern = path + ".XXXXXX";
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        throw ZendroError(path, "cannot be written (" + causeOf(errno) + ")");
    }
    TemporaryFile temporary(pattern, fd);
    // The replacement keeps the permissions of the file it replaces; a new file
    // gets the usual read-write for the owner, read for everyone else.
    struct stat previous {};
    const mode_t mode = ::stat(path.c_str(), &previous) == 0 ? (previous.st_mode & 07777) : 0644;
    ::fchmod(fd, mode);
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw ZendroError(path, "cannot be written (" + causeOf(errno) + ")");
        }
        written += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0 || temporary.close() != 0) {
        throw ZendroError(path, "cannot be written (" + causeOf(errno) + ")");
    }
    if (::rename(temporary.path().c_str(), path.c_str()) != 0) {
        throw ZendroError(path, "cannot be replaced (" + causeOf(errno) + ")");
    }
    temporary.release();
}

}  // namespace zendro
