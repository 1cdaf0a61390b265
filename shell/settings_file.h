#pragma once

#include <string>
#include <string_view>

namespace zendro {

// The three values of zendro.ini: the folder of the last selected job, the
// Kermit folder and the name of the Kermit settings file in it.
struct Settings {
    std::string lastFolder;
    std::string kermitFolder;
    std::string kermitSettingsName = "server.krm";

    bool operator==(const Settings&) const = default;
};

// Reads the values in order as delimited fields: leading spaces and tabs are
// skipped; a value that starts with a double quote runs to the closing quote
// (a doubled quote inside stands for one quote); any other value ends at the
// first comma or line end. Values missing at the end of the file read as empty.
Settings parseSettings(std::string_view bytes);

// One value per line, each ended by CR LF. A value is written as it is unless
// it would not read back so (a comma, a double quote, a line break, or a
// leading blank); then it is written in double quotes, its quotes doubled.
std::string composeSettings(const Settings& settings);

// The file name inside the installation folder.
inline constexpr std::string_view kSettingsFileName = "zendro.ini";

}  // namespace zendro
