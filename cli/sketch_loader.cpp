#include "cli/sketch_loader.h"

#include <dlfcn.h>

#include <filesystem>

#include "cli/sketch_module.h"
#include "common/errors.h"

namespace zendro::cli {
namespace {

// The module's place relative to the folder of the running zendro-convert:
// the same in the build tree and in an installation.
std::string modulePath() {
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe");
    return (program.parent_path() / ZENDRO_SKETCH_MODULE_FROM_BIN).lexically_normal().string();
}

}  // namespace

void* sketchModuleEntry(const char* name) {
    const std::string module = modulePath();
    // A second dlopen of the same file hands back the same handle.
    void* handle = ::dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        throw ZendroError(module, std::string("the sketch module cannot be loaded (") + ::dlerror() + ")");
    }
    void* entry = ::dlsym(handle, name);
    if (entry == nullptr) throw ZendroError(module, "is not the sketch module of this version");
    return entry;
}

void writeSketchFile(const review::SketchModel& model, const std::string& path,
                     const SketchSheet& sheet) {
    const auto entry = reinterpret_cast<WriteSketchEntry>(sketchModuleEntry(kWriteSketchEntry));
    std::string error;
    entry(model, path, sheet, error);
    if (!error.empty()) throw ZendroError(error);
}

}  // namespace zendro::cli
