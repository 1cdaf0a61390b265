#include "shell/installation_settings.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>
#include <exception>
#include <optional>

#include "common/file_io.h"
#include "common/job_paths.h"
#include "shell/failure_text.h"
#include "shell/text_codec.h"

namespace zendro {
namespace {

std::string withSeparator(std::string folder) {
    if (folder.empty() || folder.back() != kPathSeparator) folder += kPathSeparator;
    return folder;
}

}  // namespace

InstallationSettings::InstallationSettings(const Tell& tell) {
    const QString named = qEnvironmentVariable(kInstallVariable);
    // The user's configuration folder stands in for a missing installation folder.
    const QString fallback =
        QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
    QString folder = named;
    if (named.isEmpty()) {
        tell(QString::fromLatin1(kNoVariableMessage), MessageKind::Warning);
    } else if (const QFileInfo info(named); !info.isDir()) {
        tell(QStringLiteral("%1 names %2, which %3. The settings are kept in %4 instead.")
                 .arg(QString::fromLatin1(kInstallVariable), named,
                      info.exists() ? QStringLiteral("is a file, not a folder")
                                    : QStringLiteral("does not exist"),
                      fromPath(withSeparator(toPath(fallback)))),
             MessageKind::Warning);
    }
    if (folder.isEmpty() || !QFileInfo(named).isDir()) {
        folder = fallback;
        inConfigFolder_ = true;
    }
    folder_ = withSeparator(toPath(folder));

    try {
        if (!fileExists(filePath())) return;
        const SettingsReading reading = parseSettings(readFileBytes(filePath()));
        atStartup_ = reading.settings;
        if (!reading.problems.empty()) {
            QStringList problems;
            for (const std::string& problem : reading.problems) problems.append(fromMessage(problem));
            tell(fromPath(filePath()) + QStringLiteral(": ") + problems.join(QStringLiteral("; ")),
                 MessageKind::Warning);
        }
    } catch (const std::exception& error) {
        tell(failureText(error, filePath()), MessageKind::Error);
    }
}

std::string InstallationSettings::filePath() const {
    return folder_ + std::string(kSettingsFileName);
}

void InstallationSettings::readKermitLines(std::string& kermitFolder,
                                           std::string& kermitSettingsName) const {
    try {
        if (!fileExists(filePath())) return;
        const Settings now = parseSettings(readFileBytes(filePath())).settings;
        kermitFolder = now.kermitFolder;
        kermitSettingsName = now.kermitSettingsName;
    } catch (const std::exception&) {
    }
}

bool InstallationSettings::writeAtExit(const std::string& lastFolder, const Tell& tell) const {
    if (inConfigFolder_) QDir().mkpath(fromPath(folder_));
    try {
        std::optional<std::string> current;
        if (fileExists(filePath())) current = readFileBytes(filePath());
        writeFileAtomically(filePath(), settingsAtExit(lastFolder, current, atStartup_));
        return true;
    } catch (const std::exception& error) {
        tell(failureText(error, filePath()), MessageKind::Error);
        return false;
    }
}

}  // namespace zendro
