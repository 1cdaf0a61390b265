#pragma once

#include <string>
#include <string_view>

namespace zendro {

inline constexpr char kPathSeparator = '/';

// Every name of one job, derived from the path of any of its field files.
// Extensions have fixed spellings: ".HVD", ".CTX", ".RTX", ".TRV", ".obs", ".pf".
struct JobPaths {
    std::string basePath;    // chosen path without its extension
    std::string folderPath;  // up to and including the last separator; may be empty
    std::string jobName;     // file name without folder and extension
    std::string hvdPath;
    std::string ctxPath;
    std::string rtxPath;
    std::string trvPath;
    std::string obsPath;
    std::string pfPath;
    std::string runSuffix;  // "-" and the text after the last "-" of the file name, or "-99"
};

// A "." is the extension dot only after the last folder separator, and the run
// suffix comes from the file name alone, never from a folder name.
JobPaths deriveJobPaths(std::string_view chosenPath);

// The field file of `fixedPath` as it is on disk: whatever stands at the exact
// spelling, otherwise an entry in the same folder whose name differs only in
// the case of its extension, a regular file before anything else. Empty when
// there is none.
std::string findFieldFile(const std::string& fixedPath);

// A file name that names the job's files where it holds "{job}": the job's
// name stands for each "{job}" in `pattern`.
inline constexpr std::string_view kJobField = "{job}";
std::string pathForJob(std::string_view pattern, std::string_view jobName);
inline bool namesTheJob(std::string_view pattern) {
    return pattern.find(kJobField) != std::string_view::npos;
}

}  // namespace zendro
