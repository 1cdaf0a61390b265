#include "features/feature_grid.h"

#include "features/pf_reader.h"

namespace zendro {

std::vector<FeatureRow> loadFeatureRows(std::string_view pfBytes) {
    std::vector<FeatureRow> rows;
    for (PfEntry& entry : readPfEntries(pfBytes).complete) {
        rows.push_back(
            {std::move(entry.name), std::move(entry.description), std::move(entry.restOfLine)});
    }
    return rows;
}

std::string composeFeatureFile(const std::vector<FeatureRow>& rows) {
    std::string text;
    for (const FeatureRow& row : rows) {
        text += row.name;
        text += ',';
        text += row.description;
        text += ',';
        text += row.comment;
        text += "\r\n";
    }
    return text;
}

}  // namespace zendro
