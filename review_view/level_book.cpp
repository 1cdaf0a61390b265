#include "review_view/level_book.h"

namespace zendro::review {

void levelBook(PageFlow& flow, const std::vector<ReportTable>& book) {
    flow.heading(QStringLiteral("Level book"));
    for (const ReportTable& table : book) {
        reportTable(flow, table);
        flow.space(kCellPadding * 3);
    }
}

}  // namespace zendro::review
