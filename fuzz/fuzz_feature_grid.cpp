// The input as a point-feature file loaded into the feature grid: the grid's
// file reads back as the same rows, as far as the format can carry them. Then
// the input cut at zero bytes into rows of three cell texts: rows the format
// can carry are written and read back unchanged.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "features/feature_grid.h"
#include "fuzz/fuzz_check.h"

namespace {

using zendro::FeatureRow;
using zendro::fuzz::require;

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// A name or description cell the file keeps as it is: a field read stops at a
// comma or a line end, trims blanks and takes a leading quote as quoting.
bool fieldSurvives(const std::string& text) {
    if (text.find_first_of(",\r\n") != std::string::npos) return false;
    if (text.empty()) return true;
    return text.front() != '"' && !isBlank(text.front()) && !isBlank(text.back());
}

bool rowSurvives(const FeatureRow& row) {
    return fieldSurvives(row.name) && fieldSurvives(row.description) &&
           row.comment.find_first_of("\r\n") == std::string::npos;
}

std::vector<FeatureRow> rowsCutAtZeroBytes(std::string_view bytes) {
    std::vector<std::string> texts;
    std::size_t start = 0;
    for (std::size_t at = 0; at <= bytes.size(); ++at) {
        if (at == bytes.size() || bytes[at] == '\0') {
            texts.emplace_back(bytes.substr(start, at - start));
            start = at + 1;
        }
    }
    std::vector<FeatureRow> rows;
    for (std::size_t i = 0; i + 3 <= texts.size(); i += 3) {
        rows.push_back({texts[i], texts[i + 1], texts[i + 2]});
    }
    return rows;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = zendro::fuzz::asBytes(data, size);

    const std::vector<FeatureRow> loaded = zendro::loadFeatureRows(bytes);
    const std::string file = zendro::composeFeatureFile(loaded);
    const std::vector<FeatureRow> reloaded = zendro::loadFeatureRows(file);
    require(reloaded.size() == loaded.size(), "one row per line of the grid's file");
    for (std::size_t i = 0; i < loaded.size(); ++i) {
        require(loaded[i].comment.find_first_of("\r\n") == std::string::npos,
                "a comment ends at the line end");
        if (rowSurvives(loaded[i])) require(reloaded[i] == loaded[i], "a loaded row reads back");
    }

    const std::vector<FeatureRow> rows = rowsCutAtZeroBytes(bytes);
    if (std::all_of(rows.begin(), rows.end(), rowSurvives)) {
        require(zendro::loadFeatureRows(zendro::composeFeatureFile(rows)) == rows,
                "written rows read back unchanged");
    }
    return 0;
}
