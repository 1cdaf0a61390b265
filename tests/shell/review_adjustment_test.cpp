// The Review page's "Adjustment" tab driven through its real widgets on the
// shipped sample job, whose target height at HVD record 52 was keyed 0.5 ft
// high (samples/README.md); the adjustment runs off the window's thread, so
// each step waits for the page to say it has ended.

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <cmath>
#include <filesystem>

#include "common/run_observer.h"
#include "conversion/conversion_run.h"
#include "shell/review/adjustment_tab.h"
#include "shell/review/review_page.h"
#include "shell/review/sketch_widget.h"
#include "tests/shell/fake_dialogs.h"
#include "tests/shell/review_page_support.h"
#include "tests/support/temp_dir.h"

namespace zendro::testing {
namespace {

class ReviewAdjustmentTest : public QObject {
    Q_OBJECT
  private:
    TempDir dir_;
    FakeDialogs dialogs_;
    std::unique_ptr<ReviewPage> page_;
    JobPaths job_;

    template <typename W>
    W* widget(const char* name) {
        return pageControl<W>(*page_, name);
    }
    void adjust() {
        QSignalSpy ended(page_.get(), &ReviewPage::backgroundWorkEnded);
        QTest::mouseClick(widget<QPushButton>("ReviewAdjust"), Qt::LeftButton);
        QVERIFY(ended.wait(20000));
    }
    QString cell(int row, int column) {
        return widget<QTableView>("ResidualTable")->model()->index(row, column).data().toString();
    }
    void showIn(bool metric) {
        ConversionOptions options;
        options.unit = zendro::jobUnit(metric);
        QVERIFY(waitForReviewPage(*page_, [&] { page_->showJob(job_, options); }));
    }

  private slots:
    void initTestCase() { job_ = convertedSampleJob(dir_, ZENDRO_SAMPLES_DIR "/HWY12-3"); }
    void init() {
        page_ = std::make_unique<ReviewPage>(dialogs_);
        page_->resize(900, 600);
        page_->show();
        showIn(false);
    }

    void theBlunderLeadsTheResidualsAndTheAdjustedPositionsAreOffered() {
        auto* frames =
            qobject_cast<QStandardItemModel*>(widget<QComboBox>("PositionsFrame")->model());
        QVERIFY(!frames->item(2)->isEnabled());  // nothing adjusted yet
        page_->resize(1600, 960);
        adjust();
        QCOMPARE(dialogs_.messages, QStringList{});
        // Read at a glance at 1600 wide: the test on one line, all of it in
        // view, and every residual column.
        auto* statistics = widget<QLabel>("AdjustmentStatistics");
        QVERIFY2(statistics->text().endsWith(QStringLiteral(": failed high")),
                 qPrintable(statistics->text()));
        QVERIFY(widget<QLabel>("AdjustmentAdvice")
                    ->text()
                    .startsWith(QStringLiteral("Failed high: the readings scatter more")));
        // The sample's 39 sideshots, which no adjustment checks either.
        QVERIFY(widget<QLabel>("AdjustmentObservedOnce")
                    ->text()
                    .startsWith(QStringLiteral("Points observed once: 39, not checked: ")));
        widget<QTabWidget>("ReviewTabs")->setCurrentIndex(4);
        QVERIFY(QTest::qWaitForWindowExposed(page_.get()));
        QVERIFY2(statistics->contentsRect().width() >=
                     statistics->fontMetrics().horizontalAdvance(statistics->text()),
                 qPrintable(QString::number(statistics->width())));
        auto* residuals = widget<QTableView>("ResidualTable");
        QVERIFY2(residuals->horizontalHeader()->length() <= residuals->viewport()->width(),
                 qPrintable(QStringLiteral("%1 of %2")
                                .arg(residuals->horizontalHeader()->length())
                                .arg(residuals->viewport()->width())));
        // The sketch follows the adjustment without a second step.
        QCOMPARE(widget<QComboBox>("PositionsFrame")->currentIndex(), 2);
        QCOMPARE(page_->sketch().model().title.frame, std::string("adjusted"));
        // The command line names it: HVD record 52, height difference from 4
        // to 3, residual +0.4044 ft, standardized +30.78.
        QCOMPARE(
            (QStringList{cell(0, 0), cell(0, 1), cell(0, 2), cell(0, 3), cell(0, 5), cell(0, 6)}),
            (QStringList{"52", "height difference", "4", "3", "0.4044 ft", "30.78"}));
        QVERIFY(widget<QTableView>("ResidualTable")
                    ->model()
                    ->index(0, 0)
                    .data(Qt::FontRole)
                    .value<QFont>()
                    .bold());
        QVERIFY(!widget<QTableView>("ResidualTable")
                     ->model()
                     ->index(1, 0)
                     .data(Qt::FontRole)
                     .value<QFont>()
                     .bold());

        // A click on the blunder's row centres the sketch on point 3.
        auto* table = widget<QTableView>("ResidualTable");
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          table->visualRect(table->model()->index(0, 1)).center());
        const review::SketchModel& sketch = page_->sketch().model();
        const review::SketchPoint& three =
            sketch.points.at(static_cast<std::size_t>(sketch.indexOf(3)));
        QCOMPARE(page_->sketch().view().centreX, three.x);
        QCOMPARE(page_->sketch().view().centreY, three.y);

