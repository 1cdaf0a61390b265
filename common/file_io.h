#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zendro {

// Whole files as bytes: one byte per character, no re-encoding.

bool fileExists(const std::string& path);

// What stat tells of a file without reading it: equal stamps with the file's
// time older than the moment they were taken mean the same bytes (the way a
// version-control index trusts its stat data).
struct FileStamp {
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;  // since the epoch
    std::int64_t changedNs = 0;   // inode change: any write, rename or chmod moves it
    std::uint64_t inode = 0;      // never 0 for a file, so 0 stands for "not known"
    bool operator==(const FileStamp&) const = default;
};

// The stamp of the regular file at `path`; none when there is none.
std::optional<FileStamp> fileStamp(const std::string& path);

// Throws ZendroError naming the file and the cause; a folder, a FIFO or a
// device "is not a regular file" and is never waited on.
std::string readFileBytes(const std::string& path);

// Writes to a temporary file in the same folder, then renames it over `path`,
// so a failure never leaves a half-written file or destroys the previous one.
// Throws ZendroError naming the file and the cause.
void writeFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace zendro
