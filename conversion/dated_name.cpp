#include "conversion/dated_name.h"

#include <array>

#include "common/file_io.h"

namespace zendro {

std::string datedSideName(const std::string& path, const std::string& tag, std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    std::array<char, 32> stamp{};
    std::strftime(stamp.data(), stamp.size(), "%Y%m%d-%H%M%S", &local);
    const std::string name = path + "." + tag + "-" + stamp.data();
    std::string candidate = name;
    for (int n = 2; fileExists(candidate); ++n) candidate = name + "-" + std::to_string(n);
    return candidate;
}

}  // namespace zendro
