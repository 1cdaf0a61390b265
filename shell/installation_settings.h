#pragma once

#include <QString>
#include <functional>
#include <string>

#include "settings/settings_file.h"
#include "shell/shell_dialogs.h"

namespace zendro {

inline constexpr const char* kInstallVariable = "ORNA_ZENDRO_DIR";
inline constexpr const char* kNoVariableMessage =
    "The ZENDRO environment variable is not set.  The variable should be "
    "ORNA_ZENDRO_DIR={install path}";

// The installation's settings file, zendro.ini: the folder it lives in (named
// by the installation variable, or the user's configuration folder when that
// is unset or names no folder), what it held at start-up, and its writing at
// exit. Problems are told through `Tell`, never thrown: the window starts and
// closes whatever the file's state.
class InstallationSettings {
  public:
    using Tell = std::function<void(const QString& text, MessageKind kind)>;

    // Finds the folder and reads the file. A fresh installation has no file
    // yet: it starts with empty values and the file is written at exit.
    explicit InstallationSettings(const Tell& tell);

    const std::string& folder() const { return folder_; }  // ends with the path separator
    std::string filePath() const;
    const Settings& atStartup() const { return atStartup_; }

    // The Kermit lines as the file has them now, so a fix made while the
    // window is open counts. A file that is gone or unreadable leaves
    // `settings` as it is (its faults were told at start-up).
    void readKermitLines(std::string& kermitFolder, std::string& kermitSettingsName) const;

    // Writes the file with `lastFolder`; the Kermit lines stay as they are in
    // the file now, since they are the user's. False, and told, on failure.
    bool writeAtExit(const std::string& lastFolder, const Tell& tell) const;

  private:
    std::string folder_;
    bool inConfigFolder_ = false;  // the folder may not exist yet
    Settings atStartup_;
};

}  // namespace zendro
