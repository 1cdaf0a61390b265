// The input as zendro-convert's arguments, cut at zero bytes. Arguments that
// parse are written back as a command line of their own, which must parse to
// the same request; a refusal is a usage message and exit status 2.

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
    if (options.metric) arguments.emplace_back("--metric");
    if (line.suffixGiven) arguments.push_back("--suffix=" + options.runSuffix);
    arguments.emplace_back("--");
    arguments.insert(arguments.end(), line.files.begin(), line.files.end());
    return arguments;
}

bool sameRequest(const CommandLine& a, const CommandLine& b) {
    return a.options.obsOnly == b.options.obsOnly && a.options.metric == b.options.metric &&
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
