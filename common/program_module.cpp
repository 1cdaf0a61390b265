#include "common/program_module.h"

#include <dlfcn.h>

#include <filesystem>

#include "common/errors.h"

namespace zendro {

void* programModuleEntry(std::string_view pathFromProgram, const char* entryName,
                         std::string_view what) {
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe");
    const std::string module = (program.parent_path() / pathFromProgram).lexically_normal().string();
    void* handle = ::dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        throw ZendroError(module, std::string(what) + " cannot be loaded (" + ::dlerror() + ")");
    }
    void* entry = ::dlsym(handle, entryName);
    if (entry == nullptr) throw ZendroError(module, "is not " + std::string(what) + " of this version");
    return entry;
}

}  // namespace zendro
