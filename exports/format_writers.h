#pragma once

// One writer per format, each in its own file; exportBytes() picks one.

#include <string>

#include "exports/csv_layout.h"
#include "exports/export_contents.h"
#include "exports/export_job.h"

namespace zendro::exports {

// What a writer is given: the job, what to write and the file name errors
// carry ("HWY12-3.dxf").
struct ExportInput {
    const ExportJob& job;
    const ExportContents& contents;
    const std::string& fileName;
};

std::string csvBytes(const ExportInput& input, const CsvLayout& layout);
std::string landXmlBytes(const ExportInput& input);
std::string dxfBytes(const ExportInput& input);
std::string geoPackageBytes(const ExportInput& input);
// Both need the job's coordinate system to reach WGS 84.
std::string kmlBytes(const ExportInput& input);
std::string geoJsonBytes(const ExportInput& input);

}  // namespace zendro::exports
