// The entry point of the GDAL writers' module (see export_modules.h).

#include "common/errors.h"
#include "exports/export_modules.h"

extern "C" __attribute__((visibility("default"))) void zendroExportBytes(
    zendro::exports::ExportFormat format, const zendro::exports::ExportInput& input,
    std::string& bytes, std::string& error) {
    using zendro::exports::ExportFormat;
    try {
        switch (format) {
            case ExportFormat::Dxf:
                bytes = zendro::exports::dxfBytes(input);
                return;
            case ExportFormat::GeoPackage:
                bytes = zendro::exports::geoPackageBytes(input);
                return;
            case ExportFormat::Kml:
                bytes = zendro::exports::kmlBytes(input);
                return;
            case ExportFormat::GeoJson:
                bytes = zendro::exports::geoJsonBytes(input);
                return;
            case ExportFormat::Csv:
            case ExportFormat::LandXml:
                break;
        }
        error = input.fileName + ": not a format written through GDAL";
    } catch (const std::exception& failure) {
        error = zendro::failureMessage(input.fileName, failure);
    }
}
