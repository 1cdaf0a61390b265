#include "features/grid_edits.h"

namespace zendro {
namespace {

// The row's text for `field`, writable when the row is.
template <typename Row>
auto& textOf(Row& row, FeatureField field) {
    switch (field) {
        case FeatureField::Name:
            return row.name;
        case FeatureField::Description:
            return row.description;
        case FeatureField::Comment:
            break;
    }
    return row.comment;
}

std::string replaceAll(std::string text, std::string_view find, std::string_view replacement) {
    for (std::size_t at = text.find(find); at != std::string::npos;
         at = text.find(find, at + replacement.size())) {
        text.replace(at, find.size(), replacement);
    }
    return text;
}

}  // namespace

const std::string& fieldText(const FeatureRow& row, FeatureField field) {
    return textOf(row, field);
}

void applyCellEdits(std::vector<FeatureRow>& rows, const std::vector<CellEdit>& edits,
                    bool forward) {
    for (const CellEdit& edit : edits) {
        textOf(rows.at(edit.row), edit.field) = forward ? edit.after : edit.before;
    }
}

std::vector<CellEdit> replaceInField(const std::vector<FeatureRow>& rows, FeatureField field,
                                     std::string_view find, std::string_view replacement,
                                     const std::vector<std::size_t>& rowsToSearch) {
    std::vector<CellEdit> edits;
    if (find.empty()) return edits;
    for (const std::size_t row : rowsToSearch) {
        const std::string& before = fieldText(rows.at(row), field);
        std::string after = replaceAll(before, find, replacement);
        if (after != before) edits.push_back({row, field, before, std::move(after)});
    }
    return edits;
}

std::optional<FeatureField> firstFieldContaining(const FeatureRow& row, std::string_view text) {
    if (text.empty()) return std::nullopt;
    for (const FeatureField field :
         {FeatureField::Name, FeatureField::Description, FeatureField::Comment}) {
        if (textOf(row, field).find(text) != std::string::npos) return field;
    }
    return std::nullopt;
}

}  // namespace zendro
