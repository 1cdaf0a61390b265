#pragma once

// What the Review page's tests share: the wait for its work beside the
// window, its controls by name, and the jobs they review.

#include <QAbstractItemModel>
#include <QSignalSpy>
#include <QStringList>
#include <QTableView>
#include <filesystem>
#include <string>

#include "common/run_observer.h"
#include "conversion/conversion_run.h"
#include "shell/review/review_page.h"
#include "tests/support/job_builder.h"
#include "tests/support/temp_dir.h"

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

// The page's control named `name`; a missing one ends the test run.
template <typename Widget>
Widget* pageControl(const ReviewPage& page, const char* name) {
    Widget* found = page.findChild<Widget*>(QString::fromLatin1(name));
    if (found == nullptr) qFatal("no widget %s", name);
    return found;
}

// The sample job (`sampleBase`: the samples folder and HWY12-3) copied into
// `dir` and converted once, for its point-feature file.
inline JobPaths convertedSampleJob(const TempDir& dir, const std::string& sampleBase) {
    for (const char* extension : {".HVD", ".CTX", ".RTX"})
        std::filesystem::copy_file(sampleBase + extension, dir.file(std::string("HWY12-3") + extension));
    JobPaths job = deriveJobPaths(dir.file("HWY12-3.HVD"));
    NullObserver observer;
    runConversion(job, ConversionOptions{}, observer);
    return job;
}

// The square A(1) B(2) C(3) D(4) of 100.000 legs closed exactly, the first
// backsight on 4, as SQ.HVD with its point-feature file SQ.pf. Every target
// is 1.50 but the one B reads on C (HVD record 5), `targetAtC` hundredths.
inline void writeSquareJob(const TempDir& dir, std::uint16_t targetAtC = 150) {
    const auto setup = [](std::uint16_t p) { return hvdRecord(1, p, 150); };
    const auto backsight = [](std::uint16_t p) { return hvdRecord(3, p, 150, 0, 9000000, 1000000); };
    const auto traverse = [](std::uint16_t p, std::uint16_t target = 150) {
        return hvdRecord(4, p, target, 9000000, 9000000, 1000000);
    };
    writeFile(dir.file("SQ.HVD"), setup(1) + backsight(4) + traverse(2) + setup(2) + backsight(1) +
                                      traverse(3, targetAtC) + setup(3) + backsight(2) +
                                      traverse(4) + setup(4) + backsight(3) + traverse(1));
    writeFile(dir.file("SQ.pf"), "1,CP, \r\n2,CP, \r\n3,CP, \r\n4,CP, \r\n");
}

}  // namespace zendro::testing
