// The window's pages at any size, the keyboard's way through them, and a grid
// load that fails.

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTabBar>
#include <QTableWidget>

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
        const auto page = [scale](int left, int top, int width, int height, QSize extra) {
            return TwipsLayout::toPixels(QRect(left, top, width, height), scale)
                .adjusted(0, 0, extra.width(), extra.height());
        };
        const auto pagesAre = [&](QSize extra) {
            return control<QWidget>(*window, "Frame2")->geometry() ==
                       page(120, 600, 4815, 4095, extra) &&
                   control<QWidget>(*window, "Frame3")->geometry() ==
                       page(240, 600, 4695, 4215, extra) &&
                   control<QWidget>(*window, "Frame4")->geometry() ==
                       page(360, 480, 4695, 4455, extra) &&
                   control<QWidget>(*window, "TabStrip1")->width() ==
                       TwipsLayout::toPixels(4935, scale) + extra.width() &&
                   control<QWidget>(*window, "GetFile")->geometry() ==
                       page(120, 240, 975, 615, QSize(0, 0));
        };
        QCOMPARE(window->size(), design);
        QVERIFY(pagesAre(QSize(0, 0)));

        const QSize extra(300, 200);
        window->resize(design + extra);
        QTRY_COMPARE(window->size(), design + extra);
        QVERIFY(pagesAre(extra));

        window->showMaximized();
        QTRY_VERIFY(window->isMaximized());
        window->showNormal();
        window->resize(design);
        QTRY_COMPARE(window->size(), design);
        QVERIFY(pagesAre(QSize(0, 0)));
    }

    void tabFollowsTheLayoutOnEveryPage() {
        Installation installation;
        TempDir jobs;
        FakeDialogs dialogs;
        auto window = activeWindowOnJob(dialogs, jobs);
        QCOMPARE(tabStops(*window),
                 (QStringList{"GetFile", "file1", "DownLoad", "EM1", "Prefix1", "Curvecode1",
                              "Suffix1", "CommentCode1", "Convert", "OptionOBS"}));
        clickTab(*window, 2);
        // Tab leaves the grid rather than walking its cells.
        QCOMPARE(tabStops(*window),
                 (QStringList{"GridText1", "ComText1", "PointGrid1", "Command1"}));
        clickTab(*window, 3);
        QCOMPARE(tabStops(*window), QStringList{"HelpText1"});
        QCOMPARE(dialogs.messages, QStringList());
    }

    void controlKeysSwitchTabs() {
        Installation installation;
        TempDir jobs;
        FakeDialogs dialogs;
        auto window = activeWindowOnJob(dialogs, jobs);
        auto* tabs = control<QTabBar>(*window, "TabStrip1");
        const auto press = [](Qt::Key key) {
            QTest::keyClick(QApplication::focusWidget(), key, Qt::ControlModifier);
        };
        QStringList visited;
        const auto note = [&] {
            visited.append(QString::number(tabs->currentIndex() + 1) +
                           (control<QWidget>(*window, "Frame3")->isVisible() ? "E" : ""));
        };
        control<QWidget>(*window, "file1")->setFocus();
        for (const Qt::Key key :
             {Qt::Key_Tab, Qt::Key_PageDown, Qt::Key_Tab, Qt::Key_PageUp, Qt::Key_PageUp}) {
            press(key);
            note();
        }
        // From the grid too.
        control<QWidget>(*window, "PointGrid1")->setFocus();
        press(Qt::Key_PageDown);
        note();
        QCOMPARE(visited, (QStringList{"2E", "3", "1", "3", "2E", "3"}));
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
