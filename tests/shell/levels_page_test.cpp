// The Levels page driven through its own controls: a level run with one
// unbalanced setup opened, its findings sorted and followed to their line and
// profile, and the run joining the job's review in the window.

#include "shell/levels/levels_page.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QComboBox>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <limits>

#include "shell/levels/level_findings_model.h"
#include "shell/levels/level_profile_widget.h"
#include "shell/main_window.h"
#include "shell/review/review_page.h"
#include "tests/shell/fake_dialogs.h"
#include "tests/shell/shell_test_support.h"
#include "tests/support/levelled_job.h"

namespace zendro::testing {
namespace {

// The generated run with setup 3 of line 3 planted with its sights far from
// equal: the one setup imbalance over its limit.
genlevels::FaultRequest unbalancedSetup() {
    genlevels::FaultRequest fault;
    fault.unbalanced = true;
    fault.line = 3;
    fault.setup = 3;
    return fault;
}

// Opens `files` through "Open M5 Files..." and waits for the run to be shown.
bool openRun(LevelsPage& page, const QStringList& files) {
    page.setFilesChooser([files](const QString&, const QString&, const QString&) { return files; });
    QSignalSpy ended(&page, &LevelsPage::runEnded);
    QTest::mouseClick(page.findChild<QWidget*>(QStringLiteral("LevelsOpen")), Qt::LeftButton);
    return !ended.isEmpty() || ended.wait(20000);
}

// The row of the view whose finding is a setup imbalance over its limit.
int imbalanceRow(const QAbstractItemModel& shown) {
    for (int row = 0; row < shown.rowCount(); ++row) {
        const QString check = shown.index(row, LevelFindingsModel::Check).data().toString();
        const QString verdict = shown.index(row, LevelFindingsModel::Verdict).data().toString();
        if (check == QStringLiteral("Setup imbalance") && verdict == QStringLiteral("OVER LIMIT"))
            return row;
    }
    return -1;
}

}  // namespace

class LevelsPageTest : public QObject {
    Q_OBJECT

  private slots:
    void aFindingLeadsToItsLineAndItsSetupIsDrawnFailing() {
        TempDir dir;
        const LevelledJob made = writeLevelledJob(dir, unbalancedSetup());
        FakeDialogs dialogs;
        LevelsPage page(dialogs);
        page.setUnit(LengthUnit::Metre);
        page.resize(1200, 700);
        page.show();
        QVERIFY(openRun(page, {QString::fromStdString(made.runPath)}));
        QCOMPARE(dialogs.messages, QStringList());

        auto* lines = page.findChild<QTableWidget*>(QStringLiteral("LevelsLines"));
        QCOMPARE(lines->rowCount(), 6);
        auto* findings = page.findChild<QTableView*>(QStringLiteral("LevelsFindings"));
        const QAbstractItemModel& shown = *findings->model();

        // Sorted by the measured value, largest first: numbers as numbers
        // (as text "12.3" would sort before "9.8"), rows without one last.
        findings->sortByColumn(LevelFindingsModel::Measured, Qt::DescendingOrder);
        double previous = std::numeric_limits<double>::infinity();
        bool valueless = false;
        for (int row = 0; row < shown.rowCount(); ++row) {
            const QVariant value =
                shown.index(row, LevelFindingsModel::Measured).data(LevelFindingsModel::kSortRole);
            if (!value.isValid()) {
                valueless = true;
                continue;
            }
            QVERIFY2(!valueless, "a finding with a value after one without");
            QVERIFY(value.toDouble() <= previous);
            previous = value.toDouble();
        }

        // Filtered as the Review page's findings are: over their limits only,
        // then one check's. The run has one finding over a limit, the planted
        // setup, among the closures every line lists.
        const int all = shown.rowCount();
        auto* overOnly = page.findChild<QCheckBox*>(QStringLiteral("LevelsOverLimitOnly"));
        QTest::mouseClick(overOnly, Qt::LeftButton, {}, QPoint(4, overOnly->height() / 2));
        QCOMPARE(shown.rowCount(), 1);
        QCOMPARE(imbalanceRow(shown), 0);
        QTest::mouseClick(overOnly, Qt::LeftButton, {}, QPoint(4, overOnly->height() / 2));
        QCOMPARE(shown.rowCount(), all);
        auto* checks = page.findChild<QComboBox*>(QStringLiteral("LevelsFindingCheck"));
        const int closures = checks->findText(QStringLiteral("Closure"), Qt::MatchStartsWith);
        QVERIFY(closures > 0);
        checks->setCurrentIndex(closures);
        QCOMPARE(checks->currentText(), QStringLiteral("Closure (%1)").arg(shown.rowCount()));
        for (int row = 0; row < shown.rowCount(); ++row)
            QCOMPARE(shown.index(row, LevelFindingsModel::Check).data().toString(),
                     QStringLiteral("Closure"));
        checks->setCurrentIndex(0);
        QCOMPARE(checks->currentText(), QStringLiteral("All (%1)").arg(all));

        // Enter on the imbalance: its line is chosen, and its profile draws
        // setup 3 (joining the third and fourth points) as failing, no other.
        const int row = imbalanceRow(shown);
        QVERIFY(row >= 0);
        QCOMPARE(shown.index(row, LevelFindingsModel::Place).data().toString().section(',', 0, 0),
                 QStringLiteral("LV-RUN.DAT line 3"));
        findings->setFocus();
        findings->setCurrentIndex(shown.index(row, 0));
        QTest::keyClick(findings, Qt::Key_Return);
        QCOMPARE(lines->item(lines->currentRow(), 0)->text(), QStringLiteral("3"));
        const levels::LineProfile& profile = page.profile().profile();
        QVERIFY(QString::fromStdString(profile.title).startsWith(QStringLiteral("Line 3")));
        const std::vector<bool> expected = [&] {
            std::vector<bool> failing(profile.points.size() - 1, false);
            failing[2] = true;
            return failing;
        }();
        QCOMPARE(profile.failing, expected);
    }

