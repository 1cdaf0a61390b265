// What the window remembers between sessions: the memory file, the Recent Jobs
// menu, the window restored from it, and a job named on the command line.

#include "shell/session_memory.h"

#include <QCheckBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QSplitter>
#include <QTest>

#include "review/limit_table.h"
#include "shell/job_arguments.h"
#include "shell/recent_jobs_menu.h"
#include "shell/review/adjustment_tab.h"
#include "shell/review/review_page.h"
#include "tests/shell/shell_test_support.h"

namespace zendro::testing {
namespace {

QStringList entries(const QMenu& menu) {
    QStringList texts;
    for (const QAction* action : menu.actions()) {
        texts.append(action->text() + (action->isEnabled() ? "" : " (disabled)"));
    }
    return texts;
}

// The job files J1.HVD ... Jn.HVD in /jobs/, most recent first.
QStringList jobsDown(int from, int to) {
    QStringList paths;
    for (int i = from; i >= to; --i) paths.append(QStringLiteral("/jobs/J%1.HVD").arg(i));
    return paths;
}

}  // namespace

class SessionMemoryTest : public QObject {
    Q_OBJECT

  private slots:
    void keepsEverythingThroughTheFile() {
        TempDir folder;
        const QString file = QString::fromStdString(folder.file("session.ini"));
        review::ReviewLimits limits = review::defaultLimits(zendro::LengthUnit::Metre);
        limits.closureRatio = 20000;
        limits.blunderResidual = 4.5;
        adjustment::AprioriSigmas sigmas =
            adjustment::defaultSigmas(zendro::LengthUnit::UsSurveyFoot);
        sigmas.directionSeconds = 1.5;
        sigmas.targetCentring = 0.02;
        {
            SessionMemory memory(file);
            memory.setWindowGeometry(QByteArray("\x01\x02\xff", 3));
            memory.setMetric(true);
            memory.setObsOnly(false);
            memory.setLimits(true, limits);
            memory.setSigmas(false, sigmas);
            memory.setFootUnit(zendro::LengthUnit::InternationalFoot);
            for (int i = 1; i <= 10; ++i) memory.recordJob(QStringLiteral("/jobs/J%1.HVD").arg(i));
            // The same job by another field file and another spelling of its folder.
            memory.recordJob(QStringLiteral("/jobs/sub/../J5.ctx"));
            // No job: not a field file.
            memory.recordJob(QStringLiteral("/jobs/notes.txt"));
            QCOMPARE(memory.save(), std::nullopt);
        }
        const SessionMemory memory(file);
        QCOMPARE(memory.windowGeometry(), QByteArray("\x01\x02\xff", 3));
        QCOMPARE(memory.metric(), std::optional<bool>(true));
        QCOMPARE(memory.obsOnly(), std::optional<bool>(false));
        QCOMPARE(memory.footUnit(), std::optional(zendro::LengthUnit::InternationalFoot));
        // The last 8 of J1 ... J10, then J5 again on top, once.
        QCOMPARE(memory.recentJobs(),
                 QStringList{"/jobs/J5.ctx"} + jobsDown(10, 6) + jobsDown(4, 3));
        const review::ReviewLimits readLimits = memory.limits(true);
        for (const review::LimitDefinition& limit : review::limitTable()) {
            QCOMPARE(readLimits.*limit.field, limits.*limit.field);
        }
        // The other unit system keeps its defaults.
        QCOMPARE(memory.limits(false).closureRatio,
                 review::defaultLimits(zendro::LengthUnit::UsSurveyFoot).closureRatio);
        const adjustment::AprioriSigmas read = memory.sigmas(false);
        QCOMPARE(read.directionSeconds, 1.5);
        QCOMPARE(read.zenithSeconds, 5.0);
        QCOMPARE(read.distanceConstant, 0.01);
        QCOMPARE(read.distancePpm, 3.0);
        QCOMPARE(read.instrumentCentring, 0.003);
        QCOMPARE(read.targetCentring, 0.02);
        QCOMPARE(memory.sigmas(true).directionSeconds, 5.0);
    }

