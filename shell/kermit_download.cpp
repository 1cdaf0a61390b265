#include "shell/kermit_download.h"

#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

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
    if (terminal_ == KermitTerminal::WhenNoConsole && !hasConsole()) {
        const QString terminal =
            QStandardPaths::findExecutable(QStringLiteral("x-terminal-emulator"));
        if (!terminal.isEmpty()) {
            start.arguments.prepend(kermit);
            start.arguments.prepend(QStringLiteral("-e"));
            start.program = terminal;
        }
    }
    return start;
}

void KermitDownload::start(const SessionState& session) const {
    const std::string target = session.job.folderPath + kJobKermitSettings;
    if (!fileExists(target)) {
        const std::string source = settingsSource(session);
        if (!fileExists(source)) {
            throw ZendroError(source, "the Kermit settings file does not exist");
        }
        writeFileAtomically(target, readFileBytes(source));
    }

    const ProgramStart start = programStart(session, target);
    if (!QProcess::startDetached(start.program, start.arguments, start.workingFolder)) {
        throw ZendroError(toPath(start.program), "the program cannot be started");
    }
}

std::string findShippedKermitFolder(const QString& executableFolder) {
    return findBundledFolder(executableFolder, QStringLiteral("kermit"),
                             QString::fromLatin1(kJobKermitSettings));
}

}  // namespace zendro
