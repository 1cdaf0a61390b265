// The Review page's findings table and live limits on the sample job: sorting,
// the kind filter and "over limit only", an edited limit re-checked at once,
// each unit system's own limits, no stale review shown, and a large page
// shared between the sketch and the findings.

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSplitter>
#include <QTableView>
#include <QTest>
#include <filesystem>

#include "common/run_observer.h"
#include "conversion/conversion_run.h"
#include "shell/review/review_page.h"
#include "shell/review/sketch_widget.h"
#include "tests/shell/fake_dialogs.h"
#include "tests/shell/review_page_support.h"
#include "tests/support/temp_dir.h"

namespace zendro::testing {
namespace {

constexpr int kRecordColumn = 1;
constexpr int kMeasuredColumn = 3;

// The sample job HWY12-3 reviewed with its feet defaults has one finding:
// HVD record 52's backsight, elevation difference -0.238 against 0.050.
// Its face pairs differ horizontally by 5.0" (record 31), -1.8" (32), 7.4"
// (50), 10.0" (68), 5.2" (69) and -10.4" (86): a limit of 6" puts 50, 68 and
// 86 over it. Point 9999, added to its point-feature file, is never observed.
class ReviewFindingsTest : public QObject {
    Q_OBJECT
  private:
    TempDir dir_;
    JobPaths job_;
    FakeDialogs dialogs_;
    std::unique_ptr<ReviewPage> page_;

    template <typename W>
    W* widget(const char* name) { return pageControl<W>(*page_, name); }
    QTableView* table() { return widget<QTableView>("ReviewFindings"); }
    // One column of the rows shown, top to bottom.
    QStringList column(int column) {
        QStringList cells;
        const QAbstractItemModel* shown = table()->model();
        for (int row = 0; row < shown->rowCount(); ++row)
            cells << shown->index(row, column).data().toString();
        return cells;
    }
    QStringList kindEntries() {
        auto* kinds = widget<QComboBox>("ReviewFindingKind");
        QStringList entries;
        for (int i = 0; i < kinds->count(); ++i) entries << kinds->itemText(i);
        return entries;
    }
    QString summary() { return widget<QLabel>("ReviewSummary")->text(); }
    // Types a value into a limit field as the crew would, and waits for the
    // check it starts.
    bool typeLimit(const char* name, const QString& value) {
        auto* field = widget<QDoubleSpinBox>(name);
        return waitForReviewPage(*page_, [&] {
            field->setFocus();
            field->selectAll();
            QTest::keyClicks(field, value);
        });
    }
    bool showIn(bool metric) {
        ConversionOptions options;
        options.unit = zendro::jobUnit(metric);
        return waitForReviewPage(*page_, [&] { page_->showJob(job_, options); });
    }

  private slots:
    void initTestCase() {
        job_ = convertedSampleJob(dir_, ZENDRO_SAMPLES_DIR "/HWY12-3");
        writeFile(job_.pfPath, readFile(job_.pfPath) + " 9999 ,XX, \r\n");
    }
    void init() {
        page_ = std::make_unique<ReviewPage>(dialogs_);
        page_->resize(900, 600);
        page_->show();
        QVERIFY(showIn(false));
    }

    void anEditedLimitIsCheckedAtOnce() {
        QCOMPARE(summary(),
                 QStringLiteral("review: 2 findings, 1 over limit, 11 measured checks within limit; points observed once: 39, not checked"));
        // At 0.300 record 52's -0.238 is within: only point 9999 is left.
        QVERIFY(typeLimit("LimitBacksightElevation", QStringLiteral("0.3")));
        QCOMPARE(summary(),
                 QStringLiteral("review: 1 findings, 0 over limit, 12 measured checks within limit; points observed once: 39, not checked"));
        QCOMPARE(column(kRecordColumn), QStringList{QString()});
    }

    void kindsAreCountedAndOverLimitOnlyHidesTheRest() {
        QVERIFY(typeLimit("LimitFaceHorizontal", QStringLiteral("6")));
        QCOMPARE(kindEntries(), (QStringList{"All (5)", "Backsight (1)", "Face pair (3)",
                                             "Never observed (1)"}));
        auto* kinds = widget<QComboBox>("ReviewFindingKind");
        kinds->setCurrentIndex(2);
        QCOMPARE(column(kRecordColumn), (QStringList{"50", "68", "86"}));
        kinds->setCurrentIndex(0);
        QTest::mouseClick(widget<QCheckBox>("ReviewOverLimitOnly"), Qt::LeftButton);
        QCOMPARE(column(kRecordColumn), (QStringList{"50", "52", "68", "86"}));
    }

