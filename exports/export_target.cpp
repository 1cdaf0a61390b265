#include "exports/export_target.h"

#include "common/job_paths.h"
#include "common/output_files.h"
#include "exports/export_bytes.h"

namespace zendro::exports {
std::string ExportTarget::pathFor(std::string_view jobName) const {
    return pathForJob(pathPattern, jobName);
}

bool ExportTarget::namesTheJob() const { return zendro::namesTheJob(pathPattern); }

std::optional<ExportTarget> exportTargetFromText(std::string_view text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon + 1 == text.size()) return std::nullopt;
    const std::optional<ExportFormat> format = formatNamed(text.substr(0, colon));
    if (!format) return std::nullopt;
    return ExportTarget{*format, std::string(text.substr(colon + 1))};
}

void writeExports(const ExportJob& job, const std::vector<ExportTarget>& targets,
                  const CsvLayout& csv) {
    // Every file's bytes are made before the first is written: a refused
    // export leaves no file behind.
    std::vector<std::string> contents;
    contents.reserve(targets.size());
    for (const ExportTarget& target : targets)
        contents.push_back(exportBytes(target.format, job, csv, target.pathFor(job.jobName)));
    OutputFiles files;
    for (std::size_t i = 0; i < targets.size(); ++i)
        files.add(targets[i].pathFor(job.jobName)).write(contents[i]);
    files.commit();
}

}  // namespace zendro::exports
