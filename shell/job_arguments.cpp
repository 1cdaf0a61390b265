#include "shell/job_arguments.h"

#include <QCommandLineParser>

#include "shell/main_window.h"

namespace zendro {

void addJobArgument(QCommandLineParser& parser) {
    parser.addPositionalArgument(
        QStringLiteral("FILE"),
        QStringLiteral("Any field file of a job (JOB.HVD, JOB.CTX, JOB.RTX, in any case): the "
                       "window opens on that job, as if it had been chosen with Filename."),
        QStringLiteral("[FILE]"));
}

bool openJobFromArguments(Form1& window, const QStringList& arguments) {
    QCommandLineParser parser;
    addJobArgument(parser);
    // Options are --help and --version, answered before the window exists;
    // an unknown one keeps nobody from the job named after it.
    parser.parse(arguments);
    const QStringList files = parser.positionalArguments();
    return !files.isEmpty() && window.openJob(files.first());
}

}  // namespace zendro
