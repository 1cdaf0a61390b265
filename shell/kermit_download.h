#pragma once

#include <QString>
#include <QStringList>
#include <string>

#include "common/session_state.h"

namespace zendro {

// Whether Kermit, a console program, is given a terminal window of its own.
enum class KermitTerminal {
    WhenNoConsole,  // the system's terminal emulator when the window has no console
    Never,          // always started directly
};

// The program and arguments that start Kermit: never a command line for a shell.
struct ProgramStart {
    QString program;
    QStringList arguments;
    QString workingFolder;
};

// The Download button: copies the Kermit settings file into the job folder as
// "server.krm" when none is there yet, then starts Kermit with that file as
// its one argument and does not wait for it.
class KermitDownload {
  public:
    // `shippedSettingsFolder` holds the settings file that comes with the
    // program; it stands in for the Kermit folder while that is empty.
    KermitDownload(std::string shippedSettingsFolder, KermitTerminal terminal);

    // Throws ZendroError naming the file or program and the cause.
    void start(const SessionState& session) const;

    // The settings file that is copied into the job folder.
    std::string settingsSource(const SessionState& session) const;
    // How Kermit is started for `settingsTarget` (throws when it cannot be found).
    ProgramStart programStart(const SessionState& session, const std::string& settingsTarget) const;

  private:
    std::string shippedSettingsFolder_;
    KermitTerminal terminal_;
};

inline constexpr const char* kKermitProgram = "kermit";
inline constexpr const char* kJobKermitSettings = "server.krm";

// The folder of the settings file shipped with the program: "kermit" beside
// the executable (the build tree), or share/zendro/kermit of an installation.
// Empty when neither holds it.
std::string findShippedKermitFolder(const QString& executableFolder);

}  // namespace zendro
