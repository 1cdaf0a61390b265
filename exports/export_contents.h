#pragma once

// What every export writes, gathered once from the job: the positioned points
// with their point-feature text and the chains as lists of those points.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "exports/export_job.h"

namespace zendro::exports {

struct ExportPoint {
    std::int64_t number = 0;
    std::string name;         // the number as text: "1001"
    std::string description;  // of the point's first point-feature entry, as read
    std::string comment;      // likewise
    // The feature of the first chain the point is on, else its description.
    std::string featureCode;
    double north = 0;
    double east = 0;
    double elevation = 0;
    bool station = false;
};

struct ExportChain {
    std::string name;  // without the run suffix
    std::string feature;
    // Indices into ExportContents::points in chain order; a closed chain
    // repeats its start at the end.
    std::vector<std::size_t> vertices;
    bool closed = false;
};

struct ExportContents {
    std::vector<ExportPoint> points;  // in the order first observed
    // Only chains with at least two positioned vertices: a chain point without
    // a position (not observed, or named by text) is left out of its chain.
    std::vector<ExportChain> chains;
    std::string frameName;  // "local", "tied to control", "adjusted"
    std::string unitName;   // "US survey feet" or "meters"

    // "HWY12-3: local frame, US survey feet": what each file says it holds.
    std::string summary(const std::string& jobName) const;
};

// Throws ZendroError naming `fileName` when the job lacks its options, review
// or positions, or when the system's unit is not the job's.
ExportContents exportContents(const ExportJob& job, const std::string& fileName);

}  // namespace zendro::exports
