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

void reportTable(PageFlow& flow, const ReportTable& table) {
    const QFont font = reportFont(9);
    flow.text(localText(table.title), reportFont(10, true));
    for (const std::string& line : table.before) flow.text(localText(line), font);
    std::vector<Column> columns;
    for (const ReportColumn& column : table.columns)
        columns.push_back({localText(column.title), column.share});
    std::vector<TableRow> rows;
    for (const ReportRow& row : table.rows) {
        TableRow& drawn = rows.emplace_back();
        for (const std::string& cell : row.cells) drawn.cells << localText(cell);
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
