#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zendro::review {

// A table of a report, as both its text and its PDF lay it out: the text in
// fixed columns, the PDF in shares of the page's width.
enum class CellAlign {
    Right,     // padded on the left to the column's width
    Left,      // padded on the right
    Trailing,  // the last column: two blanks and the text, nothing when empty
};

struct ReportColumn {
    std::string title;
    std::size_t width = 0;  // in the text, with the blank that parts it from its neighbour
    CellAlign align = CellAlign::Right;
    double share = 0;  // of the PDF page's width
};

struct ReportRow {
    std::vector<std::string> cells;
    bool over = false;  // over a limit: marked in the PDF
};

// A titled part of a report: lines of text, a table, lines of text.
struct ReportTable {
    std::string title;
    std::vector<std::string> before;
    std::vector<ReportColumn> columns;
    std::vector<ReportRow> rows;
    std::vector<std::string> after;
};

// The heading row and every row in fixed columns, each line ended with
// `lineEnd`; a cell wider than its column keeps one blank before it.
std::string tableText(const ReportTable& table, std::string_view lineEnd);

// The title, the lines before, the table and the lines after.
std::string titledTableText(const ReportTable& table, std::string_view lineEnd);

}  // namespace zendro::review