        QVERIFY(frames->item(2)->isEnabled());
        // Point 1003 as the command line's report gives it: N -175.6071
        // E 146.7392 Z -5.3996, sN 0.0089 sE 0.0087 sZ 0.0727; its ellipse
        // 0.0234 by 0.0195 at 139.5.
        auto* positions = widget<QListWidget>("ReviewPositions");
        const auto found = positions->findItems(QStringLiteral("1003  "), Qt::MatchStartsWith);
        QCOMPARE(found.size(), 1);
        QCOMPARE(found[0]->text(),
                 QStringLiteral("1003  N -175.607  E 146.739  Z -5.400  sN 0.009  sE 0.009  "
                                "sZ 0.070"));
        const review::SketchModel& placed = page_->sketch().model();
        const review::SketchPoint& p1003 =
            placed.points.at(static_cast<std::size_t>(placed.indexOf(1003)));
        QCOMPARE(placed.title.frame, std::string("adjusted"));
        QVERIFY(std::abs(p1003.x - 146.7392) < 5e-5 && std::abs(p1003.y + 175.6071) < 5e-5);
        QVERIFY(p1003.ellipse && std::abs(p1003.ellipse->major - 0.0234) < 5e-5);
    }

    void aBlunderBelowLeadsTheResidualsAsOneAbove() {
        // The closed square with B's target on C (HVD record 5) keyed 0.50 low:
        // that height difference reads 0.50 high. Each leg is read from both
        // ends, so the loop's height differences x1..x4 (adding up to 0)
        // minimize (x2 - 0.5)^2 + x2^2 + 2 (x1^2 + x3^2 + x4^2): x2 = 3/16,
        // the others -1/16. Record 5's residual is 0.1875 - 0.5 = -0.3125 ft,
        // C's backsight on B (record 7, the leg read back) -0.1875, the other
        // legs' readings +-0.0625. Each of the 8 has redundancy 5/8 and sigma
        // sqrt((100 x 5")^2 + 0.003^2 + 0.007^2) = 0.0079923 ft: standardized
        // -49.46, -29.68 and +-9.89. The largest in size leads, below zero.
        TempDir square;
        writeSquareJob(square, 100);
        QVERIFY(waitForReviewPage(*page_, [&] {
            page_->showJob(deriveJobPaths(square.file("SQ.HVD")), ConversionOptions{});
        }));
        adjust();
        QCOMPARE((QStringList{cell(0, 0), cell(0, 1), cell(0, 2), cell(0, 3), cell(0, 5),
                              cell(0, 6), cell(1, 0), cell(1, 6)}),
                 (QStringList{"5", "height difference", "2", "3", "-0.3125 ft", "-49.46", "7",
                              "-29.68"}));
        QVERIFY(widget<QTableView>("ResidualTable")
                    ->model()
                    ->index(0, 0)
                    .data(Qt::FontRole)
                    .value<QFont>()
                    .bold());
        // Every point of the square is a station: none observed once.
        QCOMPARE(widget<QLabel>("AdjustmentObservedOnce")->text(), QString());
    }

