#include "shell/file_selection.h"

#include <QFileInfo>

#include "common/errors.h"
#include "common/job_paths.h"
#include "shell/text_codec.h"

namespace zendro {

QStringList fieldFileFilters() {
    // "*" is every file in Qt's patterns, as "*.*" is in Windows' dialogs.
    return {QStringLiteral("All Files (*)"),
            QString::fromLatin1(kSaFilesFilter),
            QStringLiteral("ASCII Points Files (*.asc)"),
            QStringLiteral("Points Files (*.pts)"),
            QStringLiteral("NEZ Points Files (*.nez)"),
            QStringLiteral("Text Points Files (*.txt)"),
            QStringLiteral("XYZ Points Files (*.xyz)")};
}

bool namesAFieldFile(const QString& path) {
    const QString suffix = QFileInfo(path).suffix();
    for (const char* kind : {"HVD", "CTX", "RTX"}) {
        if (suffix.compare(QLatin1String(kind), Qt::CaseInsensitive) == 0) return true;
    }
    return false;
}

JobPaths jobForChosenPath(const QString& chosenPath) {
    const std::string path = toPath(chosenPath);
    JobPaths job = deriveJobPaths(path);
    if (QFileInfo(chosenPath).isDir() || job.jobName.empty()) {
        throw ZendroError(path, "this is a folder; choose one of the job's field files");
    }
    // Another file (notes.txt) names no job unless the job's observations are
    // beside it; a job not downloaded yet is chosen by a field file's name.
    if (QFileInfo(chosenPath).isFile() && !namesAFieldFile(chosenPath) &&
        findFieldFile(job.hvdPath).empty()) {
        throw ZendroError(path, "no field file " + job.jobName + ".HVD beside it: this is not a "
                                "job; choose one of the job's field files");
    }
    return job;
}

}  // namespace zendro
