#include "common/output_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <exception>
#include <future>
#include <random>

#include "common/errors.h"
#include "common/temp_file_registry.h"

namespace zendro {
namespace {

constexpr int kNameAttempts = 100;

std::string causeOf(int error) { return std::strerror(error); }

[[noreturn]] void fail(const std::string& path, const char* what, int error) {
    throw ZendroError(path, std::string(what) + " (" + causeOf(error) + ")");
}

// A name beside `path` that no file has yet, for `attempt`'s try.
std::string sideName(const std::string& path, const char* tag) {
    thread_local std::mt19937 random{std::random_device{}()};
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string name = path + tag;
    for (int i = 0; i < 6; ++i) name += kLetters[random() % (sizeof kLetters - 1)];
    return name;
}

class RealFileSystem final : public FileSystem {};

}  // namespace

int FileSystem::open(const std::string& path, int flags, mode_t mode) {
    return ::open(path.c_str(), flags, mode);
}
ssize_t FileSystem::write(int fd, const char* bytes, std::size_t count) {
    return ::write(fd, bytes, count);
}
int FileSystem::fsync(int fd) { return ::fsync(fd); }
int FileSystem::close(int fd) { return ::close(fd); }
int FileSystem::link(const std::string& from, const std::string& to) {
    return ::link(from.c_str(), to.c_str());
}
int FileSystem::rename(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str());
}
int FileSystem::unlink(const std::string& path) { return ::unlink(path.c_str()); }

FileSystem& realFileSystem() {
    static RealFileSystem fileSystem;  // no state: shared by every thread
    return fileSystem;
}

// One target: its temporary file, the sink that fills it, and during the
// commit the old contents kept aside.
class OutputFiles::Output final : public ByteSink {
  public:
    Output(FileSystem& fileSystem, std::string target, ByteSink* copyTo)
        : fileSystem_(fileSystem), target_(std::move(target)), copyTo_(copyTo), buffer_(*this) {
        struct stat existing {};
        const bool replacing = ::stat(target_.c_str(), &existing) == 0;
        for (int attempt = 0; fd_ < 0; ++attempt) {
            temp_ = sideName(target_, ".new-");
            fd_ = fileSystem_.open(temp_, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ < 0 && (errno != EEXIST || attempt == kNameAttempts)) {
                fail(target_, "cannot be written", errno);
            }
        }
        tempRegistration_.emplace(temp_);
        // Only a file is replaced; over anything else the rename fails and says why.
        replacing_ = replacing && S_ISREG(existing.st_mode);
        if (replacing_ && ::fchmod(fd_, existing.st_mode & 07777) != 0) {
            const int error = errno;
            fileSystem_.close(fd_);
            fileSystem_.unlink(temp_);
            fail(target_, "cannot be written", error);
        }
    }
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    ~Output() override { discard(); }

    // Closes and removes the temporary file, unless it has become the target.
    void discard() {
        if (fd_ >= 0) fileSystem_.close(fd_);
        fd_ = -1;
        if (!renamed_ && !discarded_) fileSystem_.unlink(temp_);
        discarded_ = true;
        tempRegistration_.reset();
    }

    ByteSink& sink() { return buffer_; }