    // Deviations far too pessimistic for the sample's 5" instrument: the
    // test fails low, which asks for nothing to be re-measured.
    void aTestFailedLowSaysNothingIsToBeMeasuredAgain() {
        widget<QDoubleSpinBox>("SigmaDirection")->setValue(60);
        widget<QDoubleSpinBox>("SigmaZenith")->setValue(60);
        widget<QDoubleSpinBox>("SigmaDistanceConstant")->setValue(0.5);
        widget<QDoubleSpinBox>("SigmaTargetCentring")->setValue(2);
        adjust();
        QVERIFY2(
            widget<QLabel>("AdjustmentStatistics")->text().endsWith(QStringLiteral(": failed low")),
            qPrintable(widget<QLabel>("AdjustmentStatistics")->text()));
        QCOMPARE(widget<QLabel>("AdjustmentAdvice")->text(),
                 QStringLiteral("Failed low: the a priori deviations are pessimistic for this "
                                "instrument; nothing to re-measure"));
    }

    // A coordinate system applied after an adjustment adjusts again, and says
    // so; Apply without a control file or a start says what it ties.
    void applyingASystemAfterAnAdjustmentAdjustsAgain() {
        adjust();
        const QString adjusted = widget<QLabel>("AdjustmentStatistics")->text();
        widget<QLineEdit>("CoordinateSystem")->setText(QStringLiteral("EPSG:2227"));
        QSignalSpy ended(page_.get(), &ReviewPage::backgroundWorkEnded);
        QTest::mouseClick(widget<QPushButton>("ReviewApplyPlacement"), Qt::LeftButton);
        QVERIFY(ended.wait(20000));
        QCOMPARE(dialogs_.messages.size(), 1);
        QVERIFY(dialogs_.messages[0].startsWith(QStringLiteral("No control file and no start")));
        QCOMPARE(widget<QLabel>("AdjustmentNote")->text(),
                 QStringLiteral("Adjusted again on the control, start and system applied."));
        QCOMPARE(widget<QLabel>("AdjustmentStatistics")->text(), adjusted);
        QCOMPARE(widget<QComboBox>("PositionsFrame")->currentIndex(), 2);
        QCOMPARE(page_->sketch().model().title.frame, std::string("adjusted"));
    }

    void sigmasEditedInFeetSurviveASwitchToMetricAndBack() {
        AdjustmentTab& tab = page_->adjustmentTab();
        QSignalSpy edited(&tab, &AdjustmentTab::sigmasEdited);
        widget<QDoubleSpinBox>("SigmaDirection")->setValue(7);
        widget<QDoubleSpinBox>("SigmaTargetCentring")->setValue(0.02);
        QCOMPARE(edited.size(), 2);
        QCOMPARE(edited.last().at(0).toBool(), false);
        const auto feet = edited.last().at(1).value<adjustment::AprioriSigmas>();
        QCOMPARE(std::make_pair(feet.directionSeconds, feet.targetCentring),
                 std::make_pair(7.0, 0.02));

        showIn(true);  // the meter defaults: 5", 0.003 m + 3 ppm
        QCOMPARE((std::vector<double>{widget<QDoubleSpinBox>("SigmaDirection")->value(),
                                      widget<QDoubleSpinBox>("SigmaDistanceConstant")->value(),
                                      widget<QDoubleSpinBox>("SigmaTargetCentring")->value()}),
                 (std::vector<double>{5, 0.003, 0.002}));
        QCOMPARE(edited.size(), 2);  // showing the other unit is no edit
        showIn(false);
        QCOMPARE(widget<QDoubleSpinBox>("SigmaDirection")->value(), 7.0);
        QCOMPARE(widget<QDoubleSpinBox>("SigmaTargetCentring")->value(), 0.02);
        QCOMPARE(tab.sigmas(false).directionSeconds, 7.0);
    }
};

}  // namespace
}  // namespace zendro::testing

QTEST_MAIN(zendro::testing::ReviewAdjustmentTest)
#include "review_adjustment_test.moc"
