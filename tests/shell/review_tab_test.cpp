// The window's "Review" tab: its sketch draws the OBS file's chains point for
// point, follows an edit saved with Done, and a double-clicked point opens its
// row in the feature editor.

#include <QApplication>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <memory>

#include "common/file_io.h"
#include "shell/review/review_page.h"
#include "shell/review/sketch_widget.h"
#include "tests/shell/review_page_support.h"
#include "tests/shell/shell_test_support.h"
#include "tests/support/job_builder.h"

namespace zendro::testing {
namespace {

// A setup on 1 backsighting 9 and sideshots to the EP chain 1001 (start),
// 1002, 1003 (a curve point), 1004 (end) and to 1005, keyed CL.
void writeChainJob(const TempDir& dir) {
    const auto side = [](std::uint16_t p, std::uint32_t angle) {
        return hvdRecord(5, p, 150, angle, 9000000, 200000 + 10000 * (p - 1000));
    };
    writeFile(dir.file("CH.HVD"), hvdRecord(1, 1, 150) + hvdRecord(3, 9, 150, 0, 9000000, 1000000) +
                                      side(1001, 0) + side(1002, 1000000) + side(1003, 2000000) +
                                      side(1004, 3000000) + side(1005, 4000000));
    writeFile(dir.file("CH.CTX"), ctxPrologue() + ctxRecord(1, 1, "CP") + ctxRecord(1, 9, "CP") +
                                      ctxRecord(1, 1001, "+EP") + ctxRecord(1, 1002, "EP") +
                                      ctxRecord(1, 1003, "EP*") + ctxRecord(1, 1004, "-EP") +
                                      ctxRecord(1, 1005, "CL"));
    writeFile(dir.file("CH.RTX"), "");
}

// The window on the chain job, written into `jobs` and chosen with Filename.
std::unique_ptr<Form1> windowOnChainJob(FakeDialogs& dialogs, const TempDir& jobs) {
    writeChainJob(jobs);
    auto window = openWindow(dialogs);
    chooseJob(*window, dialogs, jobs.file("CH.HVD"));
    return window;
}

// Every chain of the OBS file as its "F 01 " lines list it, end text included.
std::vector<std::vector<std::string>> obsChains(const std::string& obs) {
    std::vector<std::vector<std::string>> chains;
    std::size_t at = 0;
    while ((at = obs.find("\r\nF ", at)) != std::string::npos) {
        at += 2;
        const std::size_t end = obs.find("\r\n", at);
        const std::string line = obs.substr(at, end - at);
        if (line.starts_with("F 00 ")) chains.emplace_back();
        if (!line.starts_with("F 01 ")) continue;
        std::string list = line.substr(5);
        if (list.ends_with(", ")) list.pop_back();
        std::size_t start = 0;
        for (std::size_t comma; (comma = list.find(',', start)) != std::string::npos;
             start = comma + 1) {
            chains.back().push_back(list.substr(start, comma - start));
        }
        if (start < list.size()) chains.back().push_back(list.substr(start));
    }
    return chains;
}

// The sketch's chains by the names of the points it draws them through.
std::vector<std::vector<std::string>> sketchChains(Form1& window) {
    std::vector<std::vector<std::string>> chains;
    const review::SketchModel& model = control<SketchWidget>(window, "ReviewSketch")->model();
    for (const review::SketchChain& chain : model.chains) {
        std::vector<std::string>& drawn = chains.emplace_back();
        for (const std::size_t i : chain.points) drawn.push_back(model.points.at(i).label);
    }
    return chains;
}

// Opens the Review tab and waits for the review it starts off the window's thread.
bool openReviewTab(Form1& window) {
    return waitForReviewPage(*control<ReviewPage>(window, "ReviewPage"),
                             [&] { clickTab(window, 4); });
}

// The lines of the job report's "Files written" section, as pdftotext reads
// them, with the ligatures the fonts make of ff, fi, fl, ffi and ffl (which
// a folder's name may hold) folded back to their letters.
QStringList filesWrittenLines(const std::string& pdfPath) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral(ZENDRO_PDFTOTEXT), {QString::fromStdString(pdfPath), "-"});
    if (!pdftotext.waitForFinished(20000)) return {};
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput())
                             .normalized(QString::NormalizationForm_KC);
    QStringList lines =
        text.mid(text.indexOf(QStringLiteral("Files written"))).split('\n', Qt::SkipEmptyParts);
    return lines.mid(0, 4);
}

}  // namespace

class ReviewTabTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QCoreApplication::setApplicationName(QStringLiteral("zendro"));
        qputenv("SOURCE_DATE_EPOCH", kSourceDateEpoch);
    }

    void sketchChainsAreTheObsChainsAndFollowDone() {
        Installation installation;
        TempDir jobs;
        writeChainJob(jobs);
        FakeDialogs dialogs;
        auto window = openWindow(dialogs);
        dialogs.choices.push_back(QString::fromStdString(jobs.file("CH.HVD")));
        clickButton(*window, "GetFile");
        QVERIFY(clickConvertAndWait(*window));
        QVERIFY(openReviewTab(*window));
        QVERIFY(control<ReviewPage>(*window, "ReviewPage")->isVisible());
        const std::vector<std::vector<std::string>> before = {{"S1001", "S1002", "S1003", "S1004"}};
        QCOMPARE(obsChains(readFile(jobs.file("CH.obs"))), before);
        QCOMPARE(sketchChains(*window), before);

        // 1002 becomes CL in the editor; after Done the sketch leaves it out,
        // as the next conversion's chain section does.
        clickTab(*window, 2);
        auto* grid = control<QTableWidget>(*window, "PointGrid1");
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualItemRect(grid->item(3, 1)).center());
        auto* description = control<QLineEdit>(*window, "GridText1");
        description->selectAll();
        QTest::keyClicks(description, "CL");
        clickButton(*window, "Command1");
        QVERIFY(openReviewTab(*window));
        const std::vector<std::vector<std::string>> after = {{"S1001", "S1003", "S1004"}};
        QCOMPARE(sketchChains(*window), after);
        clickTab(*window, 1);
        QVERIFY(clickConvertAndWait(*window));
        QCOMPARE(obsChains(readFile(jobs.file("CH.obs"))), after);
    }

    // The window's conversion is the report's: its files and their counts.
    void theJobReportListsTheFilesTheWindowWrote() {
        Installation installation;
        TempDir jobs;
        FakeDialogs dialogs;
        auto window = windowOnChainJob(dialogs, jobs);
        QVERIFY(clickConvertAndWait(*window));
        QVERIFY(openReviewTab(*window));
        auto* page = control<ReviewPage>(*window, "ReviewPage");
        const std::string report = jobs.file("CH-report.pdf");
        page->setSavePathChooser([&](const QString&, const QString&, const QString&) {
            return QString::fromStdString(report);
        });
        QSignalSpy ended(page, &ReviewPage::backgroundWorkEnded);
        clickButton(*page, "ReviewExportReport");
        QVERIFY(ended.wait(20000));
        // 7 HVD records, 7 CTX points, the one EP chain; OBS Only (the
        // window's default) and a new point-feature file.
        const QStringList expected = {
            QStringLiteral("Files written"), QString::fromStdString(jobs.file("CH.obs")),
            QString::fromStdString(jobs.file("CH.pf")),
            QStringLiteral(
                "Converted: 7 HVD records, 7 point-feature entries, 1 chains, 0 warnings")};
        QCOMPARE(filesWrittenLines(report), expected);
    }

    // The point-name pass runs off the window's thread before the review:
    // the page waits disabled under the busy cursor, then reviews the job.
    void theTabWaitsForThePointNames() {
        Installation installation;
        TempDir jobs;
        FakeDialogs dialogs;
        auto window = windowOnChainJob(dialogs, jobs);
        auto* page = control<ReviewPage>(*window, "ReviewPage");
        QVERIFY(waitForReviewPage(*page, [&] {
            clickTabNoWait(*window, 4);
            QVERIFY(window->pageLoading());
            QVERIFY(page->isVisible() && !page->isEnabled());
            QCOMPARE(QApplication::overrideCursor()->shape(), Qt::BusyCursor);
        }));
        QVERIFY(page->isEnabled());
        QVERIFY(QApplication::overrideCursor() == nullptr);
        QVERIFY(fileExists(jobs.file("CH.pf")));
        QCOMPARE(sketchChains(*window),
                 (std::vector<std::vector<std::string>>{{"S1001", "S1002", "S1003", "S1004"}}));
    }

    void doubleClickedPointOpensItsRow() {
        Installation installation;
        TempDir jobs;
        writeChainJob(jobs);
        FakeDialogs dialogs;
        auto window = openWindow(dialogs);
        // Refused, like the feature editor, until a job is chosen.
        clickTab(*window, 4);
        QCOMPARE(
            dialogs.messages,
            QStringList{QStringLiteral("Cannot view the data without converting it first. ^_^")});
        QVERIFY(control<QGroupBox>(*window, "Frame2")->isVisible());
        dialogs.choices.push_back(QString::fromStdString(jobs.file("CH.HVD")));
        clickButton(*window, "GetFile");
        QVERIFY(openReviewTab(*window));
        auto* sketch = control<SketchWidget>(*window, "ReviewSketch");
        const review::SketchModel& model = sketch->model();
        const review::SketchPoint& point =
            model.points.at(static_cast<std::size_t>(model.indexOf(1003)));
        QTest::mouseDClick(
            sketch, Qt::LeftButton, {},
            sketch->view().toDevice(point.x, point.y, QSizeF(sketch->size())).toPoint());
        // The grid loads off the window's thread, then shows the entry.
        QVERIFY(QTest::qWaitFor([&] { return !window->pageLoading(); }));
        QVERIFY(control<QGroupBox>(*window, "Frame3")->isVisible());
        QCOMPARE(control<QTableWidget>(*window, "PointGrid1")->currentRow(), 4);  // entry 5
        QCOMPARE(control<QLineEdit>(*window, "GridText1")->text(), QStringLiteral("EP*"));
    }
};

}  // namespace zendro::testing

QTEST_MAIN(zendro::testing::ReviewTabTest)
#include "review_tab_test.moc"
