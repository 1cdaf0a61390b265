#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zendro {

// The three values of zendro.ini: the folder of the last selected job, the
// Kermit folder and the name of the Kermit settings file in it.
struct Settings {
    std::string lastFolder;
    std::string kermitFolder;
    std::string kermitSettingsName = "server.krm";

    bool operator==(const Settings&) const = default;
};

// The values as read, and what is wrong with the file, one cause each, for the
// user to mend it.
struct SettingsReading {
    Settings settings;
    std::vector<std::string> problems;
};

// Reads the values in order as delimited fields: leading spaces and tabs are
// skipped; a value that starts with a double quote runs to the closing quote
// (a doubled quote inside stands for one quote); any other value ends at the
// first comma or line end, its trailing blanks dropped. A quote that is never
// closed quotes the rest of its line only. Missing values read as empty, and an
// empty Kermit settings name as "server.krm".
SettingsReading parseSettings(std::string_view bytes);

// One value per line, each ended by CR LF. A value is written as it is unless
// it would not read back so (a comma, a double quote, a line break, or a
// leading or trailing blank); then it is written in double quotes, its quotes
// doubled.
std::string composeSettings(const Settings& settings);

// The file written at exit. Only its first line is the window's: it becomes
// `lastFolder`; the lines after it stay byte for byte as they are in `current`
// (the file as it is now, hand edits included), and values the file lacks are
// added. Without a file, `fallback`'s Kermit values are written.
std::string settingsAtExit(std::string_view lastFolder, const std::optional<std::string>& current,
                           const Settings& fallback);

// The file name inside the installation folder.
inline constexpr std::string_view kSettingsFileName = "zendro.ini";

}  // namespace zendro
