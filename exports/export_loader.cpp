#include "common/errors.h"
#include "common/program_module.h"
#include "exports/export_modules.h"

namespace zendro::exports {

std::string moduleExportBytes(ExportFormat format, const ExportInput& input) {
    const bool xml = format == ExportFormat::LandXml;
    // Never unloaded: GDAL is not made to be.
    const auto entry = reinterpret_cast<ExportEntry>(programModuleEntry(
        xml ? ZENDRO_XML_MODULE_FROM_BIN : ZENDRO_GDAL_MODULE_FROM_BIN, kExportEntry,
        xml ? "the LandXML export module" : "the GDAL export module"));
    std::string bytes;
    std::string error;
    entry(format, input, bytes, error);
    if (!error.empty()) throw ZendroError(error);
    return bytes;
}

}  // namespace zendro::exports
