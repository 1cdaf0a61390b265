// The field-file lookup in a scratch folder. The input is a list of names cut
// at newlines: the first is the field file looked for, every other one is
// created in the folder, as a folder when its first byte is odd, otherwise as
// a file. The lookup must give the exact name when it exists, else the entry
// whose name differs only in the case of its extension, regular files first,
// then in name order.

#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <map>
#include <optional>
#include <string>

#include "common/job_paths.h"
#include "fuzz/fuzz_check.h"
#include "tests/support/temp_dir.h"

namespace {

using zendro::fuzz::require;

// Names the folder can hold: no separator or zero byte, not "." or "..", not
// longer than a file system allows.
bool usableName(const std::string& name) {
    return !name.empty() && name.size() <= 255 && name != "." && name != ".." &&
           name.find_first_of(std::string("/\0", 2)) == std::string::npos;
}

char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i])) return false;
    }
    return true;
}

// The name the lookup should find among `entries` (name to "is a regular file").
std::string expectedName(const std::string& wanted, const std::map<std::string, bool>& entries) {
    if (entries.count(wanted) != 0) return wanted;
    const std::size_t dot = wanted.rfind('.');
    if (dot == std::string::npos) return {};
    std::optional<std::pair<std::string, bool>> best;
    for (const auto& [name, regular] : entries) {
        if (name.size() != wanted.size() || name.compare(0, dot, wanted, 0, dot) != 0) continue;
        if (!sameIgnoringAsciiCase(std::string_view(name).substr(dot), std::string_view(wanted).substr(dot))) {
            continue;
        }
        // The map walks names in order, so the first of each kind is the one.
        if (!best || (regular && !best->second)) best.emplace(name, regular);
    }
    return best ? best->first : std::string();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = zendro::fuzz::asBytes(data, size);
    const std::size_t firstEnd = std::min(bytes.find('\n'), bytes.size());
    const std::string wanted(bytes.substr(0, firstEnd));
    if (!usableName(wanted)) return 0;

    const zendro::testing::TempDir folder;
    std::map<std::string, bool> entries;
    std::size_t start = firstEnd + 1;
    while (start < bytes.size() && entries.size() < 16) {
        const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
        const std::string name(bytes.substr(start, end - start));
        start = end + 1;
        if (!usableName(name) || entries.count(name) != 0) continue;
        const bool regular = (static_cast<unsigned char>(name.front()) & 1) == 0;
        if (regular) {
            std::ofstream(folder.file(name)) << "x";
        } else {
            ::mkdir(folder.file(name).c_str(), 0700);
        }
        entries.emplace(name, regular);
    }

    const std::string expected = expectedName(wanted, entries);
    const std::string found = zendro::findFieldFile(folder.file(wanted));
    require(found == (expected.empty() ? "" : folder.file(expected)),
            "the exact name, else a regular file, else the first entry of that name in any case");
    return 0;
}
