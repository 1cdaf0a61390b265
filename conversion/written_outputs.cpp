#include "conversion/written_outputs.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/errors.h"
#include "common/file_io.h"
#include "conversion/dated_name.h"

namespace zendro {
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

std::vector<WrittenFile> readRecord(const JobPaths& job) {
    const std::string path = writtenStatePath(job);
    if (!fileExists(path)) return {};
    return parseWrittenState(readFileBytes(path));
}

}  // namespace

std::string writtenStatePath(const JobPaths& job) { return job.basePath + ".zendro-written"; }

namespace {

constexpr std::uint64_t kHashPrime = 1099511628211ULL;
constexpr std::size_t kReadPiece = 1 << 20;

// FNV-1a over 8-byte words (a byte at a time would cost a tenth of a large
// run); returns the bytes after the last whole word.
std::string_view foldWords(std::uint64_t& hash, std::string_view bytes) {
    std::size_t at = 0;
    for (; at + 8 <= bytes.size(); at += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes.data() + at, 8);
        hash = (hash ^ word) * kHashPrime;
    }
    return bytes.substr(at);
}

// Size and hash of a file, read in pieces so a large output is never held whole.
WrittenFile digestOfFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw ZendroError(path, "cannot be read to tell whether it was edited");
    std::string piece(kReadPiece, '\0');
    ContentHasher hasher;
    while (in) {
        in.read(piece.data(), static_cast<std::streamsize>(piece.size()));
        hasher.add(std::string_view(piece.data(), static_cast<std::size_t>(in.gcount())));
    }
    return {fileNameOf(path), hasher.size(), hasher.hash()};
}

}  // namespace

void ContentHasher::add(std::string_view bytes) {
    size_ += bytes.size();
    if (carriedCount_ > 0) {
        const std::size_t taken = std::min(bytes.size(), sizeof carried_ - carriedCount_);
        std::memcpy(carried_ + carriedCount_, bytes.data(), taken);
        carriedCount_ += taken;
        bytes.remove_prefix(taken);
        if (carriedCount_ < sizeof carried_) return;
        foldWords(hash_, std::string_view(carried_, sizeof carried_));
        carriedCount_ = 0;
    }
    const std::string_view rest = foldWords(hash_, bytes);
    std::memcpy(carried_, rest.data(), rest.size());
    carriedCount_ = rest.size();
}

std::uint64_t ContentHasher::hash() const {
    std::uint64_t hash = hash_;
    for (std::size_t i = 0; i < carriedCount_; ++i) {
        hash = (hash ^ static_cast<unsigned char>(carried_[i])) * kHashPrime;
    }
    return hash;
}

std::uint64_t contentHash(std::string_view bytes) {
    ContentHasher hasher;
    hasher.add(bytes);
    return hasher.hash();
}

std::vector<WrittenFile> parseWrittenState(std::string_view text) {
    std::vector<WrittenFile> files;
    std::istringstream lines{std::string(text)};
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        WrittenFile file;
        char hash[17] = {};
        int nameStart = 0;
        if (std::sscanf(line.c_str(), "%" SCNu64 " %16[0-9a-f] %n", &file.size, hash,
                        &nameStart) != 2 ||
            nameStart == 0 || static_cast<std::size_t>(nameStart) >= line.size()) {
            continue;
        }
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
        text += std::to_string(file.size) + " " + hash + " " + file.name + "\r\n";
    }
    return text;
}

std::vector<EditedOutput> findEditedOutputs(const JobPaths& job,
                                            const std::vector<std::string>& paths,
                                            std::time_t now) {
    const std::vector<WrittenFile> record = readRecord(job);
    std::vector<EditedOutput> edited;
    for (const std::string& path : paths) {
        const WrittenFile* written = recordOf(record, fileNameOf(path));
        if (written == nullptr || !fileExists(path)) continue;
        // A size that differs needs no hash to tell.
        if (std::filesystem::file_size(path) == written->size &&
            digestOfFile(path).hash == written->hash) {
            continue;
        }
        edited.push_back({path, datedSideName(path, "edited", now)});
    }
    return edited;
}

void recordWrittenOutputs(const JobPaths& job, const std::vector<WrittenFile>& written) {
    std::vector<WrittenFile> record = readRecord(job);
    for (const WrittenFile& now : written) {
        std::erase_if(record, [&](const WrittenFile& file) { return file.name == now.name; });
        record.push_back(now);
    }
    writeFileAtomically(writtenStatePath(job), writtenStateText(record));
}

std::string editedOutputWarning(const EditedOutput& edited) {
    return edited.path +
           ": differs from what this program last wrote (edited by hand?); the edited file is "
           "kept as " + edited.keepAs;
}

}  // namespace zendro
