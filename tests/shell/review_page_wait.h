#pragma once

#include <QAbstractItemModel>
#include <QSignalSpy>
#include <QStringList>
#include <QTableView>

#include "shell/review/review_page.h"

namespace zendro::testing {

// Does `start` (a showJob, an edit, a click) and waits until the page has
// shown the work it started off the window's thread. False when it did not
// end in time.
template <typename Start>
bool waitForReviewPage(ReviewPage& page, Start&& start, int milliseconds = 20000) {
    QSignalSpy ended(&page, &ReviewPage::backgroundWorkEnded);
    start();
    return !ended.isEmpty() || ended.wait(milliseconds);
}

// The findings the page shows, each as its whole printed line, in the order shown.
inline QStringList shownFindingLines(const ReviewPage& page) {
    const QAbstractItemModel* shown =
        page.findChild<QTableView*>(QStringLiteral("ReviewFindings"))->model();
    QStringList lines;
    for (int row = 0; row < shown->rowCount(); ++row)
        lines << shown->index(row, 0).data(Qt::ToolTipRole).toString();
    return lines;
}

}  // namespace zendro::testing
