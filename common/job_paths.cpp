#include "common/job_paths.h"

#include <filesystem>
#include <system_error>

#include "common/conversion_options.h"
#include "common/text_forms.h"

namespace zendro {
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
    // Whatever stands at the path is taken, so that reading it says what is
    // wrong with a folder or a FIFO instead of calling the file missing.
    std::error_code error;
    if (std::filesystem::exists(fixedPath, error)) return fixedPath;

    const auto separator = fixedPath.rfind(kPathSeparator);
    const std::size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
    const auto dot = fixedPath.rfind('.');
    if (dot == std::string::npos || dot < nameStart) return {};
    const std::string folder = fixedPath.substr(0, nameStart);
    const std::string stem = fixedPath.substr(nameStart, dot - nameStart);
    const std::string extension = fixedPath.substr(dot);

    std::filesystem::directory_iterator entries(folder.empty() ? "." : folder, error);
    if (error) return {};
    // Several spellings: a regular file before anything else, then the first
    // in name order, so the choice is stable.
    std::string found;
    bool foundRegular = false;
    for (const auto& entry : entries) {
        const std::string name = entry.path().filename().string();
        if (name.size() != stem.size() + extension.size()) continue;
        if (name.compare(0, stem.size(), stem) != 0) continue;
        if (!equalIgnoringCase(std::string_view(name).substr(stem.size()), extension)) continue;
        const bool regular = entry.is_regular_file(error);
        if (found.empty() || (regular && !foundRegular) ||
            (regular == foundRegular && name < found)) {
            found = name;
            foundRegular = regular;
        }
    }
    return found.empty() ? std::string() : folder + found;
}

std::string pathForJob(std::string_view pattern, std::string_view jobName) {
    std::string path;
    std::size_t at = 0;
    for (std::size_t found; (found = pattern.find(kJobField, at)) != std::string_view::npos;
         at = found + kJobField.size()) {
        path.append(pattern.substr(at, found - at)).append(jobName);
    }
    return path.append(pattern.substr(at));
}

}  // namespace zendro
