#include "common/errors.h"
#include "common/program_module.h"
#include "exports/gdal_module.h"

namespace zendro::exports {

std::string gdalExportBytes(ExportFormat format, const ExportInput& input) {
    // Never unloaded: GDAL is not made to be.
    const auto entry = reinterpret_cast<GdalExportEntry>(
        programModuleEntry(ZENDRO_GDAL_MODULE_FROM_BIN, kGdalExportEntry, "the GDAL export module"));
    std::string bytes;
    std::string error;
    entry(format, input, bytes, error);
    if (!error.empty()) throw ZendroError(error);
    return bytes;
}

}  // namespace zendro::exports