  protected:
    // From the buffer: straight into the temporary file.
    void overflow(std::string_view bytes) override {
        if (copyTo_ != nullptr) copyTo_->write(bytes);
        while (!bytes.empty()) {
            const ssize_t n = fileSystem_.write(fd_, bytes.data(), bytes.size());
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) fail(target_, "cannot be written", n < 0 ? errno : EIO);
            bytes.remove_prefix(static_cast<std::size_t>(n));
        }
    }

  public:
    void complete() {
        buffer_.flush();
        if (fileSystem_.fsync(fd_) != 0) fail(target_, "cannot be written", errno);
        const int fd = fd_;
        fd_ = -1;
        if (fileSystem_.close(fd) != 0) fail(target_, "cannot be written", errno);
    }

    // Keeps the old contents under a side name: a second link when the file
    // system has links (the target never disappears), else a rename.
    void setOldAside() {
        if (!replacing_) return;
        for (int attempt = 0; !aside_; ++attempt) {
            const std::string name = sideName(target_, ".old-");
            if (fileSystem_.link(target_, name) == 0) {
                aside_ = name;
            } else if (errno != EEXIST && fileSystem_.rename(target_, name) == 0) {
                aside_ = name;
                asideByRename_ = true;
            } else if (errno != EEXIST || attempt == kNameAttempts) {
                fail(target_, "cannot be replaced", errno);
            }
        }
        asideRegistration_.emplace(*aside_);
    }

    void replace() {
        if (fileSystem_.rename(temp_, target_) != 0) fail(target_, "cannot be replaced", errno);
        renamed_ = true;
        tempRegistration_.reset();
    }

    // Undoes replace() and setOldAside(), as far as they went. Best effort: a
    // failure here has nothing left to fall back on.
    void putBack() {
        if (aside_ && (renamed_ || asideByRename_)) {
            fileSystem_.rename(*aside_, target_);
        } else if (aside_) {
            fileSystem_.unlink(*aside_);
        } else if (renamed_) {
            fileSystem_.unlink(target_);
        }
        renamed_ = false;  // nothing of ours is left at the temporary name
        aside_.reset();
        asideRegistration_.reset();
    }

    // After the commit: the old contents go. Returns false when they stay.
    bool dropOldContents() {
        if (!aside_) return true;
        const bool removed = fileSystem_.unlink(*aside_) == 0;
        asideRegistration_.reset();
        return removed;
    }
    const std::string& asideName() const { return *aside_; }

  private:
    FileSystem& fileSystem_;
    std::string target_;
    ByteSink* copyTo_;
    std::string temp_;
    int fd_ = -1;
    bool replacing_ = false;
    bool renamed_ = false;
    bool discarded_ = false;
    std::optional<std::string> aside_;
    bool asideByRename_ = false;
    std::optional<RegisteredTempFile> tempRegistration_;
    std::optional<RegisteredTempFile> asideRegistration_;
    BufferedSink buffer_;
};

OutputFiles::OutputFiles(FileSystem& fileSystem) : fileSystem_(fileSystem) {}

OutputFiles::~OutputFiles() = default;

ByteSink& OutputFiles::add(const std::string& targetPath, ByteSink* copyTo) {
    outputs_.push_back(std::make_unique<Output>(fileSystem_, targetPath, copyTo));
    return outputs_.back()->sink();
}

void OutputFiles::commit() {
    try {
        forEachAtOnce([this](std::size_t i) { outputs_[i]->complete(); });
        renameAll();
    } catch (...) {
        for (const auto& output : outputs_) output->discard();
        throw;
    }
    std::vector<char> dropped(outputs_.size());
    forEachAtOnce([&](std::size_t i) { dropped[i] = outputs_[i]->dropOldContents(); });
    for (std::size_t i = 0; i < outputs_.size(); ++i) {
        if (!dropped[i]) leftovers_.push_back(outputs_[i]->asideName());
    }
}

void OutputFiles::forEachAtOnce(const std::function<void(std::size_t)>& step) {
    std::vector<std::future<void>> others;
    for (std::size_t i = 1; i < outputs_.size(); ++i) {
        others.push_back(std::async(std::launch::async, step, i));
    }
    std::exception_ptr failure;
    try {
        if (!outputs_.empty()) step(0);
    } catch (...) {
        failure = std::current_exception();
    }
    for (auto& other : others) {
        try {
            other.get();
        } catch (...) {
            if (!failure) failure = std::current_exception();
        }
    }
    if (failure) std::rethrow_exception(failure);
}

void OutputFiles::renameAll() {
    const SignalsHeldBack held;
    std::size_t done = 0;
    try {
        for (; done < outputs_.size(); ++done) {
            outputs_[done]->setOldAside();
            outputs_[done]->replace();
        }
    } catch (...) {
        // The one that failed may have set its old contents aside already.
        putBack(std::min(done + 1, outputs_.size()));
        throw;
    }
}

void OutputFiles::putBack(std::size_t count) {
    for (std::size_t i = count; i-- > 0;) outputs_[i]->putBack();
}

}  // namespace zendro
