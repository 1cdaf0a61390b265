#pragma once

#include <QString>
#include <QStringList>

#include "common/job_paths.h"

namespace zendro {

// The Open dialog's seven entries, in Qt's "Text (patterns)" form, in order;
// the dialog shows kSaFilesFilter first.
QStringList fieldFileFilters();
inline constexpr const char* kSaFilesFilter = "SA Files (*.hvd)";

// Whether `path` names a field file by its extension (HVD, CTX or RTX, any case).
bool namesAFieldFile(const QString& path);

// The job of a chosen field file path (Filename, Enter in the path box, or a
// file dropped on the window). Throws ZendroError when the path names a
// folder rather than a file, or another file than a field file when the job
// it names has no HVD file (notes.txt).
// Nothing is opened or created.
JobPaths jobForChosenPath(const QString& chosenPath);

}  // namespace zendro
