// zendro-genjob: writes a made-up survey job (BASE.HVD, BASE.CTX, BASE.RTX) to
// try the converter on: small ones to read, large ones to time.

#include <CLI/CLI.hpp>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>

#include "common/version.h"
#include "tools/genjob/job_files.h"
#include "tools/genjob/job_plan.h"

int main(int argc, char** argv) {
    CLI::App app{"Writes a made-up highway survey job: BASE.HVD, BASE.CTX and BASE.RTX.",
                 "zendro-genjob"};
    std::string base;
    zendro::genjob::JobShape shape;
    bool quiet = false;
    app.set_version_flag("--version", std::string("zendro-genjob ") + zendro::kVersion);
    app.add_option("--out", base, "Path of the job without extension, e.g. jobs/HWY12-3")
        ->required();
    app.add_option("--points", shape.points, "Points keyed in the field (description records)")
        ->capture_default_str()
        ->check(CLI::Range(zendro::genjob::kMinPoints, zendro::genjob::kMaxFeatureEntries));
    app.add_option("--records-per-point", shape.recordsPerPoint,
                   "Re-observe the job until it has points x this many observation records "
                   "(0: observe every point once)")
        ->capture_default_str();
    app.add_option("--seed", shape.seed, "Seed; the same seed gives the same job")
        ->capture_default_str();
    app.add_flag("--quiet", quiet, "Print nothing on success");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int status = app.exit(error);
        return status == 0 ? 0 : 2;
    }

    try {
        const std::filesystem::path basePath(base);
        shape.jobName = basePath.filename().string();
        if (shape.jobName.empty()) throw std::runtime_error(base + ": no job name in the path");
        const zendro::genjob::JobPlan plan = zendro::genjob::planJob(shape);
        const zendro::genjob::WrittenJob written = zendro::genjob::writeJob(plan, basePath);
        if (!quiet) {
            const zendro::genjob::JobCounts c = plan.counts();
            std::cout << written.hvd.string() << ": " << plan.observations.size() << " records\n"
                      << written.ctx.string() << ": " << plan.points.size() << " points, "
                      << c.featureEntries << " feature entries (" << c.twoFeature
                      << " two-feature, " << c.taped << " taped, " << c.curvePoints << " curve, "
                      << c.withComment << " with comment, " << c.chainStarts << " chain starts, "
                      << c.chainEnds << " chain ends)\n"
                      << written.rtx.string() << ": " << plan.notes.size() << " notes in "
                      << c.noteRecords << " records, " << c.noteMarkers << " note markers\n";
        }
    } catch (const std::exception& error) {
        std::cerr << "zendro-genjob: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
