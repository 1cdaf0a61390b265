// zendro: the window that converts a survey job, edits its point features and
// starts Kermit to download field files.

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

#include "common/version.h"
#include "shell/bundled_files.h"
#include "shell/job_arguments.h"
#include "shell/kermit_download.h"
#include "shell/main_window.h"
#include "shell/session_memory.h"
#include "shell/shell_dialogs.h"

namespace {

// Answers --help and --version before any window exists, so both work without
// a display (the manual page is made from them at build time). Other
// arguments, Qt's own options among them, are left to QApplication.
void answerHelpOrVersion(int argc, char** argv) {
    const QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Converts a survey job's field files (JOB.HVD observations, JOB.CTX point "
        "descriptions, JOB.RTX notes) into a GEOPAK OBS file and a Terramodel TRV file, "
        "keeps the point-feature file JOB.pf that its \"Edit Features\" grid corrects, and "
        "starts Kermit to download field files from the data collector."));
    zendro::addJobArgument(parser);
    // Not addHelpOption(): its --help-all would promise Qt's options too.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Displays this help."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    parser.parse(QCoreApplication::arguments());
    if (parser.isSet(help)) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        std::exit(0);
    }
    if (parser.isSet(version)) parser.showVersion();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication::setApplicationName(QStringLiteral("zendro"));
    QApplication::setApplicationVersion(QString::fromLatin1(zendro::kVersion));
    QApplication::setDesktopFileName(QStringLiteral(ZENDRO_APP_ID));
    answerHelpOrVersion(argc, argv);

    QApplication app(argc, argv);
    QApplication::setWindowIcon(zendro::applicationIcon());

    zendro::QtShellDialogs dialogs;
    zendro::ShellOptions options;
    options.shippedKermitFolder =
        zendro::findShippedKermitFolder(QApplication::applicationDirPath());
    options.sessionMemoryFile = zendro::SessionMemory::userFilePath();

    zendro::Form1 window(dialogs, options);
    window.show();
    // After show(), so a refused job's message stands over the window.
    // QApplication has taken its own options (-platform, -style ...) by now.
    zendro::openJobFromArguments(window, QApplication::arguments());
    return QApplication::exec();
}
