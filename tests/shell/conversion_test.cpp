// The Convert button: the refusal, the run with the window's options, byte for
// byte the same files as zendro-convert writes, converting again, failures.

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "common/file_io.h"
#include "tests/shell/shell_test_support.h"
#include "tests/support/job_builder.h"

namespace zendro::testing {
namespace {

const QString kComplete = QStringLiteral("The File Conversion is Complete");

// The first line of each message: the completion notice goes on with what was done.
QStringList headlines(const QStringList& messages) {
    QStringList result;
    for (const QString& message : messages) result.append(message.section(QLatin1Char('\n'), 0, 0));
    return result;
}

// The files of `folder` whose name holds `part`.
QStringList filesNamed(const std::string& folder, const char* part) {
    QStringList found;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.find(part) != std::string::npos) found.append(QString::fromStdString(name));
    }
    return found;
}

void copyJob(const std::string& from, const std::string& to, const std::string& name) {
    for (const char* extension : {".HVD", ".CTX", ".RTX"}) {
        writeFile(to + name + extension, readFile(from + name + extension));
    }
}

// Runs `action` once, as soon as a conversion is under way in `window`.
void whileRunning(QWidget& window, std::function<void()> action) {
    auto* poll = new QTimer(&window);
    QObject::connect(poll, &QTimer::timeout, poll, [&window, poll, action = std::move(action)] {
        if (!control<QWidget>(window, "CancelRun")->isVisible()) return;
        poll->stop();
        poll->deleteLater();
        action();
    });
    poll->start(0);
}

}  // namespace

class ConversionTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QCoreApplication::setApplicationName(QStringLiteral("zendro"));
        qputenv("SOURCE_DATE_EPOCH", kSourceDateEpoch);
    }

    void convertBeforeAnySelectionIsRefused() {
        Installation installation;
        FakeDialogs dialogs;
        auto window = openWindow(dialogs);
        QVERIFY(clickConvertAndWait(*window));
        QCOMPARE(dialogs.messages,
                 QStringList{QStringLiteral("Must Select a file before you can convert!")});
        QCOMPARE(control<QProgressBar>(*window, "ProgressBar")->value(), 0);
    }

    void acceleratorsReachTheirControls() {
        Installation installation;
        FakeDialogs dialogs;
        auto window = openWindow(dialogs);
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(window.get(), Qt::Key_M, Qt::AltModifier);
        // A mnemonic clicks its button as the mouse would, a moment later.
        QTRY_VERIFY(control<QRadioButton>(*window, "EM2")->isChecked());
        QTest::keyClick(window.get(), Qt::Key_E, Qt::AltModifier);
        QTRY_VERIFY(control<QRadioButton>(*window, "EM1")->isChecked());
        QTest::keyClick(window.get(), Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(dialogs.messages,
                     QStringList{QStringLiteral("Must Select a file before you can convert!")});
    }

    void windowWritesWhatTheCommandLineWrites_data() {
        QTest::addColumn<bool>("obsOnly");
        QTest::addColumn<bool>("metric");
        QTest::addColumn<QStringList>("flags");
        QTest::newRow("OBS Only") << true << false << QStringList{};
        QTest::newRow("TRV too") << false << false << QStringList{"--trv"};
        QTest::newRow("TRV too, metric") << false << true << QStringList{"--trv", "--metric"};
    }

    void windowWritesWhatTheCommandLineWrites() {
        QFETCH(bool, obsOnly);
        QFETCH(bool, metric);
        QFETCH(QStringList, flags);
        Installation installation;
        TempDir windowJob;
        TempDir commandLineJob;
        writeSampleJob(windowJob.path(), "ROAD-7");
        copyJob(windowJob.path(), commandLineJob.path(), "ROAD-7");

        FakeDialogs dialogs;
        auto window = openWindow(dialogs);
        dialogs.choices.push_back(QString::fromStdString(windowJob.file("ROAD-7.HVD")));
        clickButton(*window, "GetFile");
        if (!obsOnly) clickButton(*window, "OptionOBS");
        if (metric) clickButton(*window, "EM2");
        QCOMPARE(control<QCheckBox>(*window, "OptionOBS")->isChecked(), obsOnly);
        QCOMPARE(control<QRadioButton>(*window, "EM1")->isChecked(), !metric);
        QVERIFY(clickConvertAndWait(*window));
        QString printed;
        QCOMPARE(runCommandLineConverter(
                     flags << QStringLiteral("--review")
                           << QString::fromStdString(commandLineJob.file("ROAD-7.HVD")),
                     &printed),
                 0);
        // The notice names what was written and counts what was converted:
        // 11 records; 8 points: the 7 of the CTX file and the taped shot of
        // "-EP~TAPE"; the one chain that "+EP" starts. Then the review's
        // verdict and summary, as the command line's result line and its
        // report's last line give them.
        const QStringList lines = printed.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QVERIFY(lines.size() >= 2);
        const QString verdict = lines.first().section(QStringLiteral(" warnings; "), 1);
        QVERIFY(!verdict.isEmpty());
        const std::string written = windowJob.file("ROAD-7.obs") + "\n" +
                                    (obsOnly ? "" : windowJob.file("ROAD-7.TRV") + "\n") +
                                    windowJob.file("ROAD-7.pf") + "\n";
        QCOMPARE(dialogs.messages,
                 QStringList{QString::fromStdString(
                                 "The File Conversion is Complete\n\nFiles written:\n" + written +
                                 "\nRecords converted: 11\nPoints: 8\nChains: 1\nWarnings: 0\n\n"
                                 "Review: ") +
                             verdict + QLatin1Char('\n') + lines.last()});
        QCOMPARE(dialogs.kinds, std::vector<MessageKind>{MessageKind::Notice});
        const std::string obs = readFile(windowJob.file("ROAD-7.obs"));
        QVERIFY(obs.find("ROAD-7") != std::string::npos);
        QCOMPARE(obs, readFile(commandLineJob.file("ROAD-7.obs")));
        QCOMPARE(readFile(windowJob.file("ROAD-7.pf")), readFile(commandLineJob.file("ROAD-7.pf")));
        QCOMPARE(fileExists(windowJob.file("ROAD-7.TRV")), !obsOnly);
        if (!obsOnly) {
            QCOMPARE(readFile(windowJob.file("ROAD-7.TRV")),
                     readFile(commandLineJob.file("ROAD-7.TRV")));
        }
    }

    void optionsOfTheBoxesReachTheRun() {
        Installation installation;
        TempDir windowJob;
        TempDir commandLineJob;
        writeSampleJob(windowJob.path(), "JOB");
        copyJob(windowJob.path(), commandLineJob.path(), "JOB");

        FakeDialogs dialogs;
        auto window = openWindow(dialogs);
        dialogs.choices.push_back(QString::fromStdString(windowJob.file("JOB.HVD")));
        clickButton(*window, "GetFile");
        const auto retype = [&](const char* name, const char* text) {
            auto* box = control<QLineEdit>(*window, name);
            box->selectAll();
            QTest::keyClicks(box, text);
        };
        retype("Prefix1", "ST");
        retype("Curvecode1", "#");
        retype("CommentCode1", ";");
        retype("Suffix1", "-N");
        QVERIFY(clickConvertAndWait(*window));
        QCOMPARE(headlines(dialogs.messages), QStringList{kComplete});

        QCOMPARE(runCommandLineConverter({"--prefix", "ST", "--curve-code", "#",
                                          "--comment-delimiter", ";", "--suffix", "-N",
                                          QString::fromStdString(commandLineJob.file("JOB.HVD"))}),
                 0);
        QCOMPARE(readFile(windowJob.file("JOB.obs")), readFile(commandLineJob.file("JOB.obs")));
        QCOMPARE(readFile(windowJob.file("JOB.pf")), readFile(commandLineJob.file("JOB.pf")));
    }

    void convertAgainConvertsAgain() {
        Installation installation;
        TempDir jobs;
        writeSampleJob(jobs.path(), "RUN");
        FakeDialogs dialogs;
        auto window = openWindow(dialogs);
        auto* path = control<QLineEdit>(*window, "file1");
        path->setText(QString::fromStdString(jobs.file("RUN.HVD")));
        QTest::keyClick(path, Qt::Key_Return);

        QVERIFY(clickConvertAndWait(*window));
        const std::string first = readFile(jobs.file("RUN.obs"));
        std::filesystem::remove(jobs.file("RUN.obs"));
        QVERIFY(clickConvertAndWait(*window));
        QCOMPARE(headlines(dialogs.messages), (QStringList{kComplete, kComplete}));
        QCOMPARE(readFile(jobs.file("RUN.obs")), first);
        // After the message: the bar at 0, the status line empty.
        QCOMPARE(control<QProgressBar>(*window, "ProgressBar")->value(), 0);
        QVERIFY(control<QProgressBar>(*window, "ProgressBar")->isVisible());
        QCOMPARE(control<QLabel>(*window, "Plabel")->text(), QString());
    }

    void extensionInSmallLettersIsFound() {
        Installation installation;
        TempDir jobs;
        writeSampleJob(jobs.path(), "RUN");
        for (const char* extension : {"HVD", "CTX", "RTX"}) {
            const std::string small = QString::fromLatin1(extension).toLower().toStdString();
            std::filesystem::rename(jobs.file(std::string("RUN.") + extension),
                                    jobs.file("RUN." + small));
        }
        FakeDialogs dialogs;
        auto window = openWindow(dialogs);
        dialogs.choices.push_back(QString::fromStdString(jobs.file("RUN.hvd")));
        clickButton(*window, "GetFile");
        QVERIFY(clickConvertAndWait(*window));
        QCOMPARE(headlines(dialogs.messages), QStringList{kComplete});
        QVERIFY(readFile(jobs.file("RUN.obs")).size() > 100);
    }

    void failureIsReportedAndTheWindowStaysUsable() {
        Installation installation;
        TempDir jobs;
        writeFile(jobs.file("GONE.obs"), "previous\r\n");
        FakeDialogs dialogs;
        auto window = openWindow(dialogs);
        dialogs.choices.push_back(QString::fromStdString(jobs.file("GONE.HVD")));
        clickButton(*window, "GetFile");
        QVERIFY(clickConvertAndWait(*window));
        QCOMPARE(dialogs.kinds, std::vector<MessageKind>{MessageKind::Error});
        QVERIFY2(dialogs.messages.first().startsWith(QString::fromStdString(jobs.file("GONE.HVD"))),
                 qPrintable(dialogs.messages.first()));
        QCOMPARE(readFile(jobs.file("GONE.obs")), std::string("previous\r\n"));
        QCOMPARE(control<QProgressBar>(*window, "ProgressBar")->value(), 0);
        QCOMPARE(control<QLabel>(*window, "Plabel")->text(), QString());

        // The files arrive (Kermit), and Convert works without a new selection.
        writeSampleJob(jobs.path(), "GONE");
        QVERIFY(clickConvertAndWait(*window));
        QCOMPARE(headlines(dialogs.messages).last(), kComplete);
    }

    void missingNotesAreWarnedAboutBeforeTheEnd() {
        Installation installation;
        TempDir jobs;
        writeSampleJob(jobs.path(), "RUN");
        std::filesystem::remove(jobs.file("RUN.RTX"));
        FakeDialogs dialogs;
        auto window = openWindow(dialogs);
        chooseJob(*window, dialogs, jobs.file("RUN.HVD"));
        QVERIFY(clickConvertAndWait(*window));
        QCOMPARE(dialogs.kinds,
                 (std::vector<MessageKind>{MessageKind::Warning, MessageKind::Notice}));
        QVERIFY(dialogs.messages.first().contains(QStringLiteral("RUN.RTX")));
        QCOMPARE(headlines(dialogs.messages).last(), kComplete);
    }

    // An output changed since the window wrote it: Cancel writes nothing,
    // Replace writes and keeps the edited file beside it.
    void anEditedOutputIsReplacedOnlyWhenAsked() {
        Installation installation;
        TempDir jobs;
        writeSampleJob(jobs.path(), "RUN");
        FakeDialogs dialogs;
        auto window = openWindow(dialogs);
        chooseJob(*window, dialogs, jobs.file("RUN.HVD"));
        QVERIFY(clickConvertAndWait(*window));
        const std::string written = readFile(jobs.file("RUN.obs"));
        writeFile(jobs.file("RUN.obs"), "edited\r\n");

        dialogs.answers = {false};
        QVERIFY(clickConvertAndWait(*window));
        const QString question = QString::fromStdString(jobs.file("RUN.obs")) +
                                 QStringLiteral(
                                     "\n\nThese files were changed since ZENDRO wrote them "
                                     "(edited by hand?). Replace replaces them and keeps each "
                                     "edited file beside it as NAME.edited-YYYYMMDD-HHMMSS; "
                                     "Cancel writes nothing.");
        QCOMPARE(dialogs.questions, QStringList{question});
        QCOMPARE(headlines(dialogs.messages), QStringList{kComplete});
        QCOMPARE(readFile(jobs.file("RUN.obs")), std::string("edited\r\n"));
        QCOMPARE(filesNamed(jobs.path(), ".edited-"), QStringList{});

        dialogs.answers = {true};
        QVERIFY(clickConvertAndWait(*window));
        QCOMPARE(dialogs.questions, QStringList(2, question));
        QCOMPARE(readFile(jobs.file("RUN.obs")), written);
        const QStringList kept = filesNamed(jobs.path(), ".edited-");
        QCOMPARE(kept.size(), 1);
        QVERIFY(kept.first().startsWith(QStringLiteral("RUN.obs.edited-")));
        QCOMPARE(readFile(jobs.path() + kept.first().toStdString()), std::string("edited\r\n"));
        // The notice names the kept file; the run's warning says the same.
        const QString keptPath = QString::fromStdString(jobs.path()) + kept.first();
        QVERIFY(dialogs.messages.last().contains(keptPath + QStringLiteral(" (the edited ")));
    }

    // A CTX file downloaded again after JOB.pf was made: the window asks, and
    // each answer does what zendro-convert's flag for it does, byte for byte.
    void aStaleFeatureFileIsUpdatedAsAnswered_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("flags");
        QTest::addColumn<int>("backups");
        QTest::newRow("add new") << int(StalePointFeaturesChoice::AddNew)
                                 << QStringList{"--pf-add-new"} << 0;
        QTest::newRow("rebuild") << int(StalePointFeaturesChoice::Rebuild)
                                 << QStringList{"--pf-rebuild"} << 1;
        QTest::newRow("as is") << int(StalePointFeaturesChoice::ConvertAsIs) << QStringList{} << 0;
    }

    void aStaleFeatureFileIsUpdatedAsAnswered() {
        QFETCH(int, answer);
        QFETCH(QStringList, flags);
        QFETCH(int, backups);
        Installation installation;
        TempDir windowJob;
        TempDir commandLineJob;
        writeSampleJob(windowJob.path(), "RUN");
        copyJob(windowJob.path(), commandLineJob.path(), "RUN");
        FakeDialogs dialogs;
        auto window = openWindow(dialogs);
        chooseJob(*window, dialogs, windowJob.file("RUN.HVD"));
        QVERIFY(clickConvertAndWait(*window));
        const QString commandLineHvd = QString::fromStdString(commandLineJob.file("RUN.HVD"));
        QCOMPARE(runCommandLineConverter({commandLineHvd}), 0);
        // The crew edits a description; then point 15 comes with a new CTX file.
        std::string edited = readFile(windowJob.file("RUN.pf"));
        const std::size_t pin = edited.find("IRON PIN");
        QVERIFY(pin != std::string::npos);
        edited.replace(pin, 8, "IRON ROD");
        for (const TempDir* job : {&windowJob, &commandLineJob}) {
            writeFile(job->file("RUN.pf"), edited);
            writeFile(job->file("RUN.CTX"),
                      readFile(job->file("RUN.CTX")) + ctxRecord(1, 15, "CP,NEW PIN"));
        }

        // Cancel: nothing is written.
        const std::string obs = readFile(windowJob.file("RUN.obs"));
        QVERIFY(clickConvertAndWait(*window));
        QCOMPARE(dialogs.questions.size(), 1);
        QVERIFY2(dialogs.questions.first().startsWith(QString::fromStdString(
                     windowJob.file("RUN.pf") + " does not match " + windowJob.file("RUN.CTX") +
                     ":\n1 CTX points have no entry (15)\n")),
                 qPrintable(dialogs.questions.first()));
        QCOMPARE(readFile(windowJob.file("RUN.obs")), obs);
        QCOMPARE(readFile(windowJob.file("RUN.pf")), edited);
        QCOMPARE(dialogs.messages.size(), 1);

        dialogs.staleAnswers = {StalePointFeaturesChoice(answer)};
        QVERIFY(clickConvertAndWait(*window));
        QCOMPARE(runCommandLineConverter(flags << commandLineHvd), 0);
        QCOMPARE(dialogs.questions.size(), 2);
        QCOMPARE(headlines(dialogs.messages).last(), kComplete);
        QCOMPARE(readFile(windowJob.file("RUN.pf")), readFile(commandLineJob.file("RUN.pf")));
        QCOMPARE(readFile(windowJob.file("RUN.obs")), readFile(commandLineJob.file("RUN.obs")));
        const QStringList backupFiles = filesNamed(windowJob.path(), ".backup-");
        QCOMPARE(backupFiles.size(), backups);
        if (backups != 0) {
            QCOMPARE(readFile(windowJob.path() + backupFiles.first().toStdString()), edited);
            QVERIFY(dialogs.messages.last().contains(
                QStringLiteral("made again from the CTX file; the previous one is kept as ") +
                QString::fromStdString(windowJob.path()) + backupFiles.first()));
        }
    }

    // An HVD file cut inside its last record (point 14's shot): the notice
    // warns, naming the file and the counts. 10 whole records; of the 8
    // entries only point 14's is observed by none (11, 12 and 13 as setups and
    // backsights, 501 to 503 as shots, the taped 100503 by 503).
    void aCutDownloadMakesTheNoticeAWarning() {
        Installation installation;
        TempDir jobs;
        writeSampleJob(jobs.path(), "CUT");
        const std::string hvd = readFile(jobs.file("CUT.HVD"));
        writeFile(jobs.file("CUT.HVD"), hvd.substr(0, hvd.size() - 5));
        FakeDialogs dialogs;
        auto window = openWindow(dialogs);
        chooseJob(*window, dialogs, jobs.file("CUT.HVD"));
        QVERIFY(clickConvertAndWait(*window));
        QCOMPARE(dialogs.kinds.back(), MessageKind::Warning);
        const QStringList lines = dialogs.messages.last().split(QLatin1Char('\n'));
        QCOMPARE(lines.mid(0, 3),
                 (QStringList{kComplete, QString(),
                              QString::fromStdString(jobs.file("CUT.HVD")) +
                                  " ends inside a record: the download was most likely cut "
                                  "short. 10 whole records converted; 1 point-feature entries "
                                  "that no record observed. Download the job again."}));
    }

    // A run in progress: what would start other work is locked, the cursor is
    // busy, Cancel stops the run and nothing is written; closing asks first.
    void aRunCanBeCancelledAndClosingAsksFirst() {
        Installation installation;
        TempDir jobs;
        writeSampleJob(jobs.path(), "RUN");
        // Long enough (550,000 records) that a cancel lands while the worker converts.
        const std::string records = readFile(jobs.file("RUN.HVD"));
        std::string longRun;
        for (int copy = 0; copy < 50000; ++copy) longRun += records;
        writeFile(jobs.file("RUN.HVD"), longRun);
        writeFile(jobs.file("RUN.obs"), "previous\r\n");
        FakeDialogs dialogs;
        auto window = openWindow(dialogs);
        chooseJob(*window, dialogs, jobs.file("RUN.HVD"));
        const char* const starters[] = {"GetFile", "file1", "DownLoad", "Convert", "TabStrip1"};
        QStringList locked;
        whileRunning(*window, [&] {
            for (const char* name : starters) {
                if (!control<QWidget>(*window, name)->isEnabled()) locked.append(name);
            }
            if (QApplication::overrideCursor()->shape() == Qt::BusyCursor) locked.append("cursor");
            clickButton(*window, "CancelRun");
        });
        QVERIFY(clickConvertAndWait(*window));
        QCOMPARE(locked,
                 (QStringList{"GetFile", "file1", "DownLoad", "Convert", "TabStrip1", "cursor"}));
        for (const char* name : starters) QVERIFY(control<QWidget>(*window, name)->isEnabled());
        QVERIFY(!control<QWidget>(*window, "CancelRun")->isVisible());
        QVERIFY(QApplication::overrideCursor() == nullptr);
        QCOMPARE(dialogs.messages, QStringList{QStringLiteral(
                                       "The conversion was cancelled. No file was written; the "
                                       "files of the previous conversion are as they were.")});
        QCOMPARE(readFile(jobs.file("RUN.obs")), std::string("previous\r\n"));

        // Closing while it runs: No lets the run end; Yes cancels it and closes.
        dialogs.answers = {false, true};
        whileRunning(*window, [&] { window->close(); });
        QVERIFY(clickConvertAndWait(*window));
        QVERIFY(window->isVisible());
        QCOMPARE(headlines(dialogs.messages).last(), kComplete);
        // Not recorded as written, so replaced without the question about edits.
        std::filesystem::remove(jobs.file("RUN.zendro-written"));
        writeFile(jobs.file("RUN.obs"), "previous\r\n");
        whileRunning(*window, [&] { window->close(); });
        QVERIFY(clickConvertAndWait(*window));
        QCOMPARE(dialogs.questions,
                 QStringList(2, QStringLiteral("A conversion is running. Cancel it and close the "
                                               "window? Nothing of this conversion is written.")));
        QVERIFY(!window->isVisible());
        QCOMPARE(dialogs.messages.size(), 2);
        QCOMPARE(readFile(jobs.file("RUN.obs")), std::string("previous\r\n"));
    }
};

}  // namespace zendro::testing

QTEST_MAIN(zendro::testing::ConversionTest)
#include "conversion_test.moc"
