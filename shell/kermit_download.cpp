#include "shell/kermit_download.h"

#include <signal.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <cerrno>

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

bool processRunning(qint64 processId) {
    if (processId <= 0) return false;
    if (::kill(static_cast<pid_t>(processId), 0) != 0 && errno != EPERM) return false;
    // An ended process that nobody has reaped yet still answers; its state says it ended.
    QFile status(QStringLiteral("/proc/%1/stat").arg(processId));
    if (!status.open(QIODevice::ReadOnly)) return true;
    const QByteArray text = status.readAll();
    const qsizetype nameEnd = text.lastIndexOf(')');
    return nameEnd < 0 || nameEnd + 2 >= text.size() || text.at(nameEnd + 2) != 'Z';
}

}  // namespace

KermitDownload::KermitDownload(std::string shippedSettingsFolder, KermitTerminal terminal)
    : shippedSettingsFolder_(withSeparator(std::move(shippedSettingsFolder))),
      terminal_(terminal) {}

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

ProgramStart KermitDownload::start(const SessionState& session) {
    const std::string target = session.job.folderPath + kJobKermitSettings;
    if (!fileExists(target)) {
        const std::string source = settingsSource(session);
        if (!fileExists(source)) {
            throw ZendroError(source, "the Kermit settings file does not exist");
        }
        writeFileAtomically(target, readFileBytes(source));
    }

    const ProgramStart start = programStart(session, target);
    if (!QProcess::startDetached(start.program, start.arguments, start.workingFolder,
                                 &processId_)) {
        processId_ = 0;
        throw ZendroError(toPath(start.program), "the program cannot be started");
    }
    return start;
}

bool KermitDownload::running() const { return processRunning(processId_); }

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

std::string findShippedKermitFolder(const QString& executableFolder) {
    return findBundledFolder(executableFolder, QStringLiteral("kermit"),
                             QString::fromLatin1(kJobKermitSettings));
}

}  // namespace zendro
