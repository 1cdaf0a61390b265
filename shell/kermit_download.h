#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>

#include "shell/session_state.h"

class QProcess;

namespace zendro {

// Whether Kermit, a console program, is given a terminal window of its own.
enum class KermitTerminal {
    WhenNoConsole,  // the system's terminal emulator when the window has no console
    Always,         // the system's terminal emulator, console or not
    Never,          // always started directly
};

// The program and arguments that start Kermit: never a command line for a shell.
struct ProgramStart {
    QString program;
    QStringList arguments;
    QString workingFolder;
    // A terminal window was wanted and none was found: Kermit runs unseen.
    bool withoutWindow = false;
};

// How the Kermit that Download started ended, with the last lines it wrote
// (none when it ran in a terminal window, which shows them itself).
struct KermitEnd {
    bool crashed = false;  // killed by a signal, or it could not go on
    int exitCode = 0;
    QStringList lastLines;
};

// The Download button: copies the Kermit settings file into the job folder as
// "server.krm" when none is there yet, then starts Kermit with that file as
// its one argument as a child process and does not wait for it. It tracks the
// Kermit it started, so a second one is not put on the same serial line, and
// tells `ended` once it ends.
class KermitDownload {
  public:
    // `shippedSettingsFolder` holds the settings file that comes with the
    // program; it stands in for the Kermit folder while that is empty.
    KermitDownload(std::string shippedSettingsFolder, KermitTerminal terminal);
    // A Kermit still running is stopped (the window asks before it closes).
    ~KermitDownload();
    KermitDownload(const KermitDownload&) = delete;
    KermitDownload& operator=(const KermitDownload&) = delete;

    // Throws ZendroError naming the file or program and the cause.
    ProgramStart start(const SessionState& session,
                       std::function<void(const KermitEnd&)> ended = {});

    // Whether the Kermit of the last start is still running.
    bool running() const;
    qint64 processId() const { return processId_; }
    // Ends a running Kermit; `ended` is not told.
    void stop();

    // The settings file that is copied into the job folder.
    std::string settingsSource(const SessionState& session) const;
    // How Kermit is started for `settingsTarget` (throws when it cannot be found).
    ProgramStart programStart(const SessionState& session, const std::string& settingsTarget) const;

  private:
    void keepOutput();

    std::string shippedSettingsFolder_;
    KermitTerminal terminal_;
    qint64 processId_ = 0;
    std::unique_ptr<QProcess> process_;
    QStringList lastLines_;
    QByteArray unfinishedLine_;
};

// What the window says when Kermit runs without a window, and when a Download
// finds the Kermit it started still running.
QString withoutWindowMessage(qint64 processId);
QString stillRunningMessage(qint64 processId);
// What the window says when Kermit ends: its exit status and last lines.
QString kermitEndedMessage(const KermitEnd& end);

inline constexpr int kKermitLinesShown = 8;
inline constexpr const char* kKermitRunningCloseQuestion =
    "Kermit, started by Download, is still running and may be receiving the job. Stop it and "
    "close the window? A file being received is left incomplete.";

inline constexpr const char* kKermitProgram = "kermit";
inline constexpr const char* kJobKermitSettings = "server.krm";
inline constexpr const char* kDownloadNeedsJobMessage =
    "Choose the job with Filename before Download: Kermit receives the field files into the "
    "job's folder, and no job is selected.";
// The system's terminal emulator, which gives Kermit a window of its own.
inline constexpr const char* kTerminalProgram = "x-terminal-emulator";

// The folder of the settings file shipped with the program: "kermit" beside
// the executable (the build tree), or share/zendro/kermit of an installation.
// Empty when neither holds it.
std::string findShippedKermitFolder(const QString& executableFolder);

}  // namespace zendro
