#include "cli/placement_flags.h"

#include <CLI/CLI.hpp>

#include "coordinates/azimuth_text.h"
#include "coordinates/coordinate_system.h"
#include "coordinates/manual_start.h"

namespace zendro::cli {

void addPlacementFlags(CLI::App& app, PlacementFlags& flags) {
    const std::string group = "Control and coordinates";
    app.add_option("--control", flags.controlPath,
                   "Control points: lines name,N,E,Z[,fixed|free[,sigma_NE[,sigma_Z]]] in the "
                   "job's unit; the job is tied to the control points it observes")
        ->group(group)
        ->type_name("FILE");
    CLI::Option* start =
        app.add_option("--start", flags.start, "The first station's N,E,Z (with --azimuth)")
            ->group(group)
            ->type_name("N,E,Z")
            ->check(CLI::Validator(
                [](const std::string& text) {
                    return coordinates::startPositionFromText(text)
                               ? std::string()
                               : "--start takes three numbers N,E,Z: " + text;
                },
                ""));
    CLI::Option* azimuth =
        app.add_option("--azimuth", flags.azimuth,
                       "The first backsight's azimuth, DDD.MMSS (with --start)")
            ->group(group)
            ->type_name("DDD.MMSS")
            ->check(CLI::Validator(
                [](const std::string& text) {
                    return coordinates::azimuthFromText(text)
                               ? std::string()
                               : "--azimuth takes DDD.MMSS below 360 (minutes and seconds "
                                 "below 60): " + text;
                },
                ""));
    start->needs(azimuth);
    azimuth->needs(start);
    app.add_option("--crs", flags.crsCode,
                   "Coordinate reference system of the control, EPSG:NNNN (a projected "
                   "system in the job's unit)")
        ->group(group)
        ->type_name("EPSG:NNNN")
        ->check(CLI::Validator(
            [](const std::string& code) {
                return coordinates::isEpsgCode(code)
                           ? std::string()
                           : "--crs takes EPSG: and the code's digits: " + code;
            },
            ""));
}

}  // namespace zendro::cli
