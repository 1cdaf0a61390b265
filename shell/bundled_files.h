#pragma once

#include <QIcon>
#include <QString>
#include <string>

namespace zendro {

// The folder `name` of files shipped with the program: beside the executable
// in the build tree (bin/NAME), or the program's data folder of an
// installation (share/zendro/NAME). It must hold `requiredFile`. Returned with
// a trailing separator; empty when neither holds it.
std::string findBundledFolder(const QString& executableFolder, const QString& name,
                              const QString& requiredFile);

// The program's icon, compiled in at every rendered size; empty in a build
// made without the desktop files.
QIcon applicationIcon();

}  // namespace zendro
