#include "shell/bundled_files.h"

#include <QDir>
#include <QFileInfo>

#include "shell/text_codec.h"

namespace zendro {

std::string findBundledFolder(const QString& executableFolder, const QString& name,
                              const QString& requiredFile) {
    const QDir folder(executableFolder);
    // The installed data folder, relative to the installed executable's folder.
    const QString installed = QStringLiteral(ZENDRO_BIN_TO_DATA_DIR "/") + name;
    for (const QString& candidate : {name, installed}) {
        const QString path = QDir::cleanPath(folder.absoluteFilePath(candidate));
        if (QFileInfo(path + QLatin1Char('/') + requiredFile).isFile()) {
            return toPath(path) + '/';
        }
    }
    return {};
}

QIcon applicationIcon() {
    QIcon icon;
    const QDir rendered(QStringLiteral(":/icon"));
    for (const QString& file : rendered.entryList(QDir::Files)) {
        icon.addFile(rendered.filePath(file));
    }
    return icon;
}

}  // namespace zendro
