#include "features/feature_grid.h"

#include "features/pf_reader.h"

namespace zendro {

std::vector<FeatureRow> loadFeatureRows(std::string_view pfBytes) {
    std::vector<FeatureRow> rows;
    PfCursor cursor(pfBytes);
    while (!cursor.atEnd()) {
        FeatureRow row;
        row.name = cursor.readField();
        if (cursor.atEnd()) break;
        row.description = cursor.readField();
        if (cursor.atEnd()) break;
        row.comment = cursor.readRestOfLine();
        rows.push_back(std::move(row));
        cursor.nextEntry();
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
