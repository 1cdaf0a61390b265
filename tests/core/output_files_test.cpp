// Outputs committed together: a failure at any step of the commit, and a
// signal during the write, leave the previous outputs and no temporary file.

#include "common/output_files.h"

#include <gtest/gtest.h>
#include <atomic>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <map>
#include <mutex>
#include <vector>
#include <filesystem>
#include <set>
#include <string>

#include "common/errors.h"
#include "tests/support/temp_dir.h"

namespace zendro {
namespace {

using testing::readFile;
using testing::TempDir;
using testing::writeFile;

std::set<std::string> namesIn(const TempDir& dir) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

// Fails the `failAt`-th system call of a commit (counting from 1) with EIO.
class FailingFileSystem final : public FileSystem {
  public:
    explicit FailingFileSystem(int failAt) : failAt_(failAt) {}
    int open(const std::string& p, int f, mode_t m) override {
        return fails("open") ? -1 : FileSystem::open(p, f, m);
    }
    ssize_t write(int fd, const char* b, std::size_t n) override {
        return fails("write") ? -1 : FileSystem::write(fd, b, n);
    }
    int fsync(int fd) override { return fails("fsync") ? -1 : FileSystem::fsync(fd); }
    int close(int fd) override { return fails("close") ? -1 : FileSystem::close(fd); }
    int link(const std::string& a, const std::string& b) override {
        return fails("link") ? -1 : FileSystem::link(a, b);
    }
    int rename(const std::string& a, const std::string& b) override {
        if (fails("rename")) return -1;
        return FileSystem::rename(a, b);
    }
    int unlink(const std::string& p) override {
        return fails("unlink") ? -1 : FileSystem::unlink(p);
    }
    std::string failed;  // the call that failed, if one did
    int renames = 0;     // renames that succeeded before it

