// zendro-level: DiNi level runs read, reduced, checked and adjusted.

#include <iostream>

#include "cli/level_command.h"

int main(int argc, char** argv) {
    const zendro::levels::ParsedLevelArguments parsed =
        zendro::levels::parseLevelArguments(argc, argv);
    if (!parsed.command) {
        std::cout << parsed.out;
        std::cerr << parsed.err;
        return parsed.exitStatus;
    }
    return zendro::levels::runLevelCommand(*parsed.command, std::cout, std::cerr);
}
