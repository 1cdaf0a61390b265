#include "common/job_paths.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "common/conversion_options.h"
#include "common/file_io.h"

namespace zendro {
namespace {

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

JobPaths deriveJobPaths(std::string_view chosenPath) {
    JobPaths job;
    const auto separator = chosenPath.rfind(kPathSeparator);
    const std::size_t nameStart = separator == std::string_view::npos ? 0 : separator + 1;
    const auto dot = chosenPath.rfind('.');
    const bool hasExtension = dot != std::string_view::npos && dot >= nameStart;

    job.basePath = std::string(hasExtension ? chosenPath.substr(0, dot) : chosenPath);
    job.folderPath = std::string(chosenPath.substr(0, nameStart));
    job.jobName = job.basePath.substr(nameStart);

    const auto dash = job.jobName.rfind('-');
    job.runSuffix = dash == std::string::npos ? kDefaultRunSuffix : job.jobName.substr(dash);

    job.hvdPath = job.basePath + ".HVD";
    job.ctxPath = job.basePath + ".CTX";
    job.rtxPath = job.basePath + ".RTX";
    job.trvPath = job.basePath + ".TRV";
    job.obsPath = job.basePath + ".obs";
    job.pfPath = job.basePath + ".pf";
    return job;
}

std::string findFieldFile(const std::string& fixedPath) {
    if (fileExists(fixedPath)) return fixedPath;

    const auto separator = fixedPath.rfind(kPathSeparator);
    const std::size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
    const auto dot = fixedPath.rfind('.');
    if (dot == std::string::npos || dot < nameStart) return {};
    const std::string folder = fixedPath.substr(0, nameStart);
    const std::string stem = fixedPath.substr(nameStart, dot - nameStart);
    const std::string extension = fixedPath.substr(dot);

    std::error_code error;
    std::filesystem::directory_iterator entries(folder.empty() ? "." : folder, error);
    if (error) return {};
    std::string found;
    for (const auto& entry : entries) {
        const std::string name = entry.path().filename().string();
        if (name.size() != stem.size() + extension.size()) continue;
        if (name.compare(0, stem.size(), stem) != 0) continue;
        if (!equalIgnoringCase(std::string_view(name).substr(stem.size()), extension)) continue;
        if (!entry.is_regular_file(error)) continue;
        // Several spellings: take the first in name order, so the choice is stable.
        if (found.empty() || name < found) found = name;
    }
    return found.empty() ? std::string() : folder + found;
}

}  // namespace zendro
