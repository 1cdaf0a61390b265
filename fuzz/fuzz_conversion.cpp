// A whole conversion of one job from its bytes. The input holds the job's
// three field files: two little-endian 16-bit lengths (CTX, RTX), the CTX
// bytes, the RTX bytes, and the rest is the HVD file. The outputs keep their
// properties (fuzz/output_properties.h), and "OBS Only" on the point-feature
// file the first conversion made leaves the OBS file as it was.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "common/byte_sink.h"
#include "common/errors.h"
#include "common/job_paths.h"
#include "common/run_observer.h"
#include "conversion/header_clock.h"
#include "conversion/job_conversion.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/output_properties.h"

namespace {

using zendro::fuzz::require;

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
    const std::string_view hvd = input;

    const zendro::JobPaths job = zendro::deriveJobPaths("/jobs/FUZZ-7.HVD");
    zendro::ConversionOptions options;
    options.runSuffix = job.runSuffix;
    zendro::NullObserver observer;
    const zendro::HeaderClock clock = zendro::fixedHeaderClock({2024, 5, 17, 9, 30, 0});
    try {
        std::string obs;
        std::string trv;
        zendro::StringSink obsSink(obs);
        zendro::StringSink trvSink(trv);
        options.obsOnly = false;
        const zendro::JobConversion first = zendro::convertJob(
            job, {hvd, rtx, std::nullopt, ctx}, options, {obsSink, &trvSink}, observer, clock);
        require(first.newPointFeatureFile.has_value(), "a job without one gets a point-feature file");
        const std::string& pf = *first.newPointFeatureFile;

        std::string obsOnly;
        zendro::StringSink obsOnlySink(obsOnly);
        options.obsOnly = true;
        zendro::convertJob(job, {hvd, rtx, pf, std::nullopt}, options, {obsOnlySink, nullptr},
                           observer, clock);
        require(obsOnly == obs, "the OBS file is the same with and without OBS Only");

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
