// A whole conversion run in a scratch folder. The input holds the job's three
// field files: two little-endian 16-bit lengths (CTX, RTX), the CTX bytes, the
// RTX bytes, and the rest is the HVD file. The outputs keep their properties
// (fuzz/output_properties.h) and "OBS Only" leaves the OBS file as it was.

#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "common/errors.h"
#include "common/job_paths.h"
#include "common/run_observer.h"
#include "conversion/conversion_run.h"
#include "conversion/header_clock.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/output_properties.h"
#include "tests/support/temp_dir.h"

namespace {

using zendro::fuzz::require;
using zendro::testing::readFile;

// Takes `length` bytes, or what is left, from the front of `input`.
std::string_view takeBytes(std::string_view& input, std::size_t length) {
    const std::string_view taken = input.substr(0, std::min(length, input.size()));
    input.remove_prefix(taken.size());
    return taken;
}

std::size_t takeLength(std::string_view& input) {
    const std::string_view bytes = takeBytes(input, 2);
    if (bytes.size() < 2) return 0;
    return static_cast<unsigned char>(bytes[0]) + 256u * static_cast<unsigned char>(bytes[1]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input = zendro::fuzz::asBytes(data, size);
    const std::size_t ctxLength = takeLength(input);
    const std::size_t rtxLength = takeLength(input);
    const std::string_view ctx = takeBytes(input, ctxLength);
    const std::string_view rtx = takeBytes(input, rtxLength);

    const zendro::testing::TempDir folder;
    const std::string base = folder.file("FUZZ-7");
    zendro::testing::writeFile(base + ".HVD", input);
    zendro::testing::writeFile(base + ".CTX", ctx);
    zendro::testing::writeFile(base + ".RTX", rtx);

    const zendro::JobPaths job = zendro::deriveJobPaths(base + ".HVD");
    zendro::ConversionOptions options;
    options.runSuffix = job.runSuffix;
    zendro::NullObserver observer;
    const zendro::HeaderClock clock = zendro::fixedHeaderClock({2024, 5, 17, 9, 30, 0});
    try {
        // With the TRV file first, then "OBS Only" on the point-feature file
        // the first run wrote: the OBS file must not change.
        options.obsOnly = false;
        zendro::runConversion(job, options, observer, clock);
        const std::string obs = readFile(job.obsPath);
        const std::string trv = readFile(job.trvPath);
        const std::string pf = std::filesystem::exists(job.pfPath) ? readFile(job.pfPath) : "";
        options.obsOnly = true;
        zendro::runConversion(job, options, observer, clock);
        require(readFile(job.obsPath) == obs, "the OBS file is the same with and without OBS Only");

        zendro::fuzz::requireCrLfLines(obs, rtx, "OBS file");
        zendro::fuzz::requireCrLfLines(trv, rtx, "TRV file");
        zendro::fuzz::requireCrLfLines(pf, "", "point-feature file");
        zendro::fuzz::requireChainSectionLast(obs);
        zendro::fuzz::requireFeaturesReadBack(pf, ctx, options.commentCode);
    } catch (const zendro::ZendroError&) {
        // A job the converter refuses with a message is a fine outcome.
    }
    return 0;
}
