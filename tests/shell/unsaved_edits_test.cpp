// The crew's edits are never lost: no point-feature file made from nothing,
// unsaved edits settled before they are left behind, every edit undoable.

#include <QCoreApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QTabBar>

#include "common/file_io.h"
#include "tests/shell/editor_test_support.h"

namespace zendro::testing {

class UnsavedEditsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("zendro")); }

    void jobWithoutFieldFilesHasNothingToEditAndDoneMakesNoFile() {
        Installation installation;
        TempDir jobs;
        FakeDialogs dialogs;
        auto window = openWindow(dialogs);
        auto* path = control<QLineEdit>(*window, "file1");
        path->setText(QString::fromStdString(jobs.file("MISSING-7.HVD")));
        QTest::keyClick(path, Qt::Key_Return);
        clickTab(*window, 2);
        QCOMPARE(dialogs.messages,
                 QStringList{QString::fromStdString(jobs.file("MISSING-7.CTX")) +
                             ": the CTX file does not exist: there are no point features to "
                             "edit yet"});
        QVERIFY(control<QGroupBox>(*window, "Frame2")->isVisible());
        QCOMPARE(control<QTabBar>(*window, "TabStrip1")->currentIndex(), 0);
        window->Command1_Click();
        QVERIFY(!fileExists(jobs.file("MISSING-7.pf")));

        // The field files arrive: the descriptions are there to edit.
        writeSampleJob(jobs.path(), "MISSING-7");
        clickTab(*window, 2);
        QCOMPARE(grid(*window)->rowCount(), 8);
        QCOMPARE(rowTexts(*window, 2), (QStringList{"13", "CP", "IRON PIN"}));
    }

    void unsavedEditsAreAskedAboutWhereverTheyWouldBeLeft() {
        Installation installation;
        TempDir jobs;
        writeSampleJob(jobs.path(), "RUN");
        FakeDialogs dialogs;
        auto window = editorOn(dialogs, jobs, kFeatures);
        clickRow(*window, 0);
        QTest::keyClicks(control<QLineEdit>(*window, "GridText1"), "X");

        // Cancel, everywhere: the edit, the page, the job stay; nothing is written.
        clickTab(*window, 3);
        QCOMPARE(control<QTabBar>(*window, "TabStrip1")->currentIndex(), 1);
        QVERIFY(control<QGroupBox>(*window, "Frame3")->isVisible());
        QVERIFY(!window->selectJob(QString::fromStdString(jobs.file("RUN.CTX"))));
        window->Convert_Click();
        QVERIFY(!window->close());
        QCOMPARE(dialogs.questions.size(), 4);
        QCOMPARE(dialogs.questions.first(), "The point features have unsaved edits. Save them to " +
                                                QString::fromStdString(jobs.file("RUN.pf")) + "?");
        QVERIFY(!fileExists(jobs.file("RUN.obs")));
        QCOMPARE(window->session().job.hvdPath, jobs.file("RUN.HVD"));
        QCOMPARE(cell(*window, 0, 1), QStringLiteral("EPX"));
        QCOMPARE(readFile(jobs.file("RUN.pf")), kFeatures);

        // Save on closing writes what Done writes; the window then closes.
        dialogs.unsavedEditsAnswers.push_back(UnsavedEditsChoice::Save);
        QVERIFY(window->close());
        QCOMPARE(readFile(jobs.file("RUN.pf")),
                 crlfLines({"1001,EPX,EDGE OF PAVEMENT", "1002,+CL*, ", "1003,EP,EDGE, LEFT SIDE",
                            "1004,CL, "}));
        QCOMPARE(dialogs.questions.size(), 5);

        // A cell still being edited in place counts as an edit.
        window = editorOn(dialogs, jobs, kFeatures);
        doubleClickCell(*window, 3, 2);
        QTest::keyClicks(QApplication::focusWidget(), "NEW");
        QVERIFY(!window->close());
        QCOMPARE(dialogs.questions.size(), 6);
    }

    void everyEditAndBlankingIsUndoneAndRedone() {
        Installation installation;
        TempDir jobs;
        FakeDialogs dialogs;
        auto window = editorOn(dialogs, jobs, kFeatures);
        auto* description = control<QLineEdit>(*window, "GridText1");
        clickRow(*window, 0);
        // Typed back to where it was: nothing differs from the file.
        QTest::keyClicks(description, "Q");
        QTest::keyClick(description, Qt::Key_Backspace);
        clickTab(*window, 1);
        clickTab(*window, 2);
        QVERIFY(dialogs.questions.isEmpty());

        clickRow(*window, 0);
        QTest::keyClicks(description, "XY");
        clickRow(*window, 1);
        clickRow(*window, 1, Qt::ShiftModifier);
        QCOMPARE(rowTexts(*window, 1), (QStringList{" ", " ", " "}));
        description->setFocus();
        press(*window, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(rowTexts(*window, 1), (QStringList{"1002", "+CL*", " "}));
        QCOMPARE(description->text(), QStringLiteral("+CL*"));
        press(*window, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(cell(*window, 0, 1), QStringLiteral("EP"));
        press(*window, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        press(*window, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        press(*window, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(readFile(jobs.file("RUN.pf")),
                 crlfLines({"1001,EPXY,EDGE OF PAVEMENT", " , , ", "1003,EP,EDGE, LEFT SIDE",
                            "1004,CL, "}));
        clickTab(*window, 1);
        QVERIFY(dialogs.questions.isEmpty());
        // The editor's keys rest while its page is hidden.
        press(*window, Qt::Key_H, Qt::ControlModifier);
        QVERIFY(control<QWidget>(*window, "FindBar")->isHidden());
    }
};

}  // namespace zendro::testing

QTEST_MAIN(zendro::testing::UnsavedEditsTest)
#include "unsaved_edits_test.moc"
