// zendro: the window that converts a survey job, edits its point features and
// starts Kermit to download field files.

#include <QApplication>

#include "shell/kermit_download.h"
#include "shell/main_window.h"
#include "shell/shell_dialogs.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zendro"));
    QApplication::setApplicationVersion(QStringLiteral(ZENDRO_VERSION));

    zendro::QtShellDialogs dialogs;
    zendro::ShellOptions options;
    options.shippedKermitFolder =
        zendro::findShippedKermitFolder(QApplication::applicationDirPath());

    zendro::Form1 window(dialogs, options);
    window.show();
    return QApplication::exec();
}