    void theRunOpenedJoinsTheJobsReview() {
        Installation installation;
        TempDir dir;
        const LevelledJob made = writeLevelledJob(dir, unbalancedSetup());
        FakeDialogs dialogs;
        auto window = openWindow(dialogs);
        clickButton(*window, "EM2");  // metric, as the job
        chooseJob(*window, dialogs, made.hvdPath);
        QVERIFY(clickConvertAndWait(*window));
        clickTab(*window, 5);
        QVERIFY(openRun(*control<LevelsPage>(*window, "LevelsPage"),
                        {QString::fromStdString(made.runPath)}));
        clickTab(*window, 4);
        auto* review = control<ReviewPage>(*window, "ReviewPage");
        const auto imbalanceShown = [&] {
            const QAbstractItemModel* shown =
                review->findChild<QTableView*>(QStringLiteral("ReviewFindings"))->model();
            for (int row = 0; row < shown->rowCount(); ++row) {
                const QString line = shown->index(row, 0).data(Qt::ToolTipRole).toString();
                if (line.startsWith(QString::fromStdString(made.runPath) +
                                    QStringLiteral(": line 3")) &&
                    line.contains(QStringLiteral("OVER LIMIT")))
                    return true;
            }
            return false;
        };
        QVERIFY(QTest::qWaitFor(imbalanceShown, 20000));

        // Another job: the run's point numbers are not its own, so the run
        // leaves with the job it joined.
        writeSampleJob(dir.path(), "OTHER");
        chooseJob(*window, dialogs, dir.file("OTHER.HVD"));
        QVERIFY(control<LevelsPage>(*window, "LevelsPage")->files().empty());
        QVERIFY(
            QTest::qWaitFor([&] { return !control<LevelsPage>(*window, "LevelsPage")->busy(); }));
        QVERIFY(control<LevelsPage>(*window, "LevelsPage")->result() == nullptr);
    }
};

}  // namespace zendro::testing

QTEST_MAIN(zendro::testing::LevelsPageTest)
#include "levels_page_test.moc"