  private:
    bool fails(const char* call) {
        if (++calls_ != failAt_) {
            if (std::string(call) == "rename" && failed.empty()) ++renames;
            return false;
        }
        failed = call;
        errno = EIO;
        return true;
    }
    int failAt_;
    std::atomic<int> calls_ = 0;
};

// Old TRV and OBS files, no point-feature file yet; the run writes all three.
TEST(OutputFiles, AFailureAtAnyStepLeavesThePreviousOutputsAndNoTemporaryFile) {
    int failedRenames = 0;
    for (int failAt = 1;; ++failAt) {
        TempDir dir;
        writeFile(dir.file("JOB.TRV"), "old trv");
        writeFile(dir.file("JOB.obs"), "old obs");
        FailingFileSystem fileSystem(failAt);
        bool committed = false;
        try {
            OutputFiles files(fileSystem);
            files.add(dir.file("JOB.TRV")).write("new trv");
            files.add(dir.file("JOB.obs")).write("new obs");
            files.add(dir.file("JOB.pf")).write("new pf");
            files.commit();
            committed = true;
            EXPECT_TRUE(files.leftovers().empty() || fileSystem.failed == "unlink");
            for (const std::string& leftover : files.leftovers()) std::filesystem::remove(leftover);
        } catch (const ZendroError& error) {
            EXPECT_NE(std::string(error.what()).find("JOB."), std::string::npos) << error.what();
        }
        const std::string step = "call " + std::to_string(failAt) + " (" + fileSystem.failed + ")";
        if (committed) {
            EXPECT_EQ(readFile(dir.file("JOB.TRV")), "new trv") << step;
            EXPECT_EQ(readFile(dir.file("JOB.obs")), "new obs") << step;
            EXPECT_EQ(readFile(dir.file("JOB.pf")), "new pf") << step;
            EXPECT_EQ(namesIn(dir), (std::set<std::string>{"JOB.TRV", "JOB.obs", "JOB.pf"}))
                << step;
        } else {
            EXPECT_EQ(readFile(dir.file("JOB.TRV")), "old trv") << step;
            EXPECT_EQ(readFile(dir.file("JOB.obs")), "old obs") << step;
            EXPECT_EQ(namesIn(dir), (std::set<std::string>{"JOB.TRV", "JOB.obs"})) << step;
            if (fileSystem.failed == "rename" && fileSystem.renames >= 1) ++failedRenames;
        }
        if (fileSystem.failed.empty()) break;  // every call of the commit has now failed once
    }
    EXPECT_GE(failedRenames, 2);  // the second and the third rename
}

// Over a folder the rename fails for root too.
TEST(OutputFiles, ATargetThatIsAFolderFailsTheCommitAndRestoresTheOthers) {
    TempDir dir;
    writeFile(dir.file("JOB.TRV"), "old trv");
    std::filesystem::create_directories(dir.file("JOB.obs/inside"));
    OutputFiles files;
    files.add(dir.file("JOB.TRV")).write("new trv");
    files.add(dir.file("JOB.obs")).write("new obs");
    EXPECT_THROW(files.commit(), ZendroError);
    EXPECT_EQ(readFile(dir.file("JOB.TRV")), "old trv");
    EXPECT_EQ(namesIn(dir), (std::set<std::string>{"JOB.TRV", "JOB.obs"}));
}

TEST(OutputFiles, ANewFileGetsTheModeTouchGivesAReplacedOneKeepsItsOwn) {
    TempDir dir;
    writeFile(dir.file("KEPT"), "old");
    ASSERT_EQ(::chmod(dir.file("KEPT").c_str(), 0604), 0);
    const mode_t previousMask = ::umask(027);
    {
        OutputFiles files;
        files.add(dir.file("NEW")).write("x");
        files.add(dir.file("KEPT")).write("y");
        files.commit();
    }
    ::umask(previousMask);
    struct stat info {};
    ASSERT_EQ(::stat(dir.file("NEW").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    ASSERT_EQ(::stat(dir.file("KEPT").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0604u);
}

TEST(OutputFiles, ASignalDuringTheWriteRemovesTheTemporaryFiles) {
    TempDir dir;
    for (const int signal : {SIGTERM, SIGINT}) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            OutputFiles files;
            files.add(dir.file("JOB.obs")).write(std::string(200000, 'x'));  // past the buffer
            ::raise(signal);
            ::_exit(0);  // only when the signal did not end the process
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "signal " << signal;
        EXPECT_EQ(WTERMSIG(status), signal);
        EXPECT_TRUE(namesIn(dir).empty()) << "signal " << signal;
    }
}


// Records the calls in order, naming each file by its path; optionally without
// hard links (as on FAT), failing the `failRename`-th rename, or raising
// `signal` at the first rename.
class SpyFileSystem final : public FileSystem {
  public:
    int open(const std::string& p, int f, mode_t m) override {
        const int fd = FileSystem::open(p, f, m);
        const std::lock_guard lock(mutex_);
        if (fd >= 0) paths_[fd] = p;
        return fd;
    }
    int fsync(int fd) override {
        record("fsync " + pathOf(fd));
        return FileSystem::fsync(fd);
    }
    int link(const std::string& a, const std::string& b) override {
        if (withoutLinks) {
            errno = EPERM;
            return -1;
        }
        return FileSystem::link(a, b);
    }
    int rename(const std::string& a, const std::string& b) override {
        record("rename " + a);
        if (signal != 0 && renames_ == 0) ::raise(signal);
        if (++renames_ == failRename) {
            errno = EIO;
            return -1;
        }
        return FileSystem::rename(a, b);
    }
    std::vector<std::string> calls() {
        const std::lock_guard lock(mutex_);
        return calls_;
    }
    bool withoutLinks = false;
    int failRename = 0;
    int signal = 0;

  private:
    std::string pathOf(int fd) {
        const std::lock_guard lock(mutex_);
        return paths_[fd];
    }
    void record(std::string call) {
        const std::lock_guard lock(mutex_);
        calls_.push_back(std::move(call));
    }
    std::mutex mutex_;
    std::map<int, std::string> paths_;
    std::vector<std::string> calls_;
    int renames_ = 0;
};

TEST(OutputFiles, EveryTemporaryFileIsSyncedBeforeTheFirstRename) {
    TempDir dir;
    writeFile(dir.file("JOB.obs"), "old obs");
    SpyFileSystem spy;
    {
        OutputFiles files(spy);
        files.add(dir.file("JOB.TRV")).write("new trv");
        files.add(dir.file("JOB.obs")).write("new obs");
        files.add(dir.file("JOB.pf")).write("new pf");
        files.commit();
    }
    const std::vector<std::string> calls = spy.calls();
    const auto firstRename = std::find_if(calls.begin(), calls.end(), [](const std::string& c) {
        return c.starts_with("rename ");
    });
    std::set<std::string> syncedBefore;
    for (auto it = calls.begin(); it != firstRename; ++it) {
        if (it->starts_with("fsync ")) syncedBefore.insert(it->substr(6));
    }
    // Every file renamed into place was synced under its temporary name first.
    std::size_t renamedTemporaries = 0;
    for (const std::string& call : calls) {
        if (!call.starts_with("rename ") || call.find(".new-") == std::string::npos) continue;
        ++renamedTemporaries;
        EXPECT_EQ(syncedBefore.count(call.substr(7)), 1u) << call;
    }
    EXPECT_EQ(renamedTemporaries, 3u);
}

// Without hard links the old contents are set aside by a rename; whichever
// rename fails later, they are renamed back.
TEST(OutputFiles, WithoutHardLinksAFailedRenamePutsTheOldOutputsBack) {
    // Renames in order: TRV aside, TRV temporary, obs aside, obs temporary.
    for (int failRename = 1; failRename <= 4; ++failRename) {
        TempDir dir;
        writeFile(dir.file("JOB.TRV"), "old trv");
        writeFile(dir.file("JOB.obs"), "old obs");
        SpyFileSystem spy;
        spy.withoutLinks = true;
        spy.failRename = failRename;
        {
            OutputFiles files(spy);
            files.add(dir.file("JOB.TRV")).write("new trv");
            files.add(dir.file("JOB.obs")).write("new obs");
            EXPECT_THROW(files.commit(), ZendroError) << "rename " << failRename;
        }
        EXPECT_EQ(readFile(dir.file("JOB.TRV")), "old trv") << "rename " << failRename;
        EXPECT_EQ(readFile(dir.file("JOB.obs")), "old obs") << "rename " << failRename;
        EXPECT_EQ(namesIn(dir), (std::set<std::string>{"JOB.TRV", "JOB.obs"}))
            << "rename " << failRename;
    }
}

// A signal that arrives between the renames waits for the commit to finish;
// then it ends the process as it would have, and no side file is left.
TEST(OutputFiles, ASignalDuringTheCommitEndsTheProcessAfterIt) {
    for (const int signal : {SIGTERM, SIGINT}) {
        TempDir dir;
        writeFile(dir.file("JOB.TRV"), "old trv");
        writeFile(dir.file("JOB.obs"), "old obs");
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            SpyFileSystem spy;
            spy.signal = signal;
            OutputFiles files(spy);
            files.add(dir.file("JOB.TRV")).write("new trv");
            files.add(dir.file("JOB.obs")).write("new obs");
            files.add(dir.file("JOB.pf")).write("new pf");
            files.commit();
            ::_exit(0);  // only when the signal did not end the process
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "signal " << signal;
        EXPECT_EQ(WTERMSIG(status), signal);
        EXPECT_EQ(readFile(dir.file("JOB.TRV")), "new trv") << "signal " << signal;
        EXPECT_EQ(readFile(dir.file("JOB.obs")), "new obs") << "signal " << signal;
        EXPECT_EQ(readFile(dir.file("JOB.pf")), "new pf") << "signal " << signal;
        EXPECT_EQ(namesIn(dir), (std::set<std::string>{"JOB.TRV", "JOB.obs", "JOB.pf"}))
            << "signal " << signal;
    }
}

}  // namespace
}  // namespace zendro
