#pragma once

#include <QFile>
#include <QString>
#include <string>
#include <string_view>

namespace zendro {

// Paths: the file system's encoding, so every name on disk can be reached.
inline QString fromPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}
inline std::string toPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

// Texts that go into or come from the job's files: one byte per character, so
// a file that is read and written back keeps every byte.
inline QString fromFileText(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string toFileText(const QString& text) { return text.toLatin1().toStdString(); }

// Messages of the core: texts with paths in them.
inline QString fromMessage(std::string_view text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace zendro
