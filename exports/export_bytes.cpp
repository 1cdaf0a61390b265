#include "exports/export_bytes.h"

#include "exports/export_contents.h"
#include "exports/export_modules.h"
#include "exports/format_writers.h"

namespace zendro::exports {

std::string exportBytes(ExportFormat format, const ExportJob& job, const CsvLayout& csv,
                        std::string_view named) {
    const std::string fileName = named.empty()
                                     ? job.jobName + "." + std::string(formatExtension(format))
                                     : std::string(named);
    const ExportContents contents = exportContents(job, fileName);
    const ExportInput input{job, contents, fileName};
    switch (format) {
        case ExportFormat::Csv:
            return csvBytes(input, csv);
        case ExportFormat::LandXml:
        case ExportFormat::Dxf:
        case ExportFormat::GeoPackage:
        case ExportFormat::Kml:
        case ExportFormat::GeoJson:
            return moduleExportBytes(format, input);
    }
    return {};
}

}  // namespace zendro::exports
