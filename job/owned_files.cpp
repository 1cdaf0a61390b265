#include "job/owned_files.h"

#include <filesystem>
#include <system_error>

#include "common/errors.h"
#include "common/text_forms.h"
#include "conversion/written_outputs.h"

namespace zendro {
namespace {

namespace fs = std::filesystem;

// Where a name points: its folder as the file system resolves it (links
// followed, "." and ".." gone) and its file name.
struct Place {
    fs::path folder;
    std::string name;
};

Place placeOf(const std::string& path) {
    const fs::path given = fs::absolute(fs::path(path));
    std::error_code ignored;
    return {fs::weakly_canonical(given.parent_path(), ignored), given.filename().string()};
}

bool samePlace(const Place& a, const Place& b) {
    return a.folder == b.folder && equalIgnoringCase(a.name, b.name);
}

// Whether two names reach one file: by a hard link as well.
bool sameFile(const std::string& a, const std::string& b) {
    std::error_code failed;
    return fs::equivalent(a, b, failed) && !failed;
}

}  // namespace

std::vector<std::string> filesTheJobOwns(const JobPaths& job) {
    std::vector<std::string> owned{job.hvdPath, job.ctxPath, job.rtxPath, job.obsPath,
                                   job.trvPath, job.pfPath,  writtenStatePath(job)};
    // A field file found under another case of its extension is the one read.
    for (const std::string* field : {&job.hvdPath, &job.ctxPath, &job.rtxPath}) {
        const std::string found = findFieldFile(*field);
        if (!found.empty() && found != *field) owned.push_back(found);
    }
    return owned;
}

void refuseOwnedTargets(const JobPaths& job, const std::vector<std::string>& targets) {
    const std::vector<std::string> owned = filesTheJobOwns(job);
    std::vector<Place> ownedPlaces;
    for (const std::string& path : owned) ownedPlaces.push_back(placeOf(path));
    std::vector<Place> earlier;
    for (const std::string& target : targets) {
        const Place place = placeOf(target);
        for (std::size_t i = 0; i < owned.size(); ++i) {
            if (samePlace(place, ownedPlaces[i]) || sameFile(target, owned[i]))
                throw ZendroError(target, "would replace " + owned[i] +
                                              ", a file of the job; nothing was written");
        }
        for (const Place& other : earlier) {
            if (samePlace(place, other))
                throw ZendroError(target,
                                  "is named for two outputs of this run; nothing was written");
        }
        earlier.push_back(place);
    }
}

}  // namespace zendro
