// Generated jobs converted with every combination of the options, each output
// reduced to a checksum and compared with the table committed beside the golden
// files. The table was made by the converter as it was before the core was
// reworked, so any change of output bytes shows up here as a changed line.

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/run_observer.h"
#include "conversion/job_conversion.h"
#include "tests/support/temp_dir.h"
#include "tools/genjob/job_files.h"
#include "tools/genjob/job_plan.h"

namespace zendro {
namespace {

std::string checksum(const std::string& bytes) {
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a, 64 bits
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    std::ostringstream text;
    text << std::hex << hash;
    return text.str();
}

struct JobCase {
    std::size_t points;
    std::size_t recordsPerPoint;
    std::uint32_t seed;
};

// Small jobs, a re-observed one and the bundled sample's shape.
const JobCase kJobs[] = {{3, 0, 1}, {48, 0, 28}, {120, 4, 7}, {260, 0, 99}};

std::vector<ConversionOptions> everyOptionCombination() {
    std::vector<ConversionOptions> all;
    for (int bits = 0; bits < 64; ++bits) {
        ConversionOptions options;
        options.obsOnly = (bits & 1) == 0;
        options.metric = (bits & 2) != 0;
        options.pointPrefix = (bits & 4) != 0 ? "PT" : "S";
        options.curveCode = (bits & 8) != 0 ? "" : "*";
        options.commentCode = (bits & 16) != 0 ? "/" : ",";
        options.runSuffix = (bits & 32) != 0 ? "-7" : "-99";
        all.push_back(options);
    }
    return all;
}

std::string describe(const ConversionOptions& o) {
    return std::string(o.obsOnly ? "obs" : "trv") + (o.metric ? " metric" : " feet") +
           " prefix=" + o.pointPrefix + " curve=" + o.curveCode + " comment=" + o.commentCode +
           " suffix=" + o.runSuffix;
}

TEST(OptionMatrix, EveryJobAndOptionCombinationGivesTheRecordedBytes) {
    const HeaderClock clock = fixedHeaderClock({2026, 12, 7, 9, 15, 0});
    std::string table;
    for (const JobCase& jobCase : kJobs) {
        genjob::JobShape shape;
        shape.jobName = "MX-" + std::to_string(jobCase.seed);
        shape.points = jobCase.points;
        shape.recordsPerPoint = jobCase.recordsPerPoint;
        shape.seed = jobCase.seed;
        const genjob::JobPlan plan = genjob::planJob(shape);
        const std::string hvd = genjob::observationFileBytes(plan);
        const std::string ctx = genjob::descriptionFileBytes(plan);
        const std::string rtx = genjob::notesFileBytes(plan);
        const JobPaths job = deriveJobPaths(shape.jobName + ".HVD");
        for (const ConversionOptions& options : everyOptionCombination()) {
            std::string obs;
            std::string trv;
            StringSink obsSink(obs);
            StringSink trvSink(trv);
            NullObserver observer;
            // A first conversion: the point-feature file is made from the CTX file.
            const JobConversion result = convertJob(job, {hvd, rtx, std::nullopt, ctx}, options,
                                                    {obsSink, &trvSink}, observer, clock);
            table += shape.jobName + " points=" + std::to_string(jobCase.points) +
                     " rpp=" + std::to_string(jobCase.recordsPerPoint) + " | " + describe(options) +
                     " | obs=" + checksum(obs) +
                     " trv=" + (options.obsOnly ? std::string("-") : checksum(trv)) +
                     " pf=" + checksum(result.newPointFeatureFile.value_or("")) + "\n";
        }
    }
    const std::string expected = testing::readFile(ZENDRO_GOLDEN_DIR "/option_matrix.txt");
    if (table != expected) {
        std::ofstream(ZENDRO_ACTUAL_MATRIX, std::ios::binary) << table;
        FAIL() << "outputs differ from tests/golden/option_matrix.txt; this run's table is in "
               << ZENDRO_ACTUAL_MATRIX;
    }
}

}  // namespace
}  // namespace zendro
