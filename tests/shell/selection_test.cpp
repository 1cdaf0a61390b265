// Choosing a job: the Open dialog, the path box, a dropped file, and the names
// derived from the chosen path.

#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QMimeData>
#include <QTabBar>
#include <QUrl>

#include "common/file_io.h"
#include "tests/shell/shell_test_support.h"

namespace zendro::testing {

class SelectionTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("zendro")); }

    void filenameOpensTheDialogWithTheFieldFileFilter() {
        Installation installation;
        writeFile(installation.settingsPath(), crlfLines({"/jobs/bridge/", "", "server.krm"}));
        FakeDialogs dialogs;
        auto window = openWindow(dialogs);
        clickButton(*window, "GetFile");
        QCOMPARE(dialogs.fileDialogs, 1);
        QCOMPARE(dialogs.lastFilters,
                 (QStringList{"All Files (*)", "SA Files (*.hvd)", "ASCII Points Files (*.asc)",
                              "Points Files (*.pts)", "NEZ Points Files (*.nez)",
                              "Text Points Files (*.txt)", "XYZ Points Files (*.xyz)"}));
        QCOMPARE(dialogs.lastSelectedFilter, QStringLiteral("SA Files (*.hvd)"));
        QCOMPARE(dialogs.lastInitialPath, QStringLiteral("/jobs/bridge/"));
    }

    void derivesTheJobFromTheChosenPath_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("basePath");
        QTest::addColumn<QString>("folderPath");
        QTest::addColumn<QString>("jobName");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("dash") << "/JOBS/RUN-12.HVD"
                              << "/JOBS/RUN-12"
                              << "/JOBS/"
                              << "RUN-12"
                              << "-12";
        QTest::newRow("no dash") << "/JOBS/RUN12.HVD"
                                 << "/JOBS/RUN12"
                                 << "/JOBS/"
                                 << "RUN12"
                                 << "-99";
        QTest::newRow("last dash") << "/JOBS/RUN-A-2.HVD"
                                   << "/JOBS/RUN-A-2"
                                   << "/JOBS/"
                                   << "RUN-A-2"
                                   << "-2";
        QTest::newRow("dash in folder") << "/MY-JOBS/RUN12.HVD"
                                        << "/MY-JOBS/RUN12"
                                        << "/MY-JOBS/"
                                        << "RUN12"
                                        << "-99";
        QTest::newRow("two dots") << "/JOBS/RUN.1.HVD"
                                  << "/JOBS/RUN.1"
                                  << "/JOBS/"
                                  << "RUN.1"
                                  << "-99";
        QTest::newRow("no extension") << "/JOBS/RUN"
                                      << "/JOBS/RUN"
                                      << "/JOBS/"
                                      << "RUN"
                                      << "-99";
        QTest::newRow("no folder") << "RUN.HVD"
                                   << "RUN"
                                   << ""
                                   << "RUN"
                                   << "-99";
        QTest::newRow("dot in folder") << "/JOBS.2024/RUN"
                                       << "/JOBS.2024/RUN"
                                       << "/JOBS.2024/"
                                       << "RUN"
                                       << "-99";
        QTest::newRow("ctx file") << "/JOBS/RUN-12.CTX"
                                  << "/JOBS/RUN-12"
                                  << "/JOBS/"
                                  << "RUN-12"
                                  << "-12";
        QTest::newRow("small letters") << "/JOBS/run-12.hvd"
                                       << "/JOBS/run-12"
                                       << "/JOBS/"
                                       << "run-12"
                                       << "-12";
    }

    void derivesTheJobFromTheChosenPath() {
        QFETCH(QString, chosen);
        QFETCH(QString, basePath);
        QFETCH(QString, folderPath);
        // A path without a folder is taken in the working folder.
        if (QDir::isRelativePath(chosen)) {
            const QString working = QDir::currentPath() + QLatin1Char('/');
            chosen.prepend(working);
            basePath.prepend(working);
            folderPath.prepend(working);
        }
        QFETCH(QString, jobName);
        QFETCH(QString, suffix);
        Installation installation;
        FakeDialogs dialogs;
        auto window = openWindow(dialogs);
        dialogs.choices.push_back(chosen);
        clickButton(*window, "GetFile");

        QVERIFY(dialogs.messages.isEmpty());
        const JobPaths& job = window->session().job;
        QCOMPARE(QString::fromStdString(job.basePath), basePath);
        QCOMPARE(QString::fromStdString(job.folderPath), folderPath);
        QCOMPARE(QString::fromStdString(job.jobName), jobName);
        QCOMPARE(QString::fromStdString(job.hvdPath), basePath + ".HVD");
        QCOMPARE(QString::fromStdString(job.ctxPath), basePath + ".CTX");
        QCOMPARE(QString::fromStdString(job.rtxPath), basePath + ".RTX");
        QCOMPARE(QString::fromStdString(job.trvPath), basePath + ".TRV");
        QCOMPARE(QString::fromStdString(job.obsPath), basePath + ".obs");
        QCOMPARE(QString::fromStdString(job.pfPath), basePath + ".pf");
        QCOMPARE(control<QLineEdit>(*window, "Suffix1")->text(), suffix);
        QCOMPARE(control<QLineEdit>(*window, "file1")->text(), chosen);
        QVERIFY(window->session().jobSelected());
    }

    void selectingOpensNothingAndEmptiesNothing() {
        Installation installation;
        TempDir jobs;
        writeFile(jobs.file("RUN.obs"), "previous output\r\n");
        FakeDialogs dialogs;
        auto window = openWindow(dialogs);
        dialogs.choices.push_back(QString::fromStdString(jobs.file("RUN.HVD")));
        clickButton(*window, "GetFile");
        QVERIFY(window->session().jobSelected());
        QCOMPARE(readFile(jobs.file("RUN.obs")), std::string("previous output\r\n"));
        QCOMPARE(QDir(QString::fromStdString(jobs.path())).entryList(QDir::Files),
                 QStringList{"RUN.obs"});
    }

    void cancelledDialogChangesNothing() {
        Installation installation;
        FakeDialogs dialogs;
        auto window = openWindow(dialogs);
        dialogs.choices.push_back(QStringLiteral("/JOBS/RUN-12.HVD"));
        clickButton(*window, "GetFile");
        auto* suffix = control<QLineEdit>(*window, "Suffix1");
        suffix->selectAll();
        QTest::keyClicks(suffix, "-7");

        dialogs.choices.push_back(QString());
        clickButton(*window, "GetFile");
        QCOMPARE(dialogs.fileDialogs, 2);
        QCOMPARE(dialogs.lastInitialPath, QStringLiteral("/JOBS/RUN-12.HVD"));
        QCOMPARE(window->session().job.basePath, std::string("/JOBS/RUN-12"));
        QCOMPARE(control<QLineEdit>(*window, "file1")->text(), QStringLiteral("/JOBS/RUN-12.HVD"));
        QCOMPARE(suffix->text(), QStringLiteral("-7"));
        QVERIFY(dialogs.messages.isEmpty());
    }

    void cancelledFirstDialogLeavesNoJob() {
        Installation installation;
        FakeDialogs dialogs;
        auto window = openWindow(dialogs);
        clickButton(*window, "GetFile");
        QVERIFY(!window->session().jobSelected());
        QCOMPARE(control<QLineEdit>(*window, "Suffix1")->text(), QStringLiteral("-99"));
    }

    void enterInThePathBoxSelectsThatJob() {
        Installation installation;
        FakeDialogs dialogs;
        auto window = openWindow(dialogs);
        auto* path = control<QLineEdit>(*window, "file1");
        path->selectAll();
        QTest::keyClicks(path, "/JOBS/ROAD-4.HVD");
        QVERIFY(!window->session().jobSelected());
        QTest::keyClick(path, Qt::Key_Return);
        QCOMPARE(window->session().job.basePath, std::string("/JOBS/ROAD-4"));
        QCOMPARE(control<QLineEdit>(*window, "Suffix1")->text(), QStringLiteral("-4"));
        QCOMPARE(dialogs.fileDialogs, 0);
    }

    // A folder, and a file that is not a field file of a job that has one,
    // are no job: each is refused with its name, and no job is selected.
    void aFolderOrAnotherFileIsNoJob() {
        Installation installation;
        TempDir jobs;
        writeFile(jobs.file("notes.txt"), "crew notes");
        FakeDialogs dialogs;
        auto window = openWindow(dialogs);
        auto* path = control<QLineEdit>(*window, "file1");
        for (const std::string& chosen : {jobs.path(), jobs.file("notes.txt")}) {
            path->setText(QString::fromStdString(chosen));
            QTest::keyClick(path, Qt::Key_Enter);
            QVERIFY(!window->session().jobSelected());
            QVERIFY2(dialogs.messages.last().startsWith(QString::fromStdString(chosen + ": ")),
                     qPrintable(dialogs.messages.last()));
        }
        QCOMPARE(dialogs.messages.size(), 2);
    }

    void droppingAFieldFileSelectsIt() {
        Installation installation;
        TempDir jobs;
        writeSampleJob(jobs.path(), "DROP-5");
        FakeDialogs dialogs;
        auto window = openWindow(dialogs);
        clickTab(*window, 3);

        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(jobs.file("DROP-5.CTX")))});
        const QPoint centre = window->rect().center();
        QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(centre), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window.get(), &drop);

        QCOMPARE(window->session().job.basePath, jobs.path() + "DROP-5");
        QCOMPARE(control<QLineEdit>(*window, "Suffix1")->text(), QStringLiteral("-5"));
        QCOMPARE(control<QTabBar>(*window, "TabStrip1")->currentIndex(), 0);
        QVERIFY(control<QGroupBox>(*window, "Frame2")->isVisible());
    }

    void firstTabKeepsTheSelectedPath() {
        Installation installation;
        writeFile(installation.settingsPath(), crlfLines({"/jobs/old/", "", "server.krm"}));
        FakeDialogs dialogs;
        auto window = openWindow(dialogs);
        auto* path = control<QLineEdit>(*window, "file1");
        clickTab(*window, 3);
        clickTab(*window, 1);
        QCOMPARE(path->text(), QStringLiteral("/jobs/old/"));

        dialogs.choices.push_back(QStringLiteral("/jobs/new/RUN-2.HVD"));
        clickButton(*window, "GetFile");
        clickTab(*window, 3);
        clickTab(*window, 1);
        QCOMPARE(path->text(), QStringLiteral("/jobs/new/RUN-2.HVD"));
        QVERIFY(control<QGroupBox>(*window, "Frame2")->isVisible());
    }

    void exitSavesTheFolderOfTheSelection() {
        Installation installation;
        {
            FakeDialogs dialogs;
            auto window = openWindow(dialogs);
            dialogs.choices.push_back(QStringLiteral("/jobs/new/RUN-2.HVD"));
            clickButton(*window, "GetFile");
            QVERIFY(window->close());
        }
        QCOMPARE(readFile(installation.settingsPath()),
                 crlfLines({"/jobs/new/", "", "server.krm"}));
        FakeDialogs dialogs;
        auto window = openWindow(dialogs);
        QCOMPARE(control<QLineEdit>(*window, "file1")->text(), QStringLiteral("/jobs/new/"));
    }
};

}  // namespace zendro::testing

QTEST_MAIN(zendro::testing::SelectionTest)
#include "selection_test.moc"
