#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zendro {

// One row of the feature editor: a point-feature file entry as the user sees it.
struct FeatureRow {
    std::string name;
    std::string description;
    std::string comment;

    bool operator==(const FeatureRow&) const = default;
};

// The rows of a point-feature file, one per entry in file order: the name and
// the description by field read (always text), the comment as the rest of the
// line, so commas in a comment stay in it. An entry cut off by the end of the
// file before its comment gives no row.
std::vector<FeatureRow> loadFeatureRows(std::string_view pfBytes);

// The point-feature file for `rows`: name, ",", description, ",", comment and
// CR LF for every row, the texts unchanged. No rows give an empty file.
std::string composeFeatureFile(const std::vector<FeatureRow>& rows);

}  // namespace zendro
