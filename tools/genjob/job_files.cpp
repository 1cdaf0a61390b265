#include "tools/genjob/job_files.h"

#include <fstream>
#include <stdexcept>
#include <string_view>

namespace zendro::genjob {

namespace {

std::filesystem::path withExtension(const std::filesystem::path& basePath, std::string_view ext) {
    std::filesystem::path path = basePath;
    path += ext;  // the base may hold dots of its own, so never replace an extension
    return path;
}

void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw std::runtime_error(path.string() + ": cannot write the file");
}

}  // namespace

std::string observationFileBytes(const JobPlan& plan) {
    std::string bytes;
    bytes.reserve(plan.observations.size() * kObservationRecordSize);
    for (const Observation& observation : plan.observations) appendObservation(bytes, observation);
    return bytes;
}

std::string descriptionFileBytes(const JobPlan& plan) {
    std::string bytes = descriptionPrologue(plan.jobName);
    for (const PlannedPoint& point : plan.points) {
        appendDescription(bytes, point.number, point.description);
    }
    return bytes;
}

std::string notesFileBytes(const JobPlan& plan) {
    std::string bytes = notesPrologue(plan.jobName);
    for (const std::string& note : plan.notes) appendNote(bytes, note);
    return bytes;
}

WrittenJob writeJob(const JobPlan& plan, const std::filesystem::path& basePath) {
    WrittenJob job{withExtension(basePath, ".HVD"), withExtension(basePath, ".CTX"),
                   withExtension(basePath, ".RTX")};
    writeBytes(job.hvd, observationFileBytes(plan));
    writeBytes(job.ctx, descriptionFileBytes(plan));
    writeBytes(job.rtx, notesFileBytes(plan));
    return job;
}

}  // namespace zendro::genjob
