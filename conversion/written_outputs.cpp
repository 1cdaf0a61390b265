#include "conversion/written_outputs.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>
#include <optional>
#include <sstream>

#include <xxhash.h>

#include "common/errors.h"
#include "common/file_io.h"
#include "conversion/dated_name.h"

namespace zendro {

std::string writtenStatePath(const JobPaths& job) { return job.basePath + ".zendro-written"; }

namespace {

std::string fileNameOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

const WrittenFile* recordOf(const std::vector<WrittenFile>& record, const std::string& name) {
    for (const WrittenFile& file : record) {
        if (file.name == name) return &file;
    }
    return nullptr;
}

// The record's lines and its own modification time: an output modified then
// or later may have changed after its stat data were taken, in the same tick
// of the file system's clock, so only an older one is trusted by them.
struct Record {
    std::vector<WrittenFile> files;
    std::int64_t timeNs = 0;
};

Record readRecord(const JobPaths& job) {
    const std::string path = writtenStatePath(job);
    const std::optional<FileStamp> stamp = fileStamp(path);
    if (!stamp) return {};
    return {parseWrittenState(readFileBytes(path)), stamp->modifiedNs};
}

bool statDataKnown(const FileStamp& stamp) { return stamp.inode != 0; }

// Only the size is kept of stat data that can no longer be trusted.
void forgetStatData(FileStamp& stamp) { stamp = FileStamp{stamp.size, 0, 0, 0}; }

constexpr std::size_t kReadPiece = 1 << 20;

// FNV-1a over 8-byte words, as records before XXH3 hold it; the bytes after
// the last whole word a byte at a time.
class Fnv1aHasher {
  public:
    void add(std::string_view bytes) {
        if (carriedCount_ > 0) {
            const std::size_t taken = std::min(bytes.size(), sizeof carried_ - carriedCount_);
            std::memcpy(carried_ + carriedCount_, bytes.data(), taken);
            carriedCount_ += taken;
            bytes.remove_prefix(taken);
            if (carriedCount_ < sizeof carried_) return;
            foldWords(std::string_view(carried_, sizeof carried_));
            carriedCount_ = 0;
        }
        const std::string_view rest = foldWords(bytes);
        std::memcpy(carried_, rest.data(), rest.size());
        carriedCount_ = rest.size();
    }
    std::uint64_t hash() const {
        std::uint64_t hash = hash_;
        for (std::size_t i = 0; i < carriedCount_; ++i) {
            hash = (hash ^ static_cast<unsigned char>(carried_[i])) * kPrime;
        }
        return hash;
    }

  private:
    static constexpr std::uint64_t kPrime = 1099511628211ULL;
    std::string_view foldWords(std::string_view bytes) {
        std::size_t at = 0;
        for (; at + 8 <= bytes.size(); at += 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, bytes.data() + at, 8);
            hash_ = (hash_ ^ word) * kPrime;
        }
        return bytes.substr(at);
    }

    std::uint64_t hash_ = 14695981039346656037ULL;  // the offset basis
    char carried_[8] = {};
    std::size_t carriedCount_ = 0;
};

// The hash of a file as `kind` makes it, read in pieces so a large output is
// never held whole.
template <typename Hasher>
std::uint64_t hashOfFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw ZendroError(path, "cannot be read to tell whether it was edited");
    std::string piece(kReadPiece, '\0');
    Hasher hasher;
    while (in) {
        in.read(piece.data(), static_cast<std::streamsize>(piece.size()));
        hasher.add(std::string_view(piece.data(), static_cast<std::size_t>(in.gcount())));
    }
    if (in.bad()) throw ZendroError(path, "cannot be read to tell whether it was edited");
    return hasher.hash();
}

std::uint64_t hashOfFile(const std::string& path, HashKind kind) {
    return kind == HashKind::Xxh3 ? hashOfFile<ContentHasher>(path)
                                  : hashOfFile<Fnv1aHasher>(path);
}

bool differsFromRecord(const std::string& path, const WrittenFile& written,
                       std::int64_t recordTimeNs) {
    const std::optional<FileStamp> now = fileStamp(path);
    if (!now) return false;  // gone: nothing to keep
    // A size that differs needs no hash to tell.
    if (now->size != written.stamp.size) return true;
    if (statDataKnown(written.stamp) && *now == written.stamp && now->modifiedNs < recordTimeNs) {
        return false;
    }
    return hashOfFile(path, written.hashKind) != written.hash;
}

}  // namespace

