// zendro-genjob: writes a made-up survey job (BASE.HVD, BASE.CTX, BASE.RTX) to
// try the converter on: small ones to read, large ones to time, and ones with
// known true positions and planted blunders to try the review and adjustment.

#include <CLI/CLI.hpp>
#include <exception>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "common/version.h"
#include "tools/genjob/blunders.h"
#include "tools/genjob/corridor_plan.h"
#include "tools/genjob/job_files.h"
#include "tools/genjob/job_plan.h"
#include "tools/genjob/truth_file.h"

namespace {

// Defaults of a 5" total station: 0.01 ft + 3 ppm, or 3 mm + 3 ppm.
constexpr double kDistanceSigmaFeet = 0.01;
constexpr double kDistanceSigmaMeters = 0.003;

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Writes a made-up highway survey job: BASE.HVD, BASE.CTX and BASE.RTX.",
                 "zendro-genjob"};
    std::string base;
    zendro::genjob::CorridorShape corridor;
    zendro::genjob::JobShape& shape = corridor.job;
    zendro::genjob::BlunderRequest blunders;
    std::optional<double> distanceSigma;
    std::string truthPath;
    std::string layout = "corridor";
    bool quiet = false;
    app.set_version_flag("--version", std::string("zendro-genjob ") + zendro::kVersion);
    app.add_option("--out", base, "Path of the job without extension, e.g. jobs/HWY12-3")
        ->required();
    app.add_option("--layout", layout,
                   "corridor: a traverse along a road with the readings computed from true "
                   "positions; classic: the earlier random job the benchmarks use")
        ->check(CLI::IsMember({"corridor", "classic"}))
        ->capture_default_str();
    app.add_option("--points", shape.points, "Points keyed in the field (description records)")
        ->capture_default_str()
        ->check(CLI::Range(zendro::genjob::kMinPoints, zendro::genjob::kMaxFeatureEntries));
    app.add_option("--records-per-point", shape.recordsPerPoint,
                   "Classic layout: re-observe the job until it has points x this many "
                   "observation records (0: observe every point once)")
        ->capture_default_str();
    app.add_option("--seed", shape.seed, "Seed; the same seed gives the same job")
        ->capture_default_str();
    auto* metric = app.add_flag("--metric", corridor.metric, "Corridor in meters, not feet");
    auto* angle = app.add_option("--angle-sd", corridor.instrument.angleSeconds,
                                 "Standard deviation of a horizontal reading, seconds")
                      ->type_name("SECONDS")
                      ->capture_default_str()
                      ->check(CLI::NonNegativeNumber);
    auto* zenith = app.add_option("--zenith-sd", corridor.instrument.zenithSeconds,
                                  "Standard deviation of a zenith reading, seconds")
                       ->type_name("SECONDS")
                       ->capture_default_str()
                       ->check(CLI::NonNegativeNumber);
    auto* distance = app.add_option("--distance-sd", distanceSigma,
                                    "Constant part of a distance's standard deviation, job "
                                    "units (default 0.01 ft, or 0.003 m with --metric)")
                         ->type_name("LENGTH")
                         ->check(CLI::NonNegativeNumber);
    auto* ppm = app.add_option("--distance-ppm", corridor.instrument.distancePpm,
                               "Part per million of a distance's standard deviation")
                    ->type_name("PPM")
                    ->capture_default_str()
                    ->check(CLI::NonNegativeNumber);
    auto* truth = app.add_option("--truth", truthPath,
                                 "Also write the true positions to FILE, lines number,N,E,Z")
                     ->type_name("FILE");
    app.add_option("--blunder-angle", blunders.angleSeconds,
                   "Add SECONDS to one record's horizontal angle")
        ->type_name("SECONDS");
    app.add_option("--blunder-distance", blunders.distance,
                   "Add LENGTH to one record's slope distance")
        ->type_name("LENGTH");
    app.add_option("--blunder-height", blunders.height,
                   "Add LENGTH to one record's instrument or target height")
        ->type_name("LENGTH");
    app.add_option("--blunder-record", blunders.record,
                   "The HVD record (counted from 0) the blunders go to; else one drawn by the "
                   "seed for each")
        ->type_name("N");
    app.add_flag("--quiet", quiet, "Print nothing on success but the blunders");

    try {
        app.parse(argc, argv);
        if (layout == "classic") {
            for (const CLI::Option* option : {metric, angle, zenith, distance, ppm, truth}) {
                if (option->count() > 0) {
                    throw CLI::ValidationError(option->get_name(),
                                               "only the corridor layout takes it");
                }
            }
        } else if (shape.recordsPerPoint != 0) {
            throw CLI::ValidationError("--records-per-point", "only the classic layout takes it");
        }
        if (blunders.record && !blunders.any()) {
            throw CLI::ValidationError("--blunder-record",
                                       "needs --blunder-angle, --blunder-distance or "
                                       "--blunder-height");
        }
    } catch (const CLI::ParseError& error) {
        const int status = app.exit(error);
        return status == 0 ? 0 : 2;
    }

    try {
        const std::filesystem::path basePath(base);
        shape.jobName = basePath.filename().string();
        if (shape.jobName.empty()) throw std::runtime_error(base + ": no job name in the path");
        corridor.instrument.distanceConstant =
            distanceSigma.value_or(corridor.metric ? kDistanceSigmaMeters : kDistanceSigmaFeet);
        zendro::genjob::JobPlan plan = layout == "classic"
                                           ? zendro::genjob::planJob(shape)
                                           : zendro::genjob::planCorridor(corridor);
        blunders.seed = shape.seed;
        for (const zendro::genjob::PlantedBlunder& planted :
             zendro::genjob::plantBlunders(plan, blunders)) {
            std::cerr << planted.text << '\n';
        }
        const zendro::genjob::WrittenJob written = zendro::genjob::writeJob(plan, basePath);
        if (!truthPath.empty()) zendro::genjob::writeTruthFile(plan.truth, truthPath);
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
            if (!truthPath.empty()) {
                std::cout << truthPath << ": " << plan.truth.size() << " true positions\n";
            }
        }
    } catch (const std::exception& error) {
        std::cerr << "zendro-genjob: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
