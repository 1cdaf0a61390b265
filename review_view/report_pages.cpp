#include "review_view/report_pages.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>

namespace zendro::review {

QFont reportFont(double points, bool bold) {
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

namespace {

// Shares of the body's width from the widths the texts ask.
std::vector<double> measuredShares(const PageFlow& flow, const ReportTable& table) {
    const QFont font = reportFont(8, true);
    std::vector<double> widths;
    double total = 0;
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
        double widest = 0;
        const auto measure = [&](const std::string& text, bool whole) {
            const QString shown = latin1(text);
            for (const QString& part : whole ? QStringList{shown} : shown.split(QLatin1Char(' ')))
                widest = std::max(widest, flow.textWidth(font, part));
        };
        // A title may wrap; a cell keeps its line while the table fits.
        measure(table.columns[c].title, false);
        for (const ReportRow& row : table.rows)
            if (c < row.cells.size()) measure(row.cells[c], true);
        widths.push_back(widest + 4 * kCellPadding);
        total += widths.back();
    }
    for (double& width : widths) width /= std::max(total, flow.width());
    return widths;
}

}  // namespace

void reportTable(PageFlow& flow, const ReportTable& table) {
    const QFont font = reportFont(9);
    if (!table.title.empty()) flow.text(localText(table.title), reportFont(10, true));
    for (const std::string& line : table.before) flow.text(localText(line), font);
    const bool shared = std::all_of(table.columns.begin(), table.columns.end(),
                                    [](const ReportColumn& column) { return column.share > 0; });
    const std::vector<double> shares = shared ? std::vector<double>() : measuredShares(flow, table);
    std::vector<Column> columns;
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
        const ReportColumn& column = table.columns[c];
        columns.push_back({latin1(column.title), shared ? column.share : shares[c],
                           column.align == CellAlign::Right});
    }
    std::vector<TableRow> rows;
    for (const ReportRow& row : table.rows) {
        TableRow& drawn = rows.emplace_back();
        for (const std::string& cell : row.cells) drawn.cells << latin1(cell);
        drawn.over = row.over;
    }
    flow.table(columns, rows);
    for (const std::string& line : table.after) flow.text(localText(line), font);
}

std::string paginatedPdf(const QString& title, const QString& footer,
                         const std::function<void(PageFlow&)>& content) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(kResolution);
        pdf.setPageLayout(
            QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF()));
        pdf.setTitle(title);
        pdf.setCreator(QStringLiteral("ZENDRO"));
        PageFlow counting(pdf, nullptr, 0, footer);
        content(counting);
        counting.finish();
        QPainter painter(&pdf);
        PageFlow drawing(pdf, &painter, counting.pages(), footer);
        content(drawing);
        drawing.finish();
    }
    const QByteArray& bytes = buffer.data();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace zendro::review
