// zendro-genlevels: writes made-up M5 files of a digital level's runs through
// a true height network, to try zendro-level on: with the level's noise or
// without, with planted faults, with the control and the true heights.

#include <CLI/CLI.hpp>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>

#include "common/file_io.h"
#include "common/version.h"
#include "coordinates/control_file.h"
#include "tools/genlevels/level_network_plan.h"

int main(int argc, char** argv) {
    CLI::App app{"Writes made-up M5 files of DiNi level runs through a height network.",
                 "zendro-genlevels"};
    app.set_version_flag("--version", std::string("zendro-genlevels ") + zendro::kVersion);
    zendro::genlevels::LevelsShape shape;
    zendro::genlevels::FaultRequest faults;
    std::string out;
    std::string controlPath;
    std::string truthPath;
    app.add_option("--out", out,
                   "Path of the M5 file without extension: OUT.DAT, or OUT-1.DAT, OUT-2.DAT ... "
                   "with --lines-per-file")
        ->required();
    app.add_option("--seed", shape.seed, "Seed; the same seed gives the same files")
        ->capture_default_str();
    app.add_flag("--metric", shape.metric, "Files in meters, not feet");
    app.add_option("--lines", shape.lines,
                   "Levelling lines: open lines between benchmarks and junctions, cross lines "
                   "making loops, loops on themselves")
        ->capture_default_str()
        ->check(CLI::Range(1, 100000));
    app.add_option("--setups", shape.setups, "Setups per line")
        ->capture_default_str()
        ->check(CLI::Range(2, 10000));
    app.add_option("--method", shape.method, "BF, BFFB, or mixed (the lines take turns)")
        ->check(CLI::IsMember({"BF", "BFFB", "mixed"}))
        ->capture_default_str();
    app.add_option("--reading-sd", shape.readingSd,
                   "Standard deviation of a staff reading in the files' unit (default 0.00012 m, "
                   "0.0004 ft); 0 for readings without noise")
        ->type_name("LENGTH")
        ->check(CLI::NonNegativeNumber);
    app.add_option("--intermediate", shape.intermediateSights,
                   "Intermediate sights per line, from its middle setup")
        ->capture_default_str()
        ->check(CLI::Range(0, 100));
    app.add_option("--repeats", shape.repeats,
                   "Lines with a foresight measured again (every third line from the second)")
        ->capture_default_str()
        ->check(CLI::NonNegativeNumber);
    app.add_option("--lines-per-file", shape.linesPerFile, "Lines per file (0: all in one)")
        ->capture_default_str()
        ->check(CLI::NonNegativeNumber);
    app.add_option("--control", controlPath, "Also write the benchmarks as name,,,Z lines to FILE")
        ->type_name("FILE");
    app.add_option("--truth", truthPath,
                   "Also write the true height of every named point as name,,,Z lines to FILE")
        ->type_name("FILE");
    std::string throughPath;
    app.add_option("--through", throughPath,
                   "Level through the points of FILE (name,N,E,Z or name,,,Z lines, such as "
                   "zendro-genjob --truth writes), in its order: they are the network's benchmarks "
                   "and junctions")
        ->type_name("FILE");
    app.add_option("--fault-staff", faults.staff,
                   "Plant a foresight reading off by LENGTH (files' unit)")
        ->type_name("LENGTH");
    app.add_flag("--fault-benchmark", faults.wrongBenchmark,
                 "Plant a line that closes on another benchmark than its file names");
    app.add_flag("--fault-unbalanced", faults.unbalanced, "Plant a setup with unbalanced sights");
    app.add_flag("--fault-mark", faults.errorMark, "Plant a reading the level marks e");
    app.add_option("--fault-line", faults.line, "The line the faults go into")
        ->capture_default_str()
        ->check(CLI::PositiveNumber);
    app.add_option("--fault-setup", faults.setup, "The setup of that line")
        ->capture_default_str()
        ->check(CLI::PositiveNumber);
    CLI11_PARSE(app, argc, argv);

    try {
        shape.name = std::filesystem::path(out).filename().string();
        if (!throughPath.empty())
            for (const zendro::coordinates::ControlPoint& point : zendro::coordinates::readControlFile(
                     throughPath, zendro::readFileBytes(throughPath)))
                shape.through.push_back({point.name, point.elevation});
        const zendro::genlevels::GeneratedLevels levels = zendro::genlevels::generateLevels(shape, faults);
        for (std::size_t i = 0; i < levels.files.size(); ++i) {
            const std::string path =
                out + (levels.files.size() > 1 ? "-" + std::to_string(i + 1) : std::string()) + ".DAT";
            zendro::writeFileAtomically(path, levels.files[i]);
        }
        if (!controlPath.empty())
            zendro::writeFileAtomically(controlPath,
                                        zendro::genlevels::heightLines(levels.benchmarks, shape.metric));
        if (!truthPath.empty())
            zendro::writeFileAtomically(truthPath,
                                        zendro::genlevels::heightLines(levels.truth, shape.metric));
        for (const std::string& fault : levels.faults) std::cerr << "fault: " << fault << '\n';
    } catch (const std::exception& error) {
        std::cerr << "zendro-genlevels: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
