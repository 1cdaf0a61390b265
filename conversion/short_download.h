#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "features/pf_reader.h"

namespace zendro {

// An HVD file that ends inside a record: the download was most likely cut
// short, so the chains may list points the job never got to.
struct ShortDownload {
    std::size_t wholeRecords = 0;       // records converted
    std::size_t trailingBytes = 0;      // bytes of the cut record
    std::size_t unobservedEntries = 0;  // point-feature entries no whole record observed
};

// None when the HVD file holds whole records only. An entry counts as observed
// when a record names its point (a second feature, numbered point + 100000, by
// its point's number); entries named by text or by nothing are not counted.
std::optional<ShortDownload> findShortDownload(std::string_view hvd,
                                               const std::vector<PfEntry>& entries);

// The warning the front ends show, naming `hvdPath`.
std::string shortDownloadWarning(const std::string& hvdPath, const ShortDownload& cut);

}  // namespace zendro
