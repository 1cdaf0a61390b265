// zendro-convert: converts jobs from the command line, with the window's
// options as flags and the window's start-up values as defaults, and does
// with each what its flags ask: review, placement, adjustment, exports and
// reports, through the same job session as the window.

#include <algorithm>
#include <iostream>
#include <thread>

#include "cli/cli_options.h"
#include "cli/job_batch.h"
#include "cli/job_config_of.h"
#include "common/errors.h"

int main(int argc, char** argv) {
    const zendro::cli::ParsedArguments parsed =
        zendro::cli::parseArguments(argc, argv, std::max(1u, std::thread::hardware_concurrency()));
    if (!parsed.commandLine) {
        std::cout << parsed.out;
        std::cerr << parsed.err;
        return parsed.exitStatus;
    }
    zendro::JobConfig config;
    try {
        config = zendro::cli::jobConfigOf(*parsed.commandLine);
    } catch (const zendro::ZendroError& error) {
        std::cerr << "zendro-convert: " << error.what() << '\n';
        return 1;
    }
    return zendro::cli::runJobs(*parsed.commandLine, config, std::cout, std::cerr);
}
