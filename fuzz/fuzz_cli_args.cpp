// The input as zendro-convert's arguments, cut at zero bytes. Arguments that
// parse are written back as a command line of their own, which must parse to
// the same request; a refusal is a usage message and exit status 2.

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "fuzz/fuzz_check.h"

namespace {

using zendro::cli::CommandLine;
using zendro::cli::ParsedArguments;
using zendro::fuzz::require;

constexpr std::size_t kDefaultParallel = 3;

// The shortest text that reads back as the same double.
std::string shortest(double value) {
    char digits[32];
    return std::string(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

ParsedArguments parse(const std::vector<std::string>& arguments) {
    std::vector<const char*> argv{"zendro-convert"};
    for (const std::string& argument : arguments) argv.push_back(argument.c_str());
    return zendro::cli::parseArguments(static_cast<int>(argv.size()), argv.data(),
                                       kDefaultParallel);
}

// Every value in the "--name=value" form, the files after "--".
std::vector<std::string> argumentsFor(const CommandLine& line) {
    const zendro::ConversionOptions& options = line.options;
    std::vector<std::string> arguments{"--prefix=" + options.pointPrefix,
                                       "--curve-code=" + options.curveCode,
                                       "--comment-delimiter=" + options.commentCode,
                                       "--jobs=" + std::to_string(line.parallel)};
    if (!options.obsOnly) arguments.emplace_back("--trv");
    if (options.metric()) arguments.emplace_back("--metric");
    if (options.unit == zendro::LengthUnit::InternationalFoot)
        arguments.emplace_back("--feet=international");
    if (line.suffixGiven) arguments.push_back("--suffix=" + options.runSuffix);
    const zendro::cli::PlacementFlags& placement = line.placement;
    if (!placement.controlPath.empty()) arguments.push_back("--control=" + placement.controlPath);
    if (placement.start) arguments.push_back("--start=" + *placement.start);
    if (placement.azimuth) arguments.push_back("--azimuth=" + *placement.azimuth);
    if (!placement.crsCode.empty()) arguments.push_back("--crs=" + placement.crsCode);
    const zendro::cli::AdjustmentFlags& adjustment = line.adjustment;
    if (adjustment.adjust) arguments.emplace_back("--adjust");
    if (adjustment.directionSeconds)
        arguments.push_back("--sigma-direction=" + shortest(*adjustment.directionSeconds));
    if (adjustment.zenithSeconds)
        arguments.push_back("--sigma-zenith=" + shortest(*adjustment.zenithSeconds));
    if (adjustment.distance) arguments.push_back("--sigma-distance=" + *adjustment.distance);
    if (adjustment.centring) arguments.push_back("--sigma-centring=" + *adjustment.centring);
    for (const zendro::exports::ExportTarget& target : line.exports.targets) {
        arguments.push_back("--export=" + std::string(zendro::exports::formatName(target.format)) +
                            ":" + target.pathPattern);
    }
    const zendro::exports::CsvLayout& csv = line.exports.csv;
    arguments.push_back("--csv-columns=" + csv.columns);
    arguments.push_back("--csv-delimiter=" +
                        (csv.delimiter == '\t' ? std::string("tab") : std::string(1, csv.delimiter)));
    if (!csv.header) arguments.emplace_back("--csv-no-header");
    arguments.emplace_back("--");
    arguments.insert(arguments.end(), line.files.begin(), line.files.end());
    return arguments;
}

bool sameExports(const zendro::cli::ExportFlags& a, const zendro::cli::ExportFlags& b) {
    if (a.targets.size() != b.targets.size()) return false;
    for (std::size_t i = 0; i < a.targets.size(); ++i) {
        if (a.targets[i].format != b.targets[i].format ||
            a.targets[i].pathPattern != b.targets[i].pathPattern)
            return false;
    }
    return a.csv.columns == b.csv.columns && a.csv.delimiter == b.csv.delimiter &&
           a.csv.header == b.csv.header;
}

bool sameRequest(const CommandLine& a, const CommandLine& b) {
    const auto& pa = a.placement;
    const auto& pb = b.placement;
    const auto& aa = a.adjustment;
    const auto& ab = b.adjustment;
    if (pa.controlPath != pb.controlPath || pa.start != pb.start || pa.azimuth != pb.azimuth ||
        pa.crsCode != pb.crsCode || aa.adjust != ab.adjust ||
        aa.directionSeconds != ab.directionSeconds || aa.zenithSeconds != ab.zenithSeconds ||
        aa.distance != ab.distance || aa.centring != ab.centring ||
        !sameExports(a.exports, b.exports))
        return false;
    return a.options.obsOnly == b.options.obsOnly && a.options.unit == b.options.unit &&
           a.options.pointPrefix == b.options.pointPrefix &&
           a.options.curveCode == b.options.curveCode &&
           a.options.commentCode == b.options.commentCode &&
           a.suffixGiven == b.suffixGiven &&
           (!a.suffixGiven || a.options.runSuffix == b.options.runSuffix) &&
           a.parallel == b.parallel && a.files == b.files;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = zendro::fuzz::asBytes(data, size);
    std::vector<std::string> arguments;
    std::size_t start = 0;
    for (std::size_t at = 0; at <= bytes.size(); ++at) {
        if (at == bytes.size() || bytes[at] == '\0') {
            if (at > start || at < bytes.size()) arguments.emplace_back(bytes.substr(start, at - start));
            start = at + 1;
        }
    }

    const ParsedArguments parsed = parse(arguments);
    if (!parsed.commandLine) {
        require(parsed.exitStatus == 0 || parsed.exitStatus == zendro::cli::kUsageError,
                "a refusal exits with 0 (help, version) or 2");
        require(parsed.exitStatus == 0 ? !parsed.out.empty() : !parsed.err.empty(),
                "a refusal says why");
        return 0;
    }
    const CommandLine& line = *parsed.commandLine;
    require(!line.files.empty(), "at least one job");
    require(line.parallel >= 1, "at least one job at a time");

    const ParsedArguments again = parse(argumentsFor(line));
    require(again.commandLine.has_value() && sameRequest(*again.commandLine, line),
            "the request written as arguments parses to the same request");
    return 0;
}
