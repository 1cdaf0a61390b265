#include "review/report_table.h"

namespace zendro::review {
namespace {

void appendCell(std::string& out, const std::string& text, const ReportColumn& column) {
    if (column.align == CellAlign::Trailing) {
        if (!text.empty()) out.append("  ").append(text);
        return;
    }
    const std::size_t pad = text.size() >= column.width ? 1 : column.width - text.size();
    if (column.align == CellAlign::Right) out.append(pad, ' ').append(text);
    else out.append(text).append(pad, ' ');
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

}  // namespace zendro::review
