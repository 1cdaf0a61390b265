#include "review/report_table.h"

#include <algorithm>

namespace zendro::review {
namespace {

void appendCell(std::string& out, const std::string& text, const ReportColumn& column) {
    if (column.align == CellAlign::Trailing) {
        if (!text.empty()) out.append("  ").append(text);
        return;
    }
    const std::size_t pad = text.size() >= column.width ? 1 : column.width - text.size();
    if (column.align == CellAlign::Right)
        out.append(pad, ' ').append(text);
    else
        out.append(text).append(pad, ' ');
}

}  // namespace

std::string tableText(const ReportTable& table, std::string_view lineEnd) {
    std::string out;
    for (std::size_t c = 0; c < table.columns.size(); ++c)
        appendCell(out, table.columns[c].title, table.columns[c]);
    out.append(lineEnd);
    for (const ReportRow& row : table.rows) {
        for (std::size_t c = 0; c < table.columns.size(); ++c)
            appendCell(out, c < row.cells.size() ? row.cells[c] : std::string(), table.columns[c]);
        out.append(lineEnd);
    }
    return out;
}

std::string titledTableText(const ReportTable& table, std::string_view lineEnd) {
    std::string out;
    out.append(table.title).append(lineEnd);
    for (const std::string& line : table.before) out.append(line).append(lineEnd);
    out += tableText(table, lineEnd);
    for (const std::string& line : table.after) out.append(line).append(lineEnd);
    return out;
}

std::vector<std::string> tableLines(const ReportTable& table) {
    std::vector<std::size_t> widths;
    for (const ReportColumn& column : table.columns) widths.push_back(column.title.size());
    for (const ReportRow& row : table.rows)
        for (std::size_t c = 0; c < row.cells.size() && c < widths.size(); ++c)
            widths[c] = std::max(widths[c], row.cells[c].size());
    const auto lineOf = [&](const std::vector<std::string>& cells) {
        std::string line;
        for (std::size_t c = 0; c < widths.size(); ++c) {
            const std::string cell = c < cells.size() ? cells[c] : std::string();
            const std::string pad(widths[c] - cell.size(), ' ');
            if (c > 0) line += "  ";
            line += table.columns[c].align == CellAlign::Right ? pad + cell : cell + pad;
        }
        return line.substr(0, line.find_last_not_of(' ') + 1);
    };
    std::vector<std::string> lines;
    std::vector<std::string> titles;
    for (const ReportColumn& column : table.columns) titles.push_back(column.title);
    lines.push_back(lineOf(titles));
    for (const ReportRow& row : table.rows) lines.push_back(lineOf(row.cells));
    return lines;
}

}  // namespace zendro::review
