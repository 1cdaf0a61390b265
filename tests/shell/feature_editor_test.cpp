// The "Edit Features" tab: the refusal, loading the grid, choosing, editing
// and blanking rows, and Done writing the point-feature file.


#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <filesystem>

#include "common/file_io.h"
#include "tests/shell/editor_test_support.h"

namespace zendro::testing {
namespace {

const QString kCannotView = QStringLiteral("Cannot view the data without converting it first. ^_^");

// Opens Edit Features, chooses the first row and types `text` after its
// description.
void appendToFirstDescription(Form1& window, const char* text) {
    clickTab(window, 2);
    clickRow(window, 0);
    QTest::keyClicks(control<QLineEdit>(window, "GridText1"), text);
}

// What the window shows while a page waits for its work: the busy cursor,
// the page's controls and the tabs disabled, Cancel in the status bar.
bool looksWaiting(Form1& window) {
    const QCursor* cursor = QApplication::overrideCursor();
    return window.pageLoading() && cursor != nullptr && cursor->shape() == Qt::BusyCursor &&
           !grid(window)->isEnabled() && !control<QPushButton>(window, "Command1")->isEnabled() &&
           !control<QTabBar>(window, "TabStrip1")->isEnabled() &&
           control<QPushButton>(window, "CancelPass")->isVisible();
}

bool looksIdle(Form1& window) {
    return !window.pageLoading() && QApplication::overrideCursor() == nullptr &&
           grid(window)->isEnabled() && control<QTabBar>(window, "TabStrip1")->isEnabled() &&
           !control<QPushButton>(window, "CancelPass")->isVisible();
}

}  // namespace

class FeatureEditorTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QCoreApplication::setApplicationName(QStringLiteral("zendro"));
        qputenv("SOURCE_DATE_EPOCH", kSourceDateEpoch);
    }

    void refusedBeforeAnySelection() {
        Installation installation;
        FakeDialogs dialogs;
        auto window = openWindow(dialogs);
        clickTab(*window, 2);
        QCOMPARE(dialogs.messages, QStringList{kCannotView});
        QCOMPARE(control<QTabBar>(*window, "TabStrip1")->currentIndex(), 0);
        QVERIFY(control<QGroupBox>(*window, "Frame2")->isVisible());
        QVERIFY(!control<QGroupBox>(*window, "Frame3")->isVisible());

        // From the Help page too: the tab strip shows the page that is visible.
        clickTab(*window, 3);
        clickTab(*window, 2);
        QCOMPARE(dialogs.messages, (QStringList{kCannotView, kCannotView}));
        QCOMPARE(control<QTabBar>(*window, "TabStrip1")->currentIndex(), 0);
        QVERIFY(control<QGroupBox>(*window, "Frame2")->isVisible());
        QVERIFY(!control<QGroupBox>(*window, "Frame4")->isVisible());
    }

    // The rows are read off the window's thread; Esc or Cancel goes back to
    // the page shown before, whose rows stay as they were.
    void theTabWaitsVisiblyAndCanBeCancelled() {
        Installation installation;
        TempDir jobs;
        writeSampleJob(jobs.path(), "RUN");
        FakeDialogs dialogs;
        auto window = editorOn(dialogs, jobs, kFeatures);
        QCOMPARE(grid(*window)->rowCount(), 4);
        clickTab(*window, 3);
        writeFile(jobs.file("RUN.pf"), kFeatures + " 1005 ,CL, \r\n");

        clickTabNoWait(*window, 2);
        QVERIFY(looksWaiting(*window));
        press(*window, Qt::Key_Escape);
        QVERIFY(QTest::qWaitFor([&] { return !window->pageLoading(); }));
        QVERIFY(looksIdle(*window));
        QVERIFY(control<QGroupBox>(*window, "Frame4")->isVisible());
        QCOMPARE(control<QTabBar>(*window, "TabStrip1")->currentIndex(), 2);
        QCOMPARE(grid(*window)->rowCount(), 4);

        clickTabNoWait(*window, 2);
        QVERIFY(looksWaiting(*window));
        clickButton(*window, "CancelPass");
        QVERIFY(QTest::qWaitFor([&] { return !window->pageLoading(); }));
        QVERIFY(control<QGroupBox>(*window, "Frame4")->isVisible());
        QCOMPARE(grid(*window)->rowCount(), 4);

        clickTab(*window, 2);
        QVERIFY(looksIdle(*window));
        QVERIFY(control<QGroupBox>(*window, "Frame3")->isVisible());
        QCOMPARE(grid(*window)->rowCount(), 5);
        QVERIFY(dialogs.messages.isEmpty());
    }

    void firstVisitBuildsTheFileFromTheCtxFile() {
        Installation installation;
        TempDir jobs;
        writeSampleJob(jobs.path(), "RUN");
        FakeDialogs dialogs;
        auto window = windowOnJob(dialogs, jobs.file("RUN.HVD"));
        QVERIFY(!fileExists(jobs.file("RUN.pf")));
        const QString statusBefore = control<QLabel>(*window, "Plabel")->text();
        clickTab(*window, 2);

        QVERIFY(dialogs.messages.isEmpty());
        QVERIFY(control<QGroupBox>(*window, "Frame3")->isVisible());
        QVERIFY(!control<QGroupBox>(*window, "Frame2")->isVisible());
        QVERIFY(fileExists(jobs.file("RUN.pf")));
        QCOMPARE(grid(*window)->rowCount(), 8);
        QCOMPARE(rowTexts(*window, 0), (QStringList{"11", "CP", " "}));
        QCOMPARE(rowTexts(*window, 2), (QStringList{"13", "CP", "IRON PIN"}));
        QCOMPARE(rowTexts(*window, 6), (QStringList{"100503", "TAPE", " "}));
        QCOMPARE(grid(*window)->horizontalHeaderItem(0)->text(),
                 QStringLiteral("    Point         "));
        // The pass is over: its name does not stay on page 1.
        QCOMPARE(control<QLabel>(*window, "Plabel")->text(), statusBefore);
    }

    void repeatedVisitShowsExactlyTheFileAgain() {
        Installation installation;
        TempDir jobs;
        writeFile(jobs.file("RUN.pf"), kFeatures);
        FakeDialogs dialogs;
        auto window = windowOnJob(dialogs, jobs.file("RUN.HVD"));
        clickTab(*window, 2);
        QCOMPARE(grid(*window)->rowCount(), 4);
        clickRow(*window, 0);
        QTest::keyClicks(control<QLineEdit>(*window, "GridText1"), "Z");
        QCOMPARE(cell(*window, 0, 1), QStringLiteral("EPZ"));

        // Leaving with the edit, the user discards it.
        dialogs.unsavedEditsAnswers.push_back(UnsavedEditsChoice::Discard);
        clickTab(*window, 1);
        QCOMPARE(dialogs.questions.size(), 1);
        clickTab(*window, 2);
        QCOMPARE(grid(*window)->rowCount(), 4);
        QCOMPARE(rowTexts(*window, 0), (QStringList{"1001", "EP", "EDGE OF PAVEMENT"}));
        QCOMPARE(control<QLineEdit>(*window, "GridText1")->text(), QStringLiteral("EP"));

        writeFile(jobs.file("RUN.pf"), crlfLines({"7,A,B"}));
        clickTab(*window, 3);
        clickTab(*window, 2);
        QCOMPARE(grid(*window)->rowCount(), 1);
        QCOMPARE(rowTexts(*window, 0), (QStringList{"7", "A", "B"}));
        QVERIFY(dialogs.messages.isEmpty());
    }

    void commentWithCommasIsShownWhole() {
        Installation installation;
        TempDir jobs;
        writeFile(jobs.file("RUN.pf"), kFeatures);
        FakeDialogs dialogs;
        auto window = windowOnJob(dialogs, jobs.file("RUN.HVD"));
        clickTab(*window, 2);
        QCOMPARE(rowTexts(*window, 2), (QStringList{"1003", "EP", "EDGE, LEFT SIDE"}));
        clickRow(*window, 2);
        QCOMPARE(control<QLineEdit>(*window, "ComText1")->text(),
                 QStringLiteral("EDGE, LEFT SIDE"));
    }

    void editBlankAndDoneWriteTheFile() {
        Installation installation;
        TempDir jobs;
        writeFile(jobs.file("RUN.pf"), kFeatures);
        FakeDialogs dialogs;
        auto window = windowOnJob(dialogs, jobs.file("RUN.HVD"));
        clickTab(*window, 2);
        auto* description = control<QLineEdit>(*window, "GridText1");
        auto* comment = control<QLineEdit>(*window, "ComText1");
        auto* point = control<QLabel>(*window, "GridLabel1");

        // The first row is chosen as the grid loads: the boxes show it.
        QCOMPARE(point->text(), QStringLiteral("1001"));
        QCOMPARE(description->text(), QStringLiteral("EP"));
        clickRow(*window, 0);
        QCOMPARE(point->text(), QStringLiteral("1001"));
        QCOMPARE(description->text(), QStringLiteral("EP"));
        QCOMPARE(comment->text(), QStringLiteral("EDGE OF PAVEMENT"));
        QTest::keyClicks(description, "X");
        QCOMPARE(cell(*window, 0, 1), QStringLiteral("EPX"));
        retype(comment, QString());
        QCOMPARE(cell(*window, 0, 2), QString());

        // A click without Shift chooses the row and blanks nothing.
        clickRow(*window, 1);
        QCOMPARE(rowTexts(*window, 1), (QStringList{"1002", "+CL*", " "}));
        clickRow(*window, 1, Qt::ShiftModifier);
        QCOMPARE(rowTexts(*window, 1), (QStringList{" ", " ", " "}));
        QCOMPARE(point->text(), QStringLiteral(" "));
        QCOMPARE(description->text(), QStringLiteral(" "));

        clickRow(*window, 3);
        clickRow(*window, 3, Qt::ShiftModifier | Qt::ControlModifier);
        QCOMPARE(rowTexts(*window, 3), (QStringList{"1004", "CL", " "}));
        clickRow(*window, 3, Qt::ShiftModifier | Qt::AltModifier);
        QCOMPARE(rowTexts(*window, 3), (QStringList{"1004", "CL", " "}));
        QTest::keyClicks(description, ",B");
        QCOMPARE(cell(*window, 3, 1), QStringLiteral("CL,B"));

        clickButton(*window, "Command1");
        QVERIFY(dialogs.messages.isEmpty());
        QCOMPARE(readFile(jobs.file("RUN.pf")),
                 crlfLines({"1001,EPX,", " , , ", "1003,EP,EDGE, LEFT SIDE", "1004,CL,B, "}));
        QCOMPARE(control<QTabBar>(*window, "TabStrip1")->currentIndex(), 0);
        QVERIFY(control<QGroupBox>(*window, "Frame2")->isVisible());
        QVERIFY(!control<QGroupBox>(*window, "Frame3")->isVisible());

        // Read back: the blanked row, and a comma typed into a description.
        clickTab(*window, 2);
        QCOMPARE(grid(*window)->rowCount(), 4);
        QCOMPARE(rowTexts(*window, 1), (QStringList{"", "", " "}));
        QCOMPARE(rowTexts(*window, 3), (QStringList{"1004", "CL", "B, "}));
    }

    void emptyFileGivesNoRowsAndDoneWritesNothing() {
        Installation installation;
        TempDir jobs;
        writeFile(jobs.file("RUN.pf"), "");
        FakeDialogs dialogs;
        auto window = windowOnJob(dialogs, jobs.file("RUN.HVD"));
        clickTab(*window, 2);
        QCOMPARE(grid(*window)->rowCount(), 0);
        clickButton(*window, "Command1");
        QCOMPARE(readFile(jobs.file("RUN.pf")), std::string());
        QVERIFY(dialogs.messages.isEmpty());
    }

    void conversionAfterDoneUsesTheEdits() {
        Installation installation;
        TempDir jobs;
        TempDir commandLineJobs;
        writeSampleJob(jobs.path(), "ROAD-7");
        writeSampleJob(commandLineJobs.path(), "ROAD-7");
        FakeDialogs dialogs;
        auto window = windowOnJob(dialogs, jobs.file("ROAD-7.HVD"));
        QVERIFY(clickConvertAndWait(*window));
        const std::string before = readFile(jobs.file("ROAD-7.obs"));

        clickTab(*window, 2);
        QCOMPARE(rowTexts(*window, 4), (QStringList{"502", "EP*", " "}));
        clickRow(*window, 4);
        retype(control<QLineEdit>(*window, "GridText1"), QStringLiteral("SHOULDER"));
        retype(control<QLineEdit>(*window, "ComText1"), QStringLiteral("NEW NOTE"));
        clickButton(*window, "Command1");
        // Until the next conversion the status line says JOB.obs lacks the edits.
        auto* status = control<QLabel>(*window, "Plabel");
        QCOMPARE(status->text(), QStringLiteral("Edits not yet converted: Convert"));
        clickTab(*window, 2);
        clickTab(*window, 1);
        QCOMPARE(status->text(), QStringLiteral("Edits not yet converted: Convert"));
        QVERIFY(clickConvertAndWait(*window));
        QCOMPARE(status->text(), QString());
        QCOMPARE(dialogs.messages.size(), 2);
        QVERIFY(dialogs.messages.last().startsWith(
            QStringLiteral("The File Conversion is Complete\n")));

        const std::string after = readFile(jobs.file("ROAD-7.obs"));
        QVERIFY(after != before);
        QVERIFY(after.find("SHOULDER") != std::string::npos);
        QVERIFY(after.find("NEW NOTE") != std::string::npos);
        writeFile(commandLineJobs.file("ROAD-7.pf"), readFile(jobs.file("ROAD-7.pf")));
        QCOMPARE(
            runCommandLineConverter({QString::fromStdString(commandLineJobs.file("ROAD-7.HVD"))}),
            0);
        QCOMPARE(after, readFile(commandLineJobs.file("ROAD-7.obs")));
    }

    void discardedEditsAreGoneAndTheNextConvertAsksNothing() {
        Installation installation;
        TempDir jobs;
        writeSampleJob(jobs.path(), "ROAD-7");
        FakeDialogs dialogs;
        auto window = windowOnJob(dialogs, jobs.file("ROAD-7.HVD"));
        QVERIFY(clickConvertAndWait(*window));
        const std::string pf = readFile(jobs.file("ROAD-7.pf"));
        clickTab(*window, 2);
        clickRow(*window, 4);
        QTest::keyClicks(control<QLineEdit>(*window, "GridText1"), "Z");

        // Convert asks about the edit; Discard puts the file's rows back.
        dialogs.unsavedEditsAnswers.push_back(UnsavedEditsChoice::Discard);
        QVERIFY(clickConvertAndWait(*window));
        QCOMPARE(dialogs.questions.size(), 1);
        QCOMPARE(rowTexts(*window, 4), (QStringList{"502", "EP*", " "}));
        QCOMPARE(readFile(jobs.file("ROAD-7.pf")), pf);
        QVERIFY(clickConvertAndWait(*window));
        QCOMPARE(dialogs.questions.size(), 1);
    }

    void doneThatCannotWriteKeepsTheGrid() {
        Installation installation;
        TempDir jobs;
        writeFile(jobs.file("RUN.pf"), kFeatures);
        FakeDialogs dialogs;
        auto window = windowOnJob(dialogs, jobs.file("RUN.HVD"));
        appendToFirstDescription(*window, "X");

        // The file's place is taken by a folder: the new file cannot replace it.
        std::filesystem::remove(jobs.file("RUN.pf"));
        std::filesystem::create_directory(jobs.file("RUN.pf"));
        writeFile(jobs.file("RUN.pf/inside"), "x");
        clickButton(*window, "Command1");

        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY2(dialogs.messages.first().startsWith(QString::fromStdString(jobs.file("RUN.pf"))),
                 qPrintable(dialogs.messages.first()));
        QCOMPARE(grid(*window)->rowCount(), 4);
        QCOMPARE(cell(*window, 0, 1), QStringLiteral("EPX"));
        QVERIFY(control<QGroupBox>(*window, "Frame3")->isVisible());
        QCOMPARE(control<QTabBar>(*window, "TabStrip1")->currentIndex(), 1);
        // No temporary file is left behind.
        int entries = 0;
        for (const auto& entry : std::filesystem::directory_iterator(jobs.path())) {
            QVERIFY2(entry.path().filename() == "RUN.pf", entry.path().c_str());
            ++entries;
        }
        QCOMPARE(entries, 1);

        // Once the place is free again, Done writes the kept rows.
        std::filesystem::remove_all(jobs.file("RUN.pf"));
        clickButton(*window, "Command1");
        QCOMPARE(readFile(jobs.file("RUN.pf")),
                 crlfLines({"1001,EPX,EDGE OF PAVEMENT", "1002,+CL*, ", "1003,EP,EDGE, LEFT SIDE",
                            "1004,CL, "}));
    }

    void doneThatCannotWriteKeepsThePreviousFile() {
        Installation installation;
        TempDir jobs;
        // The point-feature file's name fits the file system, a temporary
        // name beside it does not: the write fails, for root too.
        const std::string job = jobs.file(std::string(251, 'J'));
        writeFile(job + ".pf", kFeatures);
        FakeDialogs dialogs;
        auto window = windowOnJob(dialogs, job + ".HVD");
        appendToFirstDescription(*window, "X");
        clickButton(*window, "Command1");
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY2(dialogs.messages.first().startsWith(QString::fromStdString(job + ".pf: ")),
                 qPrintable(dialogs.messages.first()));
        QCOMPARE(readFile(job + ".pf"), kFeatures);
        QCOMPARE(cell(*window, 0, 1), QStringLiteral("EPX"));
        QVERIFY(control<QGroupBox>(*window, "Frame3")->isVisible());
    }
};

}  // namespace zendro::testing

QTEST_MAIN(zendro::testing::FeatureEditorTest)
#include "feature_editor_test.moc"
