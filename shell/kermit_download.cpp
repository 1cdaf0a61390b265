#include "shell/kermit_download.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <algorithm>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/job_paths.h"
#include "shell/bundled_files.h"
#include "shell/text_codec.h"

namespace zendro {
namespace {

std::string withSeparator(std::string folder) {
    if (!folder.empty() && folder.back() != kPathSeparator) folder += kPathSeparator;
    return folder;
}

bool hasConsole() { return ::isatty(STDIN_FILENO) != 0 && ::isatty(STDOUT_FILENO) != 0; }

}  // namespace

KermitDownload::KermitDownload(std::string shippedSettingsFolder, KermitTerminal terminal)
    : shippedSettingsFolder_(withSeparator(std::move(shippedSettingsFolder))),
      terminal_(terminal) {}

KermitDownload::~KermitDownload() { stop(); }

std::string KermitDownload::settingsSource(const SessionState& session) const {
    const std::string folder =
        session.kermitFolder.empty() ? shippedSettingsFolder_ : withSeparator(session.kermitFolder);
    return folder + session.kermitSettingsName;
}

ProgramStart KermitDownload::programStart(const SessionState& session,
                                          const std::string& settingsTarget) const {
    QString kermit;
    if (session.kermitFolder.empty()) {
        kermit = QStandardPaths::findExecutable(QString::fromLatin1(kKermitProgram));
        if (kermit.isEmpty()) {
            throw ZendroError(kKermitProgram, "the program is not on the search path (PATH)");
        }
    } else {
        const std::string path = withSeparator(session.kermitFolder) + kKermitProgram;
        kermit = fromPath(path);
        const QFileInfo info(kermit);
        if (!info.exists()) throw ZendroError(path, "the program does not exist");
        if (!info.isFile() || !info.isExecutable()) {
            throw ZendroError(path, "the program cannot be run");
        }
    }

    // Kermit receives into its working folder: the job folder.
    ProgramStart start{kermit, {fromPath(settingsTarget)}, fromPath(session.job.folderPath)};
    const bool wantsTerminal = terminal_ == KermitTerminal::Always ||
                               (terminal_ == KermitTerminal::WhenNoConsole && !hasConsole());
    if (wantsTerminal) {
        const QString terminal =
            QStandardPaths::findExecutable(QString::fromLatin1(kTerminalProgram));
        if (terminal.isEmpty()) {
            start.withoutWindow = true;
        } else {
            start.arguments.prepend(kermit);
            start.arguments.prepend(QStringLiteral("-e"));
            start.program = terminal;
        }
    }
    return start;
}

ProgramStart KermitDownload::start(const SessionState& session,
                                   std::function<void(const KermitEnd&)> ended) {
    const std::string target = session.job.folderPath + kJobKermitSettings;
    if (!fileExists(target)) {
        const std::string source = settingsSource(session);
        if (!fileExists(source)) {
            throw ZendroError(source, "the Kermit settings file does not exist");
        }
        writeFileAtomically(target, readFileBytes(source));
    }

    const ProgramStart start = programStart(session, target);
    stop();
    lastLines_.clear();
    unfinishedLine_.clear();
    auto process = std::make_unique<QProcess>();
    process->setProgram(start.program);
    process->setArguments(start.arguments);
    process->setWorkingDirectory(start.workingFolder);
    process->setProcessChannelMode(QProcess::MergedChannels);
    // Kermit reads its commands from the settings file, never from the window.
    process->setStandardInputFile(QProcess::nullDevice());
    QProcess* child = process.get();
    QObject::connect(child, &QProcess::readyRead, child, [this] { keepOutput(); });
    const auto finished = [this, child, ended = std::move(ended)](int exitCode,
                                                                  QProcess::ExitStatus status) {
        keepOutput();
        if (!unfinishedLine_.isEmpty()) lastLines_.append(QString::fromLatin1(unfinishedLine_));
        const qsizetype first = std::max<qsizetype>(0, lastLines_.size() - kKermitLinesShown);
        const KermitEnd end{status == QProcess::CrashExit, exitCode, lastLines_.mid(first)};
        // Told once; the message box it may show runs the event loop.
        const std::function<void(const KermitEnd&)> tell = ended;
        child->disconnect();
        if (tell) tell(end);
    };
    QObject::connect(child, &QProcess::finished, child, finished);
    process->start();
    if (!process->waitForStarted(10000)) {
        processId_ = 0;
        throw ZendroError(toPath(start.program),
                          "the program cannot be started: " + process->errorString().toStdString());
    }
    processId_ = process->processId();
    process_ = std::move(process);
    return start;
}

void KermitDownload::keepOutput() {
    unfinishedLine_ += process_ ? process_->readAll() : QByteArray();
    qsizetype end = unfinishedLine_.indexOf('\n');
    while (end >= 0) {
        const QByteArray line = unfinishedLine_.left(end);
        lastLines_.append(QString::fromLatin1(line.endsWith('\r') ? line.chopped(1) : line));
        unfinishedLine_.remove(0, end + 1);
        end = unfinishedLine_.indexOf('\n');
    }
    // Only the last lines are ever shown.
    if (lastLines_.size() > 4 * kKermitLinesShown) {
        lastLines_ = lastLines_.mid(lastLines_.size() - kKermitLinesShown);
    }
}

bool KermitDownload::running() const {
    return process_ && process_->state() != QProcess::NotRunning;
}

void KermitDownload::stop() {
    if (!process_) return;
    process_->disconnect();
    if (process_->state() != QProcess::NotRunning) {
        process_->terminate();
        if (!process_->waitForFinished(3000)) {
            process_->kill();
            process_->waitForFinished(3000);
        }
    }
    process_.reset();
}

QString withoutWindowMessage(qint64 processId) {
    return QStringLiteral(
               "Kermit runs without a window: no terminal program (%1) was found to show "
               "it. To stop Kermit, end its process %2, for example "
               "with the command: kill %2")
        .arg(QString::fromLatin1(kTerminalProgram))
        .arg(processId);
}

QString stillRunningMessage(qint64 processId) {
    return QStringLiteral(
               "Kermit, started by an earlier Download, is still running (process %1) and holds "
               "the serial line. End that Kermit before starting another download.")
        .arg(processId);
}

QString kermitEndedMessage(const KermitEnd& end) {
    QString text = end.crashed
                       ? QStringLiteral("Kermit ended abnormally (it was killed or crashed).")
                   : end.exitCode == 0
                       ? QStringLiteral("Kermit ended (exit status 0).")
                       : QStringLiteral("Kermit ended with exit status %1: the download may "
                                        "have failed.")
                             .arg(end.exitCode);
    if (!end.lastLines.isEmpty()) {
        text += QStringLiteral("\n\nIts last lines:\n") + end.lastLines.join(QLatin1Char('\n'));
    }
    return text;
}

std::string findShippedKermitFolder(const QString& executableFolder) {
    return findBundledFolder(executableFolder, QStringLiteral("kermit"),
                             QString::fromLatin1(kJobKermitSettings));
}

}  // namespace zendro