    void measuredSortsAsNumbers() {
        QVERIFY(typeLimit("LimitFaceHorizontal", QStringLiteral("6")));
        // Measured: 7.4" (50), 10.0" (68), -10.4" (86) by their size, the
        // backsight's -0.005 as 0.005 (52); point 9999 has none and goes last.
        QHeaderView* header = table()->horizontalHeader();
        const int x = header->sectionViewportPosition(kMeasuredColumn) +
                      header->sectionSize(kMeasuredColumn) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
        QCOMPARE(column(kRecordColumn), (QStringList{"52", "50", "68", "86", ""}));
    }

    void eachUnitKeepsItsOwnEdits() {
        QSignalSpy edited(page_.get(), &ReviewPage::limitsEdited);
        // Filling the fields on a change of unit is not an edit: no signal then.
        auto* field = widget<QDoubleSpinBox>("LimitBacksightDistance");
        QVERIFY(typeLimit("LimitBacksightDistance", QStringLiteral("0.07")));
        const qsizetype feetEdits = edited.size();
        QVERIFY(feetEdits > 0);
        QVERIFY(showIn(true));
        QCOMPARE(edited.size(), feetEdits);
        QCOMPARE(field->value(), 0.015);  // the meter default
        QCOMPARE(field->suffix(), QStringLiteral(" m"));
        QVERIFY(typeLimit("LimitBacksightDistance", QStringLiteral("0.02")));
        const qsizetype allEdits = edited.size();
        QVERIFY(showIn(false));
        QCOMPARE(edited.size(), allEdits);
        QCOMPARE(field->value(), 0.07);
        QCOMPARE(field->suffix(), QStringLiteral(" ft"));
        QCOMPARE(page_->limits(false).backsightDistance, 0.07);
        QCOMPARE(page_->limits(true).backsightDistance, 0.02);
        for (qsizetype i = 0; i < allEdits; ++i)
            QCOMPARE(edited.at(i).at(0).toBool(), i >= feetEdits);
    }

    void aStaleReviewNeverReplacesANewerOne() {
        // Asked for in feet, then at once in meters: only the metric review may
        // ever be shown. At 0.015 the check shots of records 54 (0.021 apart)
        // and 73 (0.022) join record 52's backsight and point 9999; in feet
        // (0.050) they are within.
        QList<QStringList> shown;
        connect(table()->model(), &QAbstractItemModel::modelReset, this,
                [&] { shown << shownFindingLines(*page_); });
        ConversionOptions metric;
        metric.unit = zendro::LengthUnit::Metre;
        QVERIFY(waitForReviewPage(*page_, [&] {
            page_->showJob(job_, ConversionOptions{});
            page_->showJob(job_, metric);
        }));
        QVERIFY(!shown.isEmpty());
        for (const QStringList& lines : shown) {
            QCOMPARE(lines.size(), 4);
            QVERIFY2(lines[0].contains(QStringLiteral("limit 0.015, elevation 0.015")),
                     qPrintable(lines[0]));
        }
        QVERIFY(!page_->busy());
    }

    // A large page shares its width: the sketch keeps most of its height and
    // over a third of the page, the findings show every column, and the
    // split the crew makes is kept for the next session.
    void aLargePageShowsEveryFindingsColumnAndKeepsItsSplit() {
        page_->resize(1600, 960);
        QVERIFY(QTest::qWaitFor([&] { return page_->size() == QSize(1600, 960); }));
        QCoreApplication::processEvents();
        const QSize sketch = page_->sketch().size();
        const double share = double(sketch.width()) * sketch.height() / (1600.0 * 960.0);
        QVERIFY2(share >= 0.35, qPrintable(QString::number(share)));
        QVERIFY2(table()->horizontalHeader()->length() <= table()->viewport()->width(),
                 qPrintable(QStringLiteral("%1 of %2")
                                .arg(table()->horizontalHeader()->length())
                                .arg(table()->viewport()->width())));

        auto* splitter = widget<QSplitter>("ReviewSplitter");
        splitter->setSizes({1000, 560});
        const QList<int> chosen = splitter->sizes();
        ReviewPage next(dialogs_);
        next.restoreSplitterState(page_->splitterState());
        next.resize(1600, 960);
        next.show();
        QVERIFY(QTest::qWaitForWindowExposed(&next));
        QCOMPARE(next.findChild<QSplitter*>(QStringLiteral("ReviewSplitter"))->sizes(), chosen);
    }
};

}  // namespace
}  // namespace zendro::testing

QTEST_MAIN(zendro::testing::ReviewFindingsTest)
#include "review_findings_test.moc"
