// The input as zendro.ini: what is read is written and read back the same.
// Then the input cut at zero bytes into the three values: they are written and
// read back unchanged, whatever bytes they hold.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_check.h"
#include "shell/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using zendro::fuzz::require;
    const std::string_view bytes = zendro::fuzz::asBytes(data, size);

    const zendro::Settings read = zendro::parseSettings(bytes);
    const std::string written = zendro::composeSettings(read);
    require(zendro::parseSettings(written) == read, "settings read from a file read back the same");
    require(zendro::composeSettings(zendro::parseSettings(written)) == written,
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
    require(zendro::parseSettings(zendro::composeSettings(values)) == values,
            "any three values read back as they were written");
    return 0;
}
