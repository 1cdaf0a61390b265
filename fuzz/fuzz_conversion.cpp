// A whole conversion run in a scratch folder. The input holds the job's three
// field files: two little-endian 16-bit lengths (CTX, RTX), the CTX bytes, the
// RTX bytes, and the rest is the HVD file.

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
#include "tests/support/temp_dir.h"

namespace {

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
    options.obsOnly = false;
    options.runSuffix = job.runSuffix;
    zendro::NullObserver observer;
    try {
        const zendro::ConversionResult result = zendro::runConversion(
            job, options, observer, zendro::fixedHeaderClock({2024, 5, 17, 9, 30, 0}));
        zendro::fuzz::require(std::filesystem::exists(result.obsPath), "the OBS file exists");
        zendro::fuzz::require(std::filesystem::exists(result.trvPath), "the TRV file exists");
    } catch (const zendro::ZendroError&) {
        // A job the converter refuses with a message is a fine outcome.
    }
    return 0;
}
