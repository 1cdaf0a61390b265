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

namespace zendro::testing {
namespace {

const QString kComplete = QStringLiteral("The File Conversion is Complete");

// The first line of each message: the completion notice goes on with what was done.
QStringList headlines(const QStringList& messages) {
    QStringList result;
    for (const QString& message : messages) result.append(message.section(QLatin1Char('\n'), 0, 0));
    return result;
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
        // The notice names what was written and counts what was converted:
        // 11 records; 8 points: the 7 of the CTX file and the taped shot of
        // "-EP~TAPE"; the one chain that "+EP" starts.
        const std::string written = windowJob.file("ROAD-7.obs") + "\n" +
                                    (obsOnly ? "" : windowJob.file("ROAD-7.TRV") + "\n") +
                                    windowJob.file("ROAD-7.pf") + "\n";
        QCOMPARE(dialogs.messages,
                 QStringList{QString::fromStdString(
                     "The File Conversion is Complete\n\nFiles written:\n" + written +
                     "\nRecords converted: 11\nPoints: 8\nChains: 1\nWarnings: 0")});
        QCOMPARE(dialogs.kinds, std::vector<MessageKind>{MessageKind::Notice});

        QCOMPARE(runCommandLineConverter(
                     flags << QString::fromStdString(commandLineJob.file("ROAD-7.HVD"))),
                 0);
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