    void damagedValuesKeepTheirDefaults() {
        TempDir folder;
        writeFile(folder.file("session.ini"),
                  "\x01\xff[[[\n[General]\nunits=Metrc\nobs-only=1\nrecent-jobs=jobs/J1.HVD\n"
                  "feet=metric\n"
                  "[limits-english]\nclosure-ratio=abc\nbacksight-distance=0.02\n"
                  "face-horizontal=-5\ncheck-shot=nan\nblunder=1e999\n"
                  "[sigmas-metric]\ndirection-seconds=0\ndistance-ppm=0\nzenith-seconds=inf\n");
        const SessionMemory memory(QString::fromStdString(folder.file("session.ini")));
        QCOMPARE(memory.metric(), std::nullopt);
        QCOMPARE(memory.obsOnly(), std::nullopt);
        QCOMPARE(memory.footUnit(), std::nullopt);
        QCOMPARE(memory.recentJobs(), QStringList());
        // Only the two good numbers count: 0.02 ft and 0 ppm.
        review::ReviewLimits expected = review::defaultLimits(zendro::LengthUnit::UsSurveyFoot);
        expected.backsightDistance = 0.02;
        const review::ReviewLimits limits = memory.limits(false);
        for (const review::LimitDefinition& limit : review::limitTable()) {
            QCOMPARE(limits.*limit.field, expected.*limit.field);
        }
        const adjustment::AprioriSigmas sigmas = memory.sigmas(true);
        QCOMPARE(sigmas.directionSeconds, 5.0);
        QCOMPARE(sigmas.zenithSeconds, 5.0);
        QCOMPARE(sigmas.distancePpm, 0.0);
    }

    void aFileThatCannotBeWrittenIsTold() {
        TempDir folder;
        writeFile(folder.file("file"), "");
        SessionMemory memory(QString::fromStdString(folder.file("file/session.ini")));
        memory.setMetric(true);
        const std::optional<QString> problem = memory.save();
        QVERIFY(problem.has_value());
        QVERIFY(problem->startsWith(QString::fromStdString(folder.file("file/session.ini: "))));
    }

    void recentJobsMenuOpensAndDropsWhatIsGone() {
        TempDir folder;
        SessionMemory memory(QString::fromStdString(folder.file("session.ini")));
        QMenu menu;
        QStringList opened;
        attachRecentJobs(menu, memory, [&opened](const QString& path) {
            opened.append(path);
            return !path.contains(QStringLiteral("GONE"));
        });
        QCOMPARE(entries(menu), (QStringList{"", "Clear Recent Jobs (disabled)"}));

        for (const char* job : {"/jobs/A&B.HVD", "/jobs/GONE.HVD", "/jobs/C.rtx"}) {
            memory.recordJob(QString::fromLatin1(job));
        }
        emit menu.aboutToShow();
        QCOMPARE(entries(menu), (QStringList{"&1 C.rtx in /jobs", "&2 GONE.HVD in /jobs",
                                             "&3 A&&B.HVD in /jobs", "", "Clear Recent Jobs"}));
        QCOMPARE(menu.actions()[2]->toolTip(), QStringLiteral("/jobs/A&B.HVD"));

        menu.actions()[1]->trigger();
        QTRY_COMPARE(entries(menu), (QStringList{"&1 C.rtx in /jobs", "&2 A&&B.HVD in /jobs", "",
                                                 "Clear Recent Jobs"}));
        QCOMPARE(memory.recentJobs(), (QStringList{"/jobs/C.rtx", "/jobs/A&B.HVD"}));
        menu.actions()[3]->trigger();
        QTRY_COMPARE(entries(menu), (QStringList{"", "Clear Recent Jobs (disabled)"}));
        QCOMPARE(opened, QStringList{"/jobs/GONE.HVD"});
        QCOMPARE(memory.recentJobs(), QStringList());
    }

