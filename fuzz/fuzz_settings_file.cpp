// The input as zendro.ini: what is read is written and read back the same.
// Then the input cut at zero bytes into the three values: they are written and
// read back unchanged, whatever bytes they hold, and the first becomes line 1
// of the file written at exit over the input.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_check.h"
#include "settings/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using zendro::fuzz::require;
    const std::string_view bytes = zendro::fuzz::asBytes(data, size);

    const zendro::Settings read = zendro::parseSettings(bytes).settings;
    const std::string written = zendro::composeSettings(read);
    require(zendro::parseSettings(written).settings == read, "settings read from a file read back the same");
    require(zendro::composeSettings(zendro::parseSettings(written).settings) == written,
            "settings written twice give the same bytes");

    zendro::Settings values;
    std::string* const fields[] = {&values.lastFolder, &values.kermitFolder,
                                   &values.kermitSettingsName};
    std::string_view rest = bytes;
    for (std::string* field : fields) {
        const std::size_t end = std::min(rest.find('\0'), rest.size());
        *field = std::string(rest.substr(0, end));
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    // An empty Kermit settings name stands for the default one.
    if (values.kermitSettingsName.empty()) values.kermitSettingsName = zendro::Settings{}.kermitSettingsName;
    require(zendro::parseSettings(zendro::composeSettings(values)).settings == values,
            "any three values read back as they were written");

    // The file at exit: the window's folder on line 1, whatever the file held.
    const std::string atExit = zendro::settingsAtExit(values.lastFolder, std::string(bytes), read);
    require(zendro::parseSettings(atExit).settings.lastFolder == values.lastFolder,
            "the folder written at exit reads back");
    return 0;
}
