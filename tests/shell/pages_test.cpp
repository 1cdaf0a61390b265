// The window's pages at any size, the keyboard's way through them (the Review
// page's sketch included), and a grid load that fails.

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QTabBar>

#include "shell/review/sketch_widget.h"
#include "shell/twips_layout.h"
#include "tests/shell/shell_test_support.h"

namespace zendro::testing {
namespace {

// The names of the controls that Tab visits from the tab strip, until it is back.
QStringList tabStops(QWidget& window) {
    control<QWidget>(window, "TabStrip1")->setFocus();
    QStringList names;
    for (int step = 0; step < 30; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        const QString name = QApplication::focusWidget()->objectName();
        if (name == QStringLiteral("TabStrip1")) return names;
        names.append(name);
    }
    return names;
}

std::unique_ptr<Form1> activeWindowOnJob(FakeDialogs& dialogs, const TempDir& jobs) {
    writeSampleJob(jobs.path(), "RUN");
    auto window = openWindow(dialogs);
    chooseJob(*window, dialogs, jobs.file("RUN.HVD"));
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get())) qWarning("the window is not active");
    return window;
}

}  // namespace

class PagesTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("zendro")); }

    void pagesGrowWithTheWindowAndComeBackAtItsDefaultSize() {
        Installation installation;
        FakeDialogs dialogs;
        auto window = openWindow(dialogs);
        const double scale = window->layoutScale();
        const QSize design = TwipsLayout::toPixels(QRect(0, 0, 5205, 5160), scale).size();
        // The menu bar and the status bar keep their heights; the pages get the rest.
        QCOMPARE(window->pageArea().size(), design);
        const QSize bars = window->size() - design;
        QCOMPARE(bars.width(), 0);
        // The page frames and the tab strip take the extra room; the rest stays.
        const auto geometries = [&] {
            QList<QRect> result;
            for (const char* name :
                 {"Frame2", "Frame3", "Frame4", "ReviewPage", "TabStrip1", "GetFile"}) {
                result.append(control<QWidget>(*window, name)->geometry());
            }
            return result;
        };
        const QList<QRect> atDesign = geometries();
        QCOMPARE(atDesign[0], TwipsLayout::toPixels(QRect(120, 600, 4815, 4095), scale));

        window->resize(design + bars + QSize(300, 200));
        QTRY_COMPARE(window->pageArea().size(), design + QSize(300, 200));
        const QList<QRect> grown = geometries();
        for (int i = 0; i < 4; ++i) QCOMPARE(grown[i], atDesign[i].adjusted(0, 0, 300, 200));
        QCOMPARE(grown[4], atDesign[4].adjusted(0, 0, 300, 0));
        QCOMPARE(grown[5], atDesign[5]);

        window->showMaximized();
        QTRY_VERIFY(window->isMaximized());
        window->showNormal();
        window->resize(design + bars);
        QTRY_COMPARE(window->pageArea().size(), design);
        QCOMPARE(geometries(), atDesign);
    }

    // At 1600x1000 the grid, the sketch and the findings take the room a
    // maximised window gives; at the design size (430x426 at scale 1) the
    // sketch has about 340x170 of it.
    void aLargeWindowGivesTheRoomToTheGridTheSketchAndTheFindings() {
        Installation installation;
        TempDir jobs;
        FakeDialogs dialogs;
        auto window = activeWindowOnJob(dialogs, jobs);
        const auto area = [&](const char* name) {
            const QSize size = control<QWidget>(*window, name)->size();
            return static_cast<double>(size.width()) * size.height();
        };
        auto* tabs = control<QTabBar>(*window, "TabStrip1");
        tabs->setCurrentIndex(1);
        QTRY_VERIFY(!window->pageLoading());
        QVERIFY(control<QWidget>(*window, "PointGrid1")->isVisible());
        const double gridAtDesign = area("PointGrid1");
        tabs->setCurrentIndex(3);
        QTRY_VERIFY(!window->pageLoading());
        QVERIFY(control<QWidget>(*window, "ReviewSketch")->isVisible());
        const double sketchAtDesign = area("ReviewSketch");
        const double findingsAtDesign = area("ReviewFindings");

        window->resize(1600, 1000);
        QTRY_COMPARE(window->size(), QSize(1600, 1000));
        const double windowArea = 1600.0 * 1000.0;
        // Shared: the sketch and the findings each take about a third.
        QVERIFY2(area("ReviewSketch") >= 0.3 * windowArea,
                 qPrintable(
                     QStringLiteral("sketch %1 of %2").arg(area("ReviewSketch")).arg(windowArea)));
        QVERIFY2(
            area("ReviewFindings") >= 0.3 * windowArea,
            qPrintable(
                QStringLiteral("findings %1 of %2").arg(area("ReviewFindings")).arg(windowArea)));
        QVERIFY(area("ReviewSketch") > 10 * sketchAtDesign);
        QVERIFY(area("ReviewFindings") > 3 * findingsAtDesign);
        tabs->setCurrentIndex(1);
        QTRY_VERIFY(control<QWidget>(*window, "PointGrid1")->isVisible());
        QVERIFY(area("PointGrid1") > 10 * gridAtDesign);
    }

    // Tab follows the layout of each page and leaves the grid; Ctrl+Tab,
    // Ctrl+PgDn and Ctrl+PgUp switch tabs from wherever the focus is.
    void keyboardWalksEachPageAndSwitchesTabs() {
        Installation installation;
        TempDir jobs;
        FakeDialogs dialogs;
        auto window = activeWindowOnJob(dialogs, jobs);
        auto* tabs = control<QTabBar>(*window, "TabStrip1");
        const auto switchFrom = [&](const char* focused, Qt::Key key) {
            control<QWidget>(*window, focused)->setFocus();
            QTest::keyClick(QApplication::focusWidget(), key, Qt::ControlModifier);
            // A page that reads the job takes keys once it has.
            if (!QTest::qWaitFor([&] { return !window->pageLoading(); })) return 0;
            return tabs->currentIndex() + 1;
        };
        QCOMPARE(tabStops(*window),
                 (QStringList{"GetFile", "file1", "DownLoad", "EM1", "FootUsSurvey", "Prefix1",
                              "Curvecode1", "Suffix1", "CommentCode1", "Convert", "OptionOBS"}));
        QCOMPARE(switchFrom("file1", Qt::Key_Tab), 2);
        QVERIFY(control<QWidget>(*window, "Frame3")->isVisible());
        // The first row is chosen at once, so its boxes are in the walk.
        QCOMPARE(control<QLabel>(*window, "GridLabel1")->text(), QStringLiteral("11"));
        QCOMPARE(tabStops(*window),
                 (QStringList{"GridText1", "ComText1", "PointGrid1", "Command1"}));
        QCOMPARE(switchFrom("PointGrid1", Qt::Key_PageDown), 3);
        QCOMPARE(tabStops(*window), QStringList{"HelpText1"});
        QCOMPARE(switchFrom("HelpText1", Qt::Key_Tab), 4);
        // The Review page: Tab reaches the sketch first, then the findings,
        // and goes on past the table rather than through its cells.
        const QStringList reviewStops = tabStops(*window);
        QCOMPARE(reviewStops.mid(0, 4), (QStringList{"ReviewSketch", "ReviewFindingKind",
                                                     "ReviewOverLimitOnly", "ReviewFindings"}));
        QVERIFY2(reviewStops.count(QStringLiteral("ReviewFindings")) == 1 &&
                     reviewStops.contains(QStringLiteral("ReviewExport")),
                 qPrintable(reviewStops.join(QLatin1Char(' '))));
        auto* sketch = control<SketchWidget>(*window, "ReviewSketch");
        control<QWidget>(*window, "TabStrip1")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), sketch);
        // Its focus frame in the palette's highlight, and the keys zoom.
        QCOMPARE(sketch->grab().toImage().pixelColor(1, sketch->height() / 2),
                 sketch->palette().color(QPalette::Highlight));
        const double fitted = sketch->view().scale;
        QTest::keyClick(sketch, Qt::Key_Plus);
        QCOMPARE(sketch->view().scale, fitted * SketchWidget::kKeyZoom);
        QTest::keyClick(sketch, Qt::Key_0);
        QCOMPARE(sketch->view().scale, fitted);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(tabs->currentIndex() + 1, 5);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(tabs->currentIndex() + 1, 1);
        QCOMPARE(switchFrom("Convert", Qt::Key_PageUp), 5);
        QCOMPARE(dialogs.messages, QStringList());
    }

    void failedGridLoadLeavesPageOneAsItWas() {
        Installation installation;
        TempDir jobs;
        FakeDialogs dialogs;
        auto window = activeWindowOnJob(dialogs, jobs);
        // The point-feature file cannot be written: a folder holds its name.
        QVERIFY(QDir().mkpath(QString::fromStdString(jobs.file("RUN.pf"))));
        auto* status = control<QLabel>(*window, "Plabel");
        auto* bar = control<QProgressBar>(*window, "ProgressBar");
        status->setText(QStringLiteral("before"));
        bar->setValue(37);
        clickTab(*window, 2);
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY2(dialogs.messages.first().startsWith(QString::fromStdString(jobs.file("RUN.pf"))),
                 qPrintable(dialogs.messages.first()));
        QCOMPARE(dialogs.kinds, std::vector<MessageKind>{MessageKind::Error});
        QCOMPARE(control<QTabBar>(*window, "TabStrip1")->currentIndex(), 0);
        QCOMPARE(status->text(), QStringLiteral("before"));
        QCOMPARE(bar->value(), 37);
    }
};

}  // namespace zendro::testing

QTEST_MAIN(zendro::testing::PagesTest)
#include "pages_test.moc"
