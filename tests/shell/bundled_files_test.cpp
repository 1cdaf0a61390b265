// Files shipped with the program are found in the build tree and in an
// installation; the icon is compiled in at every rendered size.

#include "shell/bundled_files.h"

#include <QDir>
#include <QFileInfo>
#include <QSize>

#include "shell/kermit_download.h"
#include "shell/text_codec.h"
#include "tests/shell/shell_test_support.h"

namespace zendro::testing {
namespace {

void writeUnder(const TempDir& root, const QString& relativePath) {
    const QString path = QString::fromStdString(root.path()) + relativePath;
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    writeFile(toPath(path), "; settings\r\n");
}

}  // namespace

class BundledFilesTest : public QObject {
    Q_OBJECT

  private slots:
    void kermitSettingsAreFoundInTheBuildTreeOrTheInstallation() {
        // An installation: PREFIX/bin/zendro and PREFIX/share/zendro/kermit/.
        TempDir installed;
        QVERIFY(QDir().mkpath(QString::fromStdString(installed.file("bin"))));
        const QString bin = QString::fromStdString(installed.file("bin"));
        QCOMPARE(findShippedKermitFolder(bin), std::string());
        // The folder alone is not enough: it must hold the settings file.
        QVERIFY(QDir().mkpath(QString::fromStdString(installed.file("share/zendro/kermit"))));
        QCOMPARE(findShippedKermitFolder(bin), std::string());
        writeUnder(installed, QStringLiteral("share/zendro/kermit/server.krm"));
        QCOMPARE(findShippedKermitFolder(bin), installed.file("share/zendro/kermit/"));
        QCOMPARE(findShippedKermitFolder(bin + QLatin1Char('/')),
                 installed.file("share/zendro/kermit/"));

        // The build tree's copy beside the executable comes first.
        writeUnder(installed, QStringLiteral("bin/kermit/server.krm"));
        QCOMPARE(findShippedKermitFolder(bin), installed.file("bin/kermit/"));
    }

    // A download under a reused job name must not replace the field files
    // already there: the collision setting keeps them.
    void shippedKermitSettingsKeepExistingFiles() {
        const std::string settings = readFile(std::string(ZENDRO_BIN_DIR) + "/kermit/server.krm");
        const QStringList lines = QString::fromStdString(settings).split(QStringLiteral("\n"));
        QStringList collisions;
        for (const QString& line : lines) {
            const QStringList words = line.simplified().split(QLatin1Char(' '));
            if (words.size() == 4 && words[0] == QStringLiteral("set") &&
                words[1] == QStringLiteral("file") && words[2] == QStringLiteral("collision")) {
                collisions.append(words[3]);
            }
        }
        QCOMPARE(collisions.size(), 1);
        // backup renames the existing file, rename the received one, discard refuses it.
        const QStringList keeping{"backup", "rename", "discard"};
        QVERIFY2(keeping.contains(collisions.first()), qPrintable(collisions.first()));
    }

    void iconHasEveryRenderedSize() {
#ifndef ZENDRO_ICON_COMPILED_IN
        QSKIP("built without the desktop files");
#else
        const QList<QSize> sizes = applicationIcon().availableSizes();
        for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
            QVERIFY2(sizes.contains(QSize(size, size)), qPrintable(QString::number(size)));
        }
#endif
    }
};

}  // namespace zendro::testing

QTEST_MAIN(zendro::testing::BundledFilesTest)
#include "bundled_files_test.moc"
