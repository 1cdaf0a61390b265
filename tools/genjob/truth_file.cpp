#include "tools/genjob/truth_file.h"

#include <cstdio>
#include <fstream>

#include "common/errors.h"

namespace zendro::genjob {

std::string truthFileBytes(const std::vector<TruePoint>& truth) {
    std::string bytes;
    char line[128];
    for (const TruePoint& point : truth) {
        const int size = std::snprintf(line, sizeof line, "%u,%.4f,%.4f,%.4f\n",
                                       static_cast<unsigned>(point.number), point.position.north,
                                       point.position.east, point.position.elevation);
        bytes.append(line, static_cast<std::size_t>(size));
    }
    return bytes;
}

void writeTruthFile(const std::vector<TruePoint>& truth, const std::filesystem::path& path) {
    const std::string bytes = truthFileBytes(truth);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw ZendroError(path.string(), "cannot write the truth file");
}

}  // namespace zendro::genjob
