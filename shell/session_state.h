#pragma once

#include <string>

#include "common/job_paths.h"

namespace zendro {

// The window's state for its lifetime: the selected job and the settings.
// The options are not kept here: they are read from the window's controls
// when a run needs them.
// The tables a conversion fills belong to that conversion (each pass empties
// what it fills), so nothing of one job can reach the output of another.
struct SessionState {
    JobPaths job;  // all empty until a file has been selected
    bool jobSelected() const { return !job.pfPath.empty(); }

    std::string installFolder;       // ends with the path separator
    std::string kermitFolder;        // as read from the settings file
    std::string kermitSettingsName;  // as read from the settings file
};

}  // namespace zendro
