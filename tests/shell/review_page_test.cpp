// The "Review" page driven through its real widgets: the report beside the
// sketch, clicking a finding, zoom, pan, tooltips, double-click and exports.

#include "shell/review/review_page.h"

#include <QDoubleSpinBox>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QWheelEvent>
#include <cmath>

#include "review_view/plan_sheet.h"
#include "review_view/sketch_renderer.h"
#include "shell/review/sketch_export_dialog.h"
#include "shell/review/sketch_widget.h"
#include "tests/shell/fake_dialogs.h"
#include "tests/shell/review_page_support.h"
#include "tests/support/job_builder.h"
#include "tests/support/temp_dir.h"

namespace zendro::testing {
namespace {

// The closed square A(1) B(2) C(3) D(4) of 100.000 legs (A at the origin, D
// 100 north of it), then from D, backsighting C (azimuth 90) at reading 0, the
// EP chain shot at reading 270 (azimuth 0): 1001, 1002, 1003 at 30, 60 and 90
// north of D, that is at north 130, 160 and 190, east 0.
void writeJob(const TempDir& dir) {
    const auto setup = [](std::uint16_t p) { return hvdRecord(1, p, 150); };
    const auto backsight = [](std::uint16_t p) {
        return hvdRecord(3, p, 150, 0, 9000000, 1000000);
    };
    const auto traverse = [](std::uint16_t p) {
        return hvdRecord(4, p, 150, 9000000, 9000000, 1000000);
    };
    const auto side = [](std::uint16_t p, std::uint32_t d) {
        return hvdRecord(5, p, 150, 27000000, 9000000, d);
    };
    writeFile(dir.file("SQ.HVD"), setup(1) + backsight(4) + traverse(2) + setup(2) + backsight(1) +
                                      traverse(3) + setup(3) + backsight(2) + traverse(4) +
                                      setup(4) + backsight(3) + traverse(1) + side(1001, 300000) +
                                      side(1002, 600000) + side(1003, 900000));
    writeFile(dir.file("SQ.pf"),
              "1,CP, \r\n2,CP, \r\n3,CP, \r\n4,CP, \r\n1001,+EP, \r\n"
              "1002,EP,EDGE \r\n1003,-EP, \r\n");
}

class ReviewPageTest : public QObject {
    Q_OBJECT
  private:
    TempDir dir_;
    FakeDialogs dialogs_;
    std::unique_ptr<ReviewPage> page_;

