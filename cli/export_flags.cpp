#include "cli/export_flags.h"

#include <CLI/CLI.hpp>

#include "common/errors.h"

namespace zendro::cli {
namespace {

// One character, or "tab".
std::optional<char> delimiterOf(const std::string& text) {
    if (text == "tab") return '\t';
    if (text.size() == 1) return text[0];
    return std::nullopt;
}

}  // namespace

void addExportFlags(CLI::App& app, ExportFlags& flags, const std::vector<std::string>& files) {
    const std::string group = "Exports";
    // One value an occurrence, so that the jobs may follow it.
    app.add_option_function<std::vector<std::string>>(
           "--export",
           [&flags](const std::vector<std::string>& texts) {
               for (const std::string& text : texts)
                   flags.targets.push_back(*exports::exportTargetFromText(text));
           },
           "After converting, write the job's points and chains as FORMAT (csv, landxml, dxf, "
           "gpkg, kml, geojson) to FILE; {job} in FILE stands for the job's name; repeatable")
        ->group(group)
        ->type_name("FORMAT:FILE")
        ->allow_extra_args(false)
        ->check(CLI::Validator(
            [](const std::string& text) {
                return exports::exportTargetFromText(text)
                           ? std::string()
                           : "--export takes FORMAT:FILE, FORMAT one of csv, landxml, dxf, gpkg, "
                             "kml, geojson: " +
                                 text;
            },
            ""));
    auto columns = std::make_shared<std::string>(flags.csv.columns);
    auto delimiter = std::make_shared<std::string>(1, flags.csv.delimiter);
    auto noHeader = std::make_shared<bool>(false);
    auto comment = std::make_shared<bool>(false);
    auto latin1 = std::make_shared<bool>(false);
    app.add_option("--csv-columns", *columns,
                   "The CSV export's columns in order: P point, N, E, Z, D description, H height "
                   "source (level run or total station)")
        ->group(group)
        ->type_name("COLUMNS")
        ->capture_default_str();
    app.add_option("--csv-delimiter", *delimiter,
                   "The CSV export's delimiter: one character or tab")
        ->group(group)
        ->type_name("CHAR")
        ->capture_default_str();
    app.add_flag("--csv-no-header", *noHeader, "The CSV export without its column names")
        ->group(group);
    app.add_flag("--csv-comment", *comment,
                 "The CSV export begins with a line \"# JOB: frame, unit\" (for readers that "
                 "skip comment lines)")
        ->group(group);
    app.add_flag("--csv-latin1", *latin1,
                 "The CSV export's text in Latin-1, the field files' own bytes, for older "
                 "readers (UTF-8 otherwise)")
        ->group(group);
    // The review flags hold the parse-complete callback; this one runs after it.
    app.final_callback([&flags, &files, columns, delimiter, noHeader, comment, latin1] {
        const std::optional<char> character = delimiterOf(*delimiter);
        if (!character)
            throw CLI::ValidationError("--csv-delimiter", "one character or tab: " + *delimiter);
        try {
            flags.csv = exports::csvLayout(*columns, *character, !*noHeader, *comment, *latin1);
        } catch (const ZendroError& error) {
            throw CLI::ValidationError("--csv-columns", error.what());
        }
        if (files.size() < 2) return;
        for (const exports::ExportTarget& target : flags.targets) {
            if (!target.namesTheJob())
                throw CLI::ValidationError(
                    "--export",
                    "with several jobs the file must hold {job}: " + target.pathPattern);
        }
    });
}

}  // namespace zendro::cli