    void theWindowComesBackAsItWasLeft() {
        Installation installation;
        const std::string zendroIni = crlfLines({"/jobs/old/", "", "server.krm"});
        writeFile(installation.settingsPath(), zendroIni);
        ShellOptions options;
        options.sessionMemoryFile =
            QString::fromStdString(installation.folder()) + "zendro-session.ini";
        const QSize leftAt(640, 500);
        QByteArray splitState;
        {
            FakeDialogs dialogs;
            auto window = openWindow(dialogs, options);
            QVERIFY(window->size() != leftAt);
            window->resize(leftAt);
            // The Adjustment tab shows the feet values until a metric job is reviewed.
            control<QDoubleSpinBox>(*window, "SigmaDirection")->setValue(2.5);
            control<QDoubleSpinBox>(*window, "LimitBacksightDistance")->setValue(0.07);
            clickButton(*window, "FootInternational");
            QTest::keyClicks(control<QLineEdit>(*window, "ReportInstrument"), "TS-11 #4471");
            QTest::keyClicks(control<QLineEdit>(*window, "ReportCrew"), "R. Ortiz, K. Lee");
            window->findChild<QSplitter*>(QStringLiteral("ReviewSplitter"))->setSizes({333, 444});
            splitState = window->findChild<ReviewPage*>()->splitterState();
            clickButton(*window, "EM2");
            clickButton(*window, "OptionOBS");
            QVERIFY(window->close());
        }
        FakeDialogs dialogs;
        auto window = openWindow(dialogs, options);
        QCOMPARE(window->size(), leftAt);
        QCOMPARE(control<QDoubleSpinBox>(*window, "SigmaDirection")->value(), 2.5);
        auto* reviewPage = window->findChild<ReviewPage*>();
        QCOMPARE(reviewPage->limits(false).backsightDistance, 0.07);
        QCOMPARE(reviewPage->limits(true).backsightDistance,
                 review::defaultLimits(zendro::LengthUnit::Metre).backsightDistance);
        QCOMPARE(window->findChild<AdjustmentTab*>()->sigmas(true).directionSeconds,
                 adjustment::defaultSigmas(zendro::LengthUnit::Metre).directionSeconds);
        QVERIFY(control<QRadioButton>(*window, "EM2")->isChecked());
        QVERIFY(control<QRadioButton>(*window, "FootInternational")->isChecked());
        QCOMPARE(reviewPage->splitterState(), splitState);
        QCOMPARE(control<QLineEdit>(*window, "ReportInstrument")->text(),
                 QStringLiteral("TS-11 #4471"));
        QCOMPARE(control<QLineEdit>(*window, "ReportCrew")->text(),
                 QStringLiteral("R. Ortiz, K. Lee"));
        QVERIFY(!control<QCheckBox>(*window, "OptionOBS")->isChecked());
        // Shown whole in the status line, even at the design size.
        auto* status = control<QLabel>(*window, "Plabel");
        QCOMPARE(status->text(), QStringLiteral("Restored: Metric, OBS Only off"));
        window->resize(window->minimumSize());
        QVERIFY(status->fontMetrics().horizontalAdvance(status->text()) <= status->width());
        QCOMPARE(dialogs.messages, QStringList());
        QCOMPARE(readFile(installation.settingsPath()), zendroIni);
    }

    void aJobNamedOnTheCommandLineOpens() {
        Installation installation;
        TempDir jobs;
        writeSampleJob(jobs.path(), "ROAD-7");
        ShellOptions options;
        options.sessionMemoryFile = QString::fromStdString(jobs.file("session.ini"));
        FakeDialogs dialogs;
        auto window = openWindow(dialogs, options);
        const QString before = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(jobs.path()));
        // Relative, with the extension in another case, after an unknown option.
        const bool opened =
            openJobFromArguments(*window, {"zendro", "--unknown", "road-7/../ROAD-7.hvd"});
        QDir::setCurrent(before);
        QVERIFY(opened);
        QCOMPARE(window->session().job.basePath, jobs.path() + "ROAD-7");
        const QString chosen = QString::fromStdString(jobs.file("ROAD-7.hvd"));
        QCOMPARE(control<QLineEdit>(*window, "file1")->text(), chosen);
        QCOMPARE(control<QLineEdit>(*window, "Suffix1")->text(), QStringLiteral("-7"));
        QCOMPARE(SessionMemory(options.sessionMemoryFile).recentJobs(), QStringList{chosen});
        QCOMPARE(dialogs.messages, QStringList());

        // A folder is refused as a chosen folder is; a job whose files are gone, by name.
        QVERIFY(!openJobFromArguments(*window,
                                      {"zendro", QString::fromStdString(installation.folder())}));
        for (const char* extension : {".HVD", ".CTX", ".RTX"}) {
            QVERIFY(QFile::remove(QString::fromStdString(jobs.file("ROAD-7")) + extension));
        }
        QMenu menu;
        window->attachRecentJobs(menu);
        menu.actions()[0]->trigger();
        QCOMPARE(dialogs.messages.size(), 2);
        QVERIFY(dialogs.messages[0].startsWith(QString::fromStdString(installation.folder())));
        QCOMPARE(dialogs.messages[1],
                 chosen + ": the file does not exist, nor does another field file of this job");
        QTRY_COMPARE(entries(menu), (QStringList{"", "Clear Recent Jobs (disabled)"}));
        QCOMPARE(window->session().job.basePath, jobs.path() + "ROAD-7");
    }
};

}  // namespace zendro::testing

QTEST_MAIN(zendro::testing::SessionMemoryTest)
#include "session_memory_test.moc"