    SketchWidget& sketch() { return page_->sketch(); }
    void click(const char* button) {
        QTest::mouseClick(page_->findChild<QPushButton*>(QString::fromLatin1(button)),
                          Qt::LeftButton);
    }
    // The sketch export as the user makes it: the button, the file through
    // the dialog's Browse..., then Export.
    void exportSketchThroughDialog() {
        click("ReviewExportSketch");
        auto* dialog = page_->findChild<SketchExportDialog*>();
        QVERIFY(dialog != nullptr);
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("SketchExportBrowse")),
                          Qt::LeftButton);
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("SketchExportWrite")),
                          Qt::LeftButton);
        delete dialog;
    }
    QPointF deviceOf(std::int64_t number) {
        const auto& model = sketch().model();
        const auto& p = model.points.at(static_cast<std::size_t>(model.indexOf(number)));
        return sketch().view().toDevice(p.x, p.y, QSizeF(sketch().size()));
    }

  private slots:
    void init() {
        writeJob(dir_);
        page_ = std::make_unique<ReviewPage>(dialogs_);
        page_->resize(900, 500);
        page_->show();
        QVERIFY(waitForReviewPage(*page_, [this] {
            page_->showJob(deriveJobPaths(dir_.file("SQ.HVD")), ConversionOptions{});
        }));
        // After the wait: the page's layout has placed the sketch by then.
        sketch().resize(400, 400);
        sketch().fitToWindow();
    }

    void reportSitsBesideTheSketch() {
        QCOMPARE(
            shownFindingLines(*page_),
            QStringList{
                "HVD record 11, setup on 4, point 1: traverse closure: misclosure north 0.0000 "
                "east 0.0000 elevation 0.0000, linear 0.0000 over 400.000, "
                "precision exact; limit 1:10000, elevation 0.100: within limit"});
        // Its parts in the table's columns: kind, record, point, measured, limit, verdict, advice.
        const QAbstractItemModel* table =
            page_->findChild<QTableView*>(QStringLiteral("ReviewFindings"))->model();
        QStringList cells;
        for (int column = 0; column < table->columnCount(); ++column)
            cells << table->index(0, column).data().toString();
        QCOMPARE(cells, (QStringList{"Closure", "11", "1", "exact, elevation 0.0000",
                                     "1:10000, elevation 0.100", "within limit", ""}));
        QCOMPARE(page_->findChild<QLabel*>(QStringLiteral("ReviewSummary"))->text(),
                 QStringLiteral("review: 1 findings, 0 over limit, 4 measured checks within limit; "
                                "points observed once: 3, not checked"));
        // The chain runs through its three points in the OBS order.
        const auto& model = sketch().model();
        QCOMPARE(model.chains.size(), std::size_t{1});
        QCOMPARE(model.chains[0].pointTexts, (std::vector<std::string>{"S1001", "S1002", "S1003"}));
        const double north[] = {130, 160, 190};
        for (std::size_t i = 0; i < 3; ++i) {
            const auto& p = model.points.at(model.chains[0].points.at(i));
            QVERIFY(std::abs(p.x) < 1e-6);
            QVERIFY(std::abs(p.y - north[i]) < 1e-6);
        }
    }

    // Bounds east 0 to 100, north 0 to 190. Fitted, every point lies clear
    // of the legend, title block, north arrow and scale bar, and the job
    // fills its band: 190 north takes all but the margins of the height
    // between the top boxes and the bottom ones, or 100 east all of the width
    // between the left and right ones.
    void sketchIsFittedClearOfTheSheetAndDrawn() {
        const review::SketchView view = sketch().view();
        // Laid out as the widget paints it: its font, on it.
        const review::PlanSheet sheet(sketch().font(), &sketch(), QSizeF(sketch().size()), view,
                                      sketch().model(), 0);
        const std::vector<QRectF> boxes = sheet.boxes();  // north, legend, bar, title
        for (const auto& p : sketch().model().points) {
            const QPointF at = view.toDevice(p.x, p.y, QSizeF(sketch().size()));
            for (const QRectF& box : boxes)
                QVERIFY2(!box.adjusted(-3, -3, 3, 3).contains(at), p.label.c_str());
        }
        const double top = std::max(boxes[0].bottom(), boxes[1].bottom());
        const double bottom = std::min(boxes[2].top(), boxes[3].top());
        const double left = std::max(boxes[1].right(), boxes[2].right());
        const double right = std::min(boxes[0].left(), boxes[3].left());
        const bool fillsHeight = std::abs(190 * view.scale - (bottom - top - 24)) < 1e-6;
        const bool fillsWidth = std::abs(100 * view.scale - (right - left - 24)) < 1e-6;
        QVERIFY2(fillsHeight || fillsWidth, qPrintable(QString::number(view.scale)));

        const QImage shot = sketch().grab().toImage();
        const QColor mark = shot.pixelColor(deviceOf(1002).toPoint());
        QVERIFY2(mark.red() < 80 && mark.green() < 80 && mark.blue() < 80, qPrintable(mark.name()));
        QCOMPARE(shot.pixelColor(200, 395), QColor(Qt::white));
    }

    // Double-click or Enter on a finding centres its point and rings it; the
    // finding is shown whole under the table.
    void aFindingChosenCentresAndMarksItsPoint() {
        auto* findings = page_->findChild<QTableView*>(QStringLiteral("ReviewFindings"));
        QCOMPARE(page_->findChild<QLabel*>(QStringLiteral("ReviewFindingDetail"))->text(),
                 shownFindingLines(*page_).at(0));
        const double fitted = sketch().view().scale;
        const QPoint cell = findings->visualRect(findings->model()->index(0, 0)).center();
        // The first click of a double-click selects; the second is the double-click.
        QTest::mouseClick(findings->viewport(), Qt::LeftButton, {}, cell);
        QTest::mouseDClick(findings->viewport(), Qt::LeftButton, {}, cell);
        QCOMPARE(sketch().view().centreX, 0.0);  // point 1 is A, the origin
        QCOMPARE(sketch().view().centreY, 0.0);
        QVERIFY(sketch().view().scale > fitted);
        QCOMPARE(sketch().markedPoint(), std::optional<std::int64_t>(1));
        // The ring, 11 pixels round the centre, in its own colour.
        const QColor ring = sketch().grab().toImage().pixelColor(
            QPoint(sketch().width() / 2, sketch().height() / 2 - 11));
        QVERIFY2(ring.red() > 180 && ring.green() < 80, qPrintable(ring.name()));

        sketch().markPoint(std::nullopt);
        sketch().fitToWindow();
        findings->setFocus();
        QTest::keyClick(findings, Qt::Key_Return);
        QCOMPARE(sketch().markedPoint(), std::optional<std::int64_t>(1));
        QCOMPARE(sketch().view().centreX, 0.0);
        // Tab goes on to the next control, not to the finding's next cell.
        QTest::keyClick(findings, Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != findings);
    }

    void wheelZoomsAboutThePointerAndDragPans() {
        const QPointF pointer(120, 90);
        const QPointF before = sketch().view().toWorld(pointer, QSizeF(sketch().size()));
        QWheelEvent wheel(pointer, sketch().mapToGlobal(pointer), {}, QPoint(0, 120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        const double fitted = sketch().view().scale;
        QApplication::sendEvent(&sketch(), &wheel);
        const double scale = fitted * std::pow(1.0015, 120);
        QVERIFY(std::abs(sketch().view().scale - scale) < 1e-9);
        const QPointF after = sketch().view().toWorld(pointer, QSizeF(sketch().size()));
        QVERIFY(std::abs(after.x() - before.x()) < 1e-9 && std::abs(after.y() - before.y()) < 1e-9);

        const double centreX = sketch().view().centreX;
        const double centreY = sketch().view().centreY;
        QTest::mousePress(&sketch(), Qt::LeftButton, {}, QPoint(200, 200));
        QMouseEvent move(QEvent::MouseMove, QPointF(230, 220),
                         sketch().mapToGlobal(QPointF(230, 220)), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&sketch(), &move);
        QTest::mouseRelease(&sketch(), Qt::LeftButton, {}, QPoint(230, 220));
        QVERIFY(std::abs(sketch().view().centreX - (centreX - 30 / scale)) < 1e-9);
        QVERIFY(std::abs(sketch().view().centreY - (centreY + 20 / scale)) < 1e-9);
    }

    void tooltipAndDoubleClickNameThePoint() {
        const std::ptrdiff_t index = sketch().pointAt(deviceOf(1002).toPoint());
        QVERIFY(index >= 0);
        QCOMPARE(sketch().tooltipText(static_cast<std::size_t>(index)),
                 QStringLiteral("S1002\nDescription: EP\nComment: EDGE\n"
                                "N 160.000  E 0.000  Elev 0.000\nHVD records 13"));
        QSignalSpy spy(page_.get(), &ReviewPage::editEntryRequested);
        QTest::mouseDClick(&sketch(), Qt::LeftButton, {}, deviceOf(1002).toPoint());
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).value<std::size_t>(), std::size_t{6});  // its row in SQ.pf
    }

    void keysZoomByTheirFactorAndFit() {
        const double fitted = sketch().view().scale;
        sketch().setFocus();
        QTest::keyClick(&sketch(), Qt::Key_Plus);
        QVERIFY(std::abs(sketch().view().scale - fitted * SketchWidget::kKeyZoom) < 1e-9);
        QTest::keyClick(&sketch(), Qt::Key_Minus);
        QTest::keyClick(&sketch(), Qt::Key_Minus);
        QVERIFY(std::abs(sketch().view().scale - fitted / SketchWidget::kKeyZoom) < 1e-9);
        QTest::keyClick(&sketch(), Qt::Key_0);
        QVERIFY(std::abs(sketch().view().scale - fitted) < 1e-9);
        // Zoom to 1001 and 1003 (north 130 and 190, east 0): 60 north in 352 pixels.
        sketch().zoomTo({static_cast<std::size_t>(sketch().model().indexOf(1001)),
                         static_cast<std::size_t>(sketch().model().indexOf(1003))});
        QVERIFY(std::abs(sketch().view().scale - 352.0 / 60.0) < 1e-9);
        QCOMPARE(sketch().view().centreY, 160.0);
    }

    void exportsWriteEachFormatAndTheReport() {
        QStringList answers{QString::fromStdString(dir_.file("out.svg")),
                            QString::fromStdString(dir_.file("out.PDF")),
                            QString::fromStdString(dir_.file("out.png")),
                            QString::fromStdString(dir_.file("report.txt")),
                            QString::fromStdString(dir_.file("SQ.pf/x.png"))};
        page_->setSavePathChooser(
            [&](const QString&, const QString&, const QString&) { return answers.takeFirst(); });
        for (int i = 0; i < 3; ++i) exportSketchThroughDialog();
        QSignalSpy reportWritten(page_.get(), &ReviewPage::backgroundWorkEnded);
        click("ReviewExportReport");  // drawn beside the window
        QVERIFY(reportWritten.wait(20000));
        QVERIFY(readFile(dir_.file("out.svg")).find("<svg") != std::string::npos);
        QVERIFY(readFile(dir_.file("out.PDF")).starts_with("%PDF-"));
        QVERIFY(readFile(dir_.file("out.png")).starts_with("\x89PNG\r\n"));
        // Its header is checked in review_report_export_test; it ends with the sheets written.
        const std::string report = readFile(dir_.file("report.txt"));
        QVERIFY(report.find("\r\nSummary\r\n" + page_->review()->report.summaryLine() + "\r\n") !=
                std::string::npos);
        QVERIFY2(report.ends_with("\r\nsketch: " + dir_.file("out.svg") +
                                  "\r\nsketch: " + dir_.file("out.PDF") +
                                  "\r\nsketch: " + dir_.file("out.png") + "\r\n"),
                 report.c_str());
        QVERIFY(dialogs_.messages.isEmpty());
        // A folder that is a regular file: one message naming the file.
        exportSketchThroughDialog();
        QCOMPARE(dialogs_.messages.size(), 1);
        QVERIFY(dialogs_.messages[0].contains(QStringLiteral("SQ.pf/x.png")));
    }

    void namesAreDrawnOnlyWhenFewPointsAreInView() {
        // A grid of n x n points 100 units apart, drawn at 1 pixel per unit:
        // a name would start 6 pixels right of its point, its letters above
        // the baseline 4 pixels up.
        const auto darkPixelsBesidePoints = [](int n) {
            review::SketchModel model;
            for (int i = 0; i < n * n; ++i) {
                review::SketchPoint& p = model.points.emplace_back();
                p.x = 100.0 * (i % n);
                p.y = 100.0 * (i / n);
                p.label = "S" + std::to_string(i);
            }
            model.bounds = {0, 0, 100.0 * (n - 1), 100.0 * (n - 1)};
            QImage image(100 * n + 100, 100 * n + 100, QImage::Format_RGB32);
            review::SketchView view;
            view.centreX = model.bounds.maxX / 2;
            view.centreY = model.bounds.maxY / 2;
            {
                QPainter painter(&image);
                review::SketchRenderer(model).paint(painter, QSizeF(image.size()), view);
            }
            int dark = 0;
            for (const review::SketchPoint& p : model.points) {
                const QPointF at = view.toDevice(p.x, p.y, QSizeF(image.size()));
                for (int dx = 8; dx < 24; ++dx) {
                    for (int dy = -12; dy < -5; ++dy) {
                        if (qGray(image.pixel(at.toPoint() + QPoint(dx, dy))) < 128) ++dark;
                    }
                }
            }
            return dark;
        };
        QVERIFY(darkPixelsBesidePoints(20) > 400);  // 400 points: every name drawn
        QCOMPARE(darkPixelsBesidePoints(21), 0);    // 441 points: marks only
    }

    void metricJobGetsTheMetricLimits() {
        auto* backsight =
            page_->findChild<QDoubleSpinBox*>(QStringLiteral("LimitBacksightDistance"));
        QCOMPARE(backsight->value(), 0.05);  // the feet default
        ConversionOptions metric;
        metric.unit = zendro::LengthUnit::Metre;
        QVERIFY(waitForReviewPage(
            *page_, [&] { page_->showJob(deriveJobPaths(dir_.file("SQ.HVD")), metric); }));
        QCOMPARE(backsight->value(), 0.015);
    }
};

}  // namespace
}  // namespace zendro::testing

QTEST_MAIN(zendro::testing::ReviewPageTest)
#include "review_page_test.moc"
