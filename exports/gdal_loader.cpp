#include <dlfcn.h>

#include <filesystem>

#include "common/errors.h"
#include "exports/gdal_module.h"

namespace zendro::exports {
namespace {

// The module's place relative to the folder of the running program: the same
// in the build tree (every program in bin/) and in an installation.
std::string modulePath() {
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe");
    return (program.parent_path() / ZENDRO_GDAL_MODULE_FROM_BIN).lexically_normal().string();
}

}  // namespace

std::string gdalExportBytes(ExportFormat format, const ExportInput& input) {
    const std::string module = modulePath();
    // Never unloaded: GDAL is not made to be. A second load of a loaded module
    // only counts a reference.
    void* handle = ::dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        throw ZendroError(module, std::string("the GDAL export module cannot be loaded (") +
                                      ::dlerror() + ")");
    }
    const auto entry = reinterpret_cast<GdalExportEntry>(::dlsym(handle, kGdalExportEntry));
    if (entry == nullptr) throw ZendroError(module, "is not the GDAL export module of this version");
    std::string bytes;
    std::string error;
    entry(format, input, bytes, error);
    if (!error.empty()) throw ZendroError(error);
    return bytes;
}

}  // namespace zendro::exports
