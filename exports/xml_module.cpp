// The entry point of the LandXML writer's module (see export_modules.h).

#include <type_traits>

#include "common/errors.h"
#include "exports/export_modules.h"

extern "C" __attribute__((visibility("default"))) void zendroExportBytes(
    zendro::exports::ExportFormat format, const zendro::exports::ExportInput& input,
    std::string& bytes, std::string& error) {
    static_assert(std::is_same_v<decltype(&zendroExportBytes), zendro::exports::ExportEntry>);
    try {
        if (format != zendro::exports::ExportFormat::LandXml) {
            error = input.fileName + ": not a format written through libxml2";
            return;
        }
        bytes = zendro::exports::landXmlBytes(input);
    } catch (const std::exception& failure) {
        error = zendro::failureMessage(input.fileName, failure);
    }
}
