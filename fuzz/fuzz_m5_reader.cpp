// The input as an M5 file of a level: every line is read or told, never
// dropped in silence; a file refused is refused naming it; and the whole run
// (lines, reduction, checks, adjustment, report, CSV) takes what was read.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>

#include "common/errors.h"
#include "fuzz/fuzz_check.h"
#include "levels/level_report.h"
#include "levels/level_run.h"
#include "levels/m5_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using zendro::fuzz::require;
    const std::string_view bytes = zendro::fuzz::asBytes(data, size);
    zendro::levels::M5File file;
    try {
        file = zendro::levels::readM5("run.dat", bytes);
    } catch (const zendro::ZendroError& error) {
        require(std::string_view(error.what()).starts_with("run.dat: "), "the message names the file");
        return 0;
    }
    std::set<std::size_t> told;
    for (const auto& record : file.records) {
        require(record.valueCount <= 3, "three value blocks at most");
        for (std::size_t i = 0; i < record.valueCount; ++i)
            require(std::isfinite(record.values[i].value), "values are finite");
        told.insert(record.fileLine);
    }
    for (const auto& finding : file.findings) told.insert(finding.fileLine);
    std::size_t fileLine = 0;
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
        ++fileLine;
        const std::string_view line = bytes.substr(start, end - start);
        require(line.find_first_not_of(" \t\r") == std::string_view::npos || told.contains(fileLine),
                "every line is read or told");
        start = end + 1;
    }

    zendro::coordinates::ControlPoint benchmark;
    benchmark.name = "BM1";
    benchmark.horizontal = false;
    benchmark.elevation = 100;
    zendro::levels::LevelRunOptions options;
    const zendro::levels::LevelRunResult result =
        zendro::levels::runLevels({{"run.dat", std::string(bytes)}}, {benchmark}, options);
    for (const auto& finding : result.findings)
        require(finding.text().starts_with("run.dat: ") || finding.text().starts_with("level network: "),
                "a finding names its file");
    require(zendro::levels::levelReportText(result).starts_with("ZENDRO level run report\r\n"),
            "the report is made");
    require(zendro::levels::levelCsvBytes(result).starts_with("Point,"), "the CSV is made");
    return 0;
}
