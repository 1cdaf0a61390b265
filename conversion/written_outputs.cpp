#include "conversion/written_outputs.h"

#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <sstream>

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

std::uint64_t contentHash(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    return hash;
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
        const std::string bytes = readFileBytes(path);
        if (bytes.size() == written->size && contentHash(bytes) == written->hash) continue;
        edited.push_back({path, datedSideName(path, "edited", now)});
    }
    return edited;
}

void recordWrittenOutputs(const JobPaths& job, const std::vector<std::string>& paths) {
    std::vector<WrittenFile> record = readRecord(job);
    for (const std::string& path : paths) {
        const std::string bytes = readFileBytes(path);
        WrittenFile now{fileNameOf(path), bytes.size(), contentHash(bytes)};
        std::erase_if(record, [&](const WrittenFile& file) { return file.name == now.name; });
        record.push_back(std::move(now));
    }
    writeFileAtomically(writtenStatePath(job), writtenStateText(record));
}

std::string editedOutputWarning(const EditedOutput& edited) {
    return edited.path +
           ": differs from what this program last wrote (edited by hand?); the edited file is "
           "kept as " + edited.keepAs;
}

}  // namespace zendro
