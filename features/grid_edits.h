#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "features/feature_grid.h"

namespace zendro {

// The three texts of a feature row, in the order of the grid's columns.
enum class FeatureField { Name = 0, Description = 1, Comment = 2 };

const std::string& fieldText(const FeatureRow& row, FeatureField field);

// One cell changed by an edit; `row` counts the rows in file order.
struct CellEdit {
    std::size_t row = 0;
    FeatureField field = FeatureField::Description;
    std::string before;
    std::string after;

    bool operator==(const CellEdit&) const = default;
};

// Sets every edited cell to its text after the edit (`forward`) or before it.
void applyCellEdits(std::vector<FeatureRow>& rows, const std::vector<CellEdit>& edits,
                    bool forward);

// Every occurrence of `find` in `field` of the rows listed in `rowsToSearch`
// replaced by `replacement`, byte for byte, left to right without overlaps.
// Only cells whose text changes give an edit; an empty `find` changes nothing.
std::vector<CellEdit> replaceInField(const std::vector<FeatureRow>& rows, FeatureField field,
                                     std::string_view find, std::string_view replacement,
                                     const std::vector<std::size_t>& rowsToSearch);

// The first of the name, the description and the comment that contains `text`
// (exact bytes); none for an empty `text`.
std::optional<FeatureField> firstFieldContaining(const FeatureRow& row, std::string_view text);

}  // namespace zendro
