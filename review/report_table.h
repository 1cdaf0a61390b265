#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zendro::review {

// A table of a report, made once as texts: the text report prints it, the
// PDF draws it, so both say the same.
enum class CellAlign {
    Left,      // padded on the right
    Right,     // padded on the left to the column's width: numbers
    Trailing,  // the last column of a fixed-width table: two blanks and the text, nothing when
               // empty
};

struct ReportColumn {
    std::string title;
    CellAlign align = CellAlign::Left;
    // In a fixed-width text (the level book): the column's width with the
    // blank that parts it from its neighbour.
    std::size_t width = 0;
    // Of the PDF page's width; 0 in every column: each as wide as its widest cell.
    double share = 0;
};

struct ReportRow {
    std::vector<std::string> cells;
    bool over = false;  // over a limit: marked in the PDF
};

// A part of a report: its title (none for a table inside a section), lines of
// text, the table, lines of text.
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

// The heading row and every row fitted: each column as wide as its widest
// cell, two blanks between columns, no trailing blanks.
std::vector<std::string> tableLines(const ReportTable& table);

}  // namespace zendro::review