struct ContentHasher::State {
    State() : xxh(XXH3_createState()) {
        if (xxh == nullptr) throw std::bad_alloc();
        XXH3_64bits_reset(xxh);
    }
    ~State() { XXH3_freeState(xxh); }
    State(const State&) = delete;
    State& operator=(const State&) = delete;
    XXH3_state_t* xxh;
};

ContentHasher::ContentHasher() : state_(std::make_unique<State>()) {}

ContentHasher::~ContentHasher() = default;

void ContentHasher::add(std::string_view bytes) {
    size_ += bytes.size();
    XXH3_64bits_update(state_->xxh, bytes.data(), bytes.size());
}

std::uint64_t ContentHasher::hash() const { return XXH3_64bits_digest(state_->xxh); }

std::vector<WrittenFile> parseWrittenState(std::string_view text) {
    std::vector<WrittenFile> files;
    std::istringstream lines{std::string(text)};
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        WrittenFile file;
        char hash[17] = {};
        int nameStart = 0;
        FileStamp& stamp = file.stamp;
        if (std::sscanf(line.c_str(),
                        "%" SCNu64 " xxh3:%16[0-9a-f] %" SCNd64 " %" SCNd64 " %" SCNu64 " %n",
                        &stamp.size, hash, &stamp.modifiedNs, &stamp.changedNs, &stamp.inode,
                        &nameStart) == 5) {
            file.hashKind = HashKind::Xxh3;
        } else if (std::sscanf(line.c_str(), "%" SCNu64 " %16[0-9a-f] %n", &stamp.size, hash,
                               &nameStart) == 2) {
            file.hashKind = HashKind::Fnv1a;
            forgetStatData(stamp);
        } else {
            continue;
        }
        if (nameStart == 0 || static_cast<std::size_t>(nameStart) >= line.size()) continue;
        file.hash = std::strtoull(hash, nullptr, 16);
        file.name = line.substr(static_cast<std::size_t>(nameStart));
        files.push_back(std::move(file));
    }
    return files;
}

std::string writtenStateText(const std::vector<WrittenFile>& files) {
    std::string text;
    for (const WrittenFile& file : files) {
        char hash[17];
        std::snprintf(hash, sizeof hash, "%016" PRIx64, file.hash);
        text += std::to_string(file.stamp.size) + " ";
        if (file.hashKind == HashKind::Xxh3) {
            text += std::string("xxh3:") + hash + " " + std::to_string(file.stamp.modifiedNs) +
                    " " + std::to_string(file.stamp.changedNs) + " " +
                    std::to_string(file.stamp.inode) + " ";
        } else {
            text += std::string(hash) + " ";
        }
        text += file.name + "\r\n";
    }
    return text;
}

std::vector<EditedOutput> findEditedOutputs(const JobPaths& job,
                                            const std::vector<std::string>& paths,
                                            std::time_t now) {
    const Record record = readRecord(job);
    std::vector<EditedOutput> edited;
    for (const std::string& path : paths) {
        const WrittenFile* written = recordOf(record.files, fileNameOf(path));
        if (written == nullptr || !differsFromRecord(path, *written, record.timeNs)) continue;
        edited.push_back({path, datedSideName(path, "edited", now)});
    }
    return edited;
}

void recordWrittenOutputs(const JobPaths& job, const std::vector<WrittenFile>& written) {
    Record record = readRecord(job);
    // A line kept from the previous record whose file was modified in that
    // record's tick could hide an edit once the record is newer: it is hashed
    // next time, as if older than stat data.
    for (WrittenFile& file : record.files) {
        if (file.stamp.modifiedNs >= record.timeNs) forgetStatData(file.stamp);
    }
    for (const WrittenFile& now : written) {
        std::erase_if(record.files, [&](const WrittenFile& file) { return file.name == now.name; });
        WrittenFile line = now;
        // Stat data of other bytes than those hashed would vouch for them.
        const std::optional<FileStamp> stamp = fileStamp(job.folderPath + now.name);
        if (stamp && stamp->size == now.stamp.size) {
            line.stamp = *stamp;
        } else {
            forgetStatData(line.stamp);
        }
        record.files.push_back(std::move(line));
    }
    writeFileAtomically(writtenStatePath(job), writtenStateText(record.files));
}

std::string editedOutputWarning(const EditedOutput& edited) {
    return edited.path +
           ": differs from what this program last wrote (edited by hand?); the edited file is "
           "kept as " + edited.keepAs;
}

}  // namespace zendro
