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
        ->check(CLI::Validator(
            [](const std::string& text) {
                return exports::exportTargetFromText(text)
                           ? std::string()
                           : "--export takes FORMAT:FILE, FORMAT one of csv, landxml, dxf, gpkg, "
                             "kml, geojson: " + text;
            },
            ""));
    auto columns = std::make_shared<std::string>(flags.csv.columns);
    auto delimiter = std::make_shared<std::string>(1, flags.csv.delimiter);
    auto noHeader = std::make_shared<bool>(false);
    app.add_option("--csv-columns", *columns,
                   "The CSV export's columns in order: P point, N, E, Z, D description")
        ->group(group)
        ->type_name("COLUMNS")
        ->capture_default_str();
    app.add_option("--csv-delimiter", *delimiter, "The CSV export's delimiter: one character or tab")
        ->group(group)
        ->type_name("CHAR")
        ->capture_default_str();
    app.add_flag("--csv-no-header", *noHeader,
                 "The CSV export without its comment and column name lines")
        ->group(group);
    // The review flags hold the parse-complete callback; this one runs after it.
    app.final_callback([&flags, &files, columns, delimiter, noHeader] {
        const std::optional<char> character = delimiterOf(*delimiter);
        if (!character)
            throw CLI::ValidationError("--csv-delimiter", "one character or tab: " + *delimiter);
        try {
            flags.csv = exports::csvLayout(*columns, *character, !*noHeader);
        } catch (const ZendroError& error) {
            throw CLI::ValidationError("--csv-columns", error.what());
        }
        if (files.size() < 2) return;
        for (const exports::ExportTarget& target : flags.targets) {
            if (!target.namesTheJob())
                throw CLI::ValidationError(
                    "--export", "with several jobs the file must hold {job}: " +
                                    target.pathPattern);
        }
    });
}

}  // namespace zendro::cli
