// The Download button: the settings file copied into the job folder once,
// Kermit started with that file as its one argument and no shell between.

#include "shell/kermit_download.h"

#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QStandardPaths>
#include <filesystem>

#include "common/file_io.h"
#include "tests/shell/shell_test_support.h"

namespace zendro::testing {
namespace {

// Writes its argument count, each argument in brackets and its working folder
// into args.txt beside itself.
const char* const kStandIn =
    "#!/bin/sh\n"
    "dir=$(dirname \"$0\")\n"
    "{ printf '%s\\n' \"$#\"; for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done; pwd; }"
    " > \"$dir/args.tmp\" && mv \"$dir/args.tmp\" \"$dir/args.txt\"\n";

// Writes its process number into args.txt beside itself and stays until it is
// ended; no search path needed.
const char* const kLingering =
    "#!/bin/sh\n"
    "printf '%s' \"$$\" > \"${0%/*}/args.txt\"\n"
    "exec /bin/sleep 600\n";

// Writes ten lines (the last one ending CR LF, as Kermit's own do) and fails.
const char* const kFailing =
    "#!/bin/sh\n"
    "for i in 1 2 3 4 5 6 7 8 9; do echo \"line $i\"; done\n"
    "printf 'line 10\\r\\n'\n"
    "exit 3\n";

// The process number that the lingering stand-in wrote.
std::string processNumberIn(const std::string& path) {
    if (!QTest::qWaitFor([&] { return fileExists(path) && !readFile(path).empty(); }, 10000)) {
        return "none";
    }
    return readFile(path);
}

void writeProgram(const std::string& path, const char* script) {
    writeFile(path, script);
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
}

// A folder with the stand-in "kermit" program and a settings file.
struct KermitFolder {
    TempDir dir;
    explicit KermitFolder(const char* settings = "SETTINGS A\r\n") {
        writeProgram(dir.file("kermit"), kStandIn);
        writeFile(dir.file("my.krm"), settings);
    }
    std::string argsPath() const { return dir.file("args.txt"); }
};

bool waitForFile(const std::string& path, int milliseconds = 10000) {
    return QTest::qWaitFor([&] { return fileExists(path); }, milliseconds);
}

std::string withoutTrailingSeparator(std::string folder) {
    folder.pop_back();
    return folder;
}

// Waits for the notice that the Kermit started before has ended, then clicks
// Download. False when it never ended.
bool downloadOnceKermitHasEnded(QWidget& window, FakeDialogs& dialogs) {
    const QString ended = QStringLiteral("Kermit ended (exit status 0).");
    if (!QTest::qWaitFor([&] { return dialogs.messages.contains(ended); }, 10000)) {
        return false;
    }
    clickButton(window, "DownLoad");
    return true;
}

// The messages other than notices: the end of a Kermit that did its work is
// told as a notice.
QStringList warningsAndErrors(const FakeDialogs& dialogs) {
    QStringList found;
    for (qsizetype i = 0; i < dialogs.messages.size(); ++i) {
        if (dialogs.kinds[static_cast<std::size_t>(i)] != MessageKind::Notice) {
            found.append(dialogs.messages[i]);
        }
    }
    return found;
}

const char* const kWeirdFolder = "job a b;$(touch PWNED)&`touch PWNED2`'\"";

// A window whose settings name `kermit` and `settingsName`, with the job
// `jobHvd` selected through the Filename button. Kermit starts without a
// terminal emulator.
std::unique_ptr<Form1> windowOnJob(FakeDialogs& dialogs, const Installation& installation,
                                   const KermitFolder& kermit, const char* settingsName,
                                   const std::string& jobHvd) {
    writeFile(installation.settingsPath(), crlfLines({"", kermit.dir.path(), settingsName}));
    auto window = openWindow(dialogs, {std::string(), KermitTerminal::Never, {}});
    dialogs.choices.push_back(QString::fromStdString(jobHvd));
    clickButton(*window, "GetFile");
    return window;
}

}  // namespace

class KermitDownloadTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("zendro")); }

    void downloadBeforeAnySelectionIsRefused() {
        Installation installation;
        KermitFolder kermit;
        TempDir working;
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(QString::fromStdString(working.path())));
        writeFile(installation.settingsPath(), crlfLines({"", kermit.dir.path(), "my.krm"}));
        FakeDialogs dialogs;
        auto window = openWindow(dialogs, {std::string(), KermitTerminal::Never, {}});
        clickButton(*window, "DownLoad");
        QTest::qWait(200);
        QDir::setCurrent(previous);
        QCOMPARE(dialogs.messages, QStringList{QString::fromLatin1(kDownloadNeedsJobMessage)});
        QVERIFY(!fileExists(working.file("server.krm")));
        QVERIFY(!fileExists(kermit.argsPath()));
    }

    void copiesTheSettingsOnceAndStartsKermitWithOneArgument() {
        Installation installation;
        KermitFolder kermit;
        TempDir jobs;
        const std::string folder = jobs.path() + kWeirdFolder + "/";
        QVERIFY(QDir().mkpath(QString::fromStdString(folder)));
        FakeDialogs dialogs;
        auto window = windowOnJob(dialogs, installation, kermit, "my.krm", folder + "RUN.HVD");

        clickButton(*window, "DownLoad");
        QCOMPARE(warningsAndErrors(dialogs), QStringList{});
        QCOMPARE(readFile(folder + "server.krm"), std::string("SETTINGS A\r\n"));
        QVERIFY(waitForFile(kermit.argsPath()));
        QCOMPARE(readFile(kermit.argsPath()),
                 "1\n[" + folder + "server.krm]\n" + withoutTrailingSeparator(folder) + "\n");

        // The second click copies nothing and starts Kermit again.
        writeFile(kermit.dir.file("my.krm"), "SETTINGS B\r\n");
        std::filesystem::remove(kermit.argsPath());
        QVERIFY(downloadOnceKermitHasEnded(*window, dialogs));
        QVERIFY(waitForFile(kermit.argsPath()));
        QCOMPARE(readFile(folder + "server.krm"), std::string("SETTINGS A\r\n"));
        QCOMPARE(warningsAndErrors(dialogs), QStringList{});

        // No shell ever saw the folder name.
        for (const std::string& place :
             {folder, jobs.path(), kermit.dir.path(), std::string("./")}) {
            QVERIFY(!fileExists(place + "PWNED"));
            QVERIFY(!fileExists(place + "PWNED2"));
        }
    }

    void existingServerKrmIsKept() {
        Installation installation;
        KermitFolder kermit;
        TempDir jobs;
        writeFile(jobs.file("server.krm"), "THE JOB'S OWN\r\n");
        FakeDialogs dialogs;
        auto window = windowOnJob(dialogs, installation, kermit, "my.krm", jobs.file("RUN.HVD"));
        clickButton(*window, "DownLoad");
        QVERIFY(waitForFile(kermit.argsPath()));
        QCOMPARE(readFile(jobs.file("server.krm")), std::string("THE JOB'S OWN\r\n"));
        QCOMPARE(readFile(kermit.argsPath()), "1\n[" + jobs.file("server.krm") + "]\n" +
                                                  withoutTrailingSeparator(jobs.path()) + "\n");
    }

    void missingSettingsFileIsReported() {
        Installation installation;
        KermitFolder kermit;
        TempDir jobs;
        FakeDialogs dialogs;
        auto window = windowOnJob(dialogs, installation, kermit, "none.krm", jobs.file("RUN.HVD"));
        clickButton(*window, "DownLoad");
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY2(dialogs.messages.first().startsWith(
                     QString::fromStdString(kermit.dir.file("none.krm"))),
                 qPrintable(dialogs.messages.first()));
        QVERIFY(!fileExists(jobs.file("server.krm")));
        QTest::qWait(200);
        QVERIFY(!fileExists(kermit.argsPath()));
    }

    void missingProgramIsReported() {
        Installation installation;
        KermitFolder kermit;
        std::filesystem::remove(kermit.dir.file("kermit"));
        TempDir jobs;
        FakeDialogs dialogs;
        auto window = windowOnJob(dialogs, installation, kermit, "my.krm", jobs.file("RUN.HVD"));
        clickButton(*window, "DownLoad");
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY2(
            dialogs.messages.first().startsWith(QString::fromStdString(kermit.dir.file("kermit"))),
            qPrintable(dialogs.messages.first()));
        // The window goes on working.
        QVERIFY(clickConvertAndWait(*window));
        QCOMPARE(dialogs.messages.size(), 2);
    }

    void emptyKermitFolderUsesTheShippedSettingsAndTheSearchPath() {
        Installation installation;
        KermitFolder kermit;
        TempDir shipped;
        TempDir jobs;
        writeFile(shipped.file("server.krm"), "SHIPPED\r\n");
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QByteArray::fromStdString(kermit.dir.path()) + ":" + path);
        writeFile(installation.settingsPath(), crlfLines({"", "", "server.krm"}));
        FakeDialogs dialogs;
        auto window = openWindow(dialogs, {shipped.path(), KermitTerminal::Never, {}});
        chooseJob(*window, dialogs, jobs.file("RUN.HVD"));
        clickButton(*window, "DownLoad");
        const bool started = waitForFile(kermit.argsPath());
        qputenv("PATH", path);
        QCOMPARE(warningsAndErrors(dialogs), QStringList{});
        QVERIFY(started);
        QCOMPARE(readFile(jobs.file("server.krm")), std::string("SHIPPED\r\n"));
    }

    void withoutAConsoleKermitGetsATerminalWindow() {
        KermitFolder kermit;
        TempDir terminal;
        writeProgram(terminal.file("x-terminal-emulator"), kStandIn);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QByteArray::fromStdString(terminal.path()) + ":" + path);
        SessionState session;
        session.kermitFolder = kermit.dir.path();
        session.job = deriveJobPaths("/jobs/a b/RUN.HVD");
        const ProgramStart start = KermitDownload({}, KermitTerminal::WhenNoConsole)
                                       .programStart(session, "/jobs/a b/server.krm");
        const ProgramStart direct =
            KermitDownload({}, KermitTerminal::Never).programStart(session, "/jobs/a b/server.krm");
        qputenv("PATH", path);

        const QString program = QString::fromStdString(kermit.dir.file("kermit"));
        QCOMPARE(direct.program, program);
        QCOMPARE(direct.arguments, QStringList{"/jobs/a b/server.krm"});
        QCOMPARE(direct.workingFolder, QStringLiteral("/jobs/a b/"));
        if (::isatty(STDIN_FILENO) && ::isatty(STDOUT_FILENO)) {
            QCOMPARE(start.program, program);
        } else {
            QCOMPARE(start.program, QString::fromStdString(terminal.file("x-terminal-emulator")));
            QCOMPARE(start.arguments, (QStringList{"-e", program, "/jobs/a b/server.krm"}));
        }
    }

    void typedRelativePathIsMadeAbsoluteOnce() {
        Installation installation;
        KermitFolder kermit;
        TempDir working;
        const std::string folder = working.path() + "jobs8/";
        QVERIFY(QDir().mkpath(QString::fromStdString(folder)));
        writeFile(installation.settingsPath(), crlfLines({"", kermit.dir.path(), "my.krm"}));
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(QString::fromStdString(working.path())));
        FakeDialogs dialogs;
        auto window = openWindow(dialogs, {std::string(), KermitTerminal::Never, {}});
        auto* path = control<QLineEdit>(*window, "file1");
        path->setText(QStringLiteral("jobs8/REL-4.HVD"));
        QTest::keyClick(path, Qt::Key_Return);
        // Later steps must not depend on the working folder.
        QDir::setCurrent(previous);
        clickButton(*window, "DownLoad");
        QVERIFY(waitForFile(kermit.argsPath()));
        QCOMPARE(warningsAndErrors(dialogs), QStringList{});
        QCOMPARE(path->text(), QString::fromStdString(folder + "REL-4.HVD"));
        QCOMPARE(readFile(kermit.argsPath()),
                 "1\n[" + folder + "server.krm]\n" + withoutTrailingSeparator(folder) + "\n");
        // Closing while Kermit runs would ask.
        QTRY_VERIFY(dialogs.messages.contains(QStringLiteral("Kermit ended (exit status 0).")));
        QVERIFY(window->close());
        QCOMPARE(readFile(installation.settingsPath()),
                 crlfLines({folder, kermit.dir.path(), "my.krm"}));
    }

    void downloadReadsTheKermitValuesAsTheFileHoldsThemNow() {
        Installation installation;
        KermitFolder kermit;
        TempDir jobs;
        FakeDialogs dialogs;
        auto window = windowOnJob(dialogs, installation, kermit, "wrong.krm", jobs.file("RUN.HVD"));
        // The user mends the file while the window is open.
        writeFile(installation.settingsPath(), crlfLines({"", kermit.dir.path(), "my.krm"}));
        clickButton(*window, "DownLoad");
        QCOMPARE(warningsAndErrors(dialogs), QStringList{});
        QVERIFY(waitForFile(kermit.argsPath()));
        QCOMPARE(readFile(jobs.file("server.krm")), std::string("SETTINGS A\r\n"));
    }

    // Kermit started without a terminal window: the window says how to stop
    // it, and a second Download while it runs says so instead of starting one.
    void kermitWithoutAWindowAndASecondDownload() {
        Installation installation;
        KermitFolder kermit;
        writeProgram(kermit.dir.file("kermit"), kLingering);
        TempDir jobs;
        TempDir noTerminal;
        writeFile(installation.settingsPath(), crlfLines({"", kermit.dir.path(), "my.krm"}));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QByteArray::fromStdString(noTerminal.path()));
        FakeDialogs dialogs;
        auto window = openWindow(dialogs, {std::string(), KermitTerminal::Always, {}});
        chooseJob(*window, dialogs, jobs.file("RUN.HVD"));
        clickButton(*window, "DownLoad");
        qputenv("PATH", path);
        const std::string pid = processNumberIn(kermit.argsPath());
        std::filesystem::remove(kermit.argsPath());
        clickButton(*window, "DownLoad");
        QTest::qWait(200);
        const bool startedAgain = fileExists(kermit.argsPath());
        ::kill(static_cast<pid_t>(std::stol(pid)), SIGTERM);

        QVERIFY(!startedAgain);
        QCOMPARE(dialogs.messages,
                 (QStringList{QString::fromStdString(
                                  "Kermit runs without a window: no terminal program "
                                  "(x-terminal-emulator) was found to show it. To stop Kermit, end "
                                  "its process " +
                                  pid + ", for example with the command: kill " + pid),
                              QString::fromStdString(
                                  "Kermit, started by an earlier Download, is still running "
                                  "(process " +
                                  pid +
                                  ") and holds the serial line. End that Kermit before starting "
                                  "another download.")}));
        QCOMPARE(dialogs.kinds,
                 (std::vector<MessageKind>{MessageKind::Warning, MessageKind::Warning}));
    }

    // Kermit runs as the window's child: its end is told with its exit status
    // and last lines, and closing the window while it runs asks first.
    void kermitsEndIsToldAndClosingWhileItRunsAsks() {
        Installation installation;
        KermitFolder kermit;
        writeProgram(kermit.dir.file("kermit"), kFailing);
        TempDir jobs;
        FakeDialogs dialogs;
        auto window = windowOnJob(dialogs, installation, kermit, "my.krm", jobs.file("RUN.HVD"));
        clickButton(*window, "DownLoad");
        QTRY_COMPARE_WITH_TIMEOUT(dialogs.messages.size(), 1, 10000);
        QCOMPARE(dialogs.messages.first(),
                 QStringLiteral("Kermit ended with exit status 3: the download may have failed."
                                "\n\nIts last lines:\nline 3\nline 4\nline 5\nline 6\nline 7\n"
                                "line 8\nline 9\nline 10"));
        QCOMPARE(dialogs.kinds, std::vector<MessageKind>{MessageKind::Warning});

        writeProgram(kermit.dir.file("kermit"), kLingering);
        clickButton(*window, "DownLoad");
        const std::string pid = processNumberIn(kermit.argsPath());
        QVERIFY(pid != "none");
        dialogs.answers = {false};
        QVERIFY(!window->close());
        QCOMPARE(::kill(static_cast<pid_t>(std::stol(pid)), 0), 0);
        dialogs.answers = {true};
        QVERIFY(window->close());
        QCOMPARE(dialogs.questions,
                 QStringList(2, QString::fromLatin1(kKermitRunningCloseQuestion)));
        // Stopped and reaped, and stopping it is not told as its end.
        QCOMPARE(::kill(static_cast<pid_t>(std::stol(pid)), 0), -1);
        QCOMPARE(dialogs.messages.size(), 1);
    }

    void shippedSettingsFileIsFoundBesideTheProgram() {
        const std::string folder = findShippedKermitFolder(QStringLiteral(ZENDRO_BIN_DIR));
        QVERIFY(!folder.empty());
        const std::string settings = readFile(folder + "server.krm");
        for (const char* command : {"set line", "set speed", "set file type binary", "server"}) {
            QVERIFY2(settings.find(command) != std::string::npos, command);
        }
        QVERIFY(findShippedKermitFolder(QDir::tempPath() + "/no-such-folder").empty());
    }

    void realKermitRunsTheSettingsFile() {
        if (QStandardPaths::findExecutable(QStringLiteral("kermit")).isEmpty()) {
            QSKIP("C-Kermit is not installed (Debian package ckermit)");
        }
        Installation installation;
        TempDir shipped;
        TempDir jobs;
        const std::string folder = jobs.path() + "real job/";
        QVERIFY(QDir().mkpath(QString::fromStdString(folder)));
        // A C-Kermit command file that leaves a mark in its working folder.
        writeFile(
            shipped.file("server.krm"),
            "; test settings\nopen write marker.txt\nwrite file started\nclose write\nexit 0\n");
        writeFile(installation.settingsPath(), crlfLines({"", "", "server.krm"}));
        FakeDialogs dialogs;
        auto window = openWindow(dialogs, {shipped.path(), KermitTerminal::Never, {}});
        dialogs.choices.push_back(QString::fromStdString(folder + "RUN.HVD"));
        clickButton(*window, "GetFile");
        clickButton(*window, "DownLoad");
        QCOMPARE(warningsAndErrors(dialogs), QStringList{});
        QVERIFY(waitForFile(folder + "marker.txt"));
        QVERIFY(
            QTest::qWaitFor([&] { return readFile(folder + "marker.txt") == "started"; }, 10000));
    }
};

}  // namespace zendro::testing

QTEST_MAIN(zendro::testing::KermitDownloadTest)
#include "kermit_download_test.moc"
