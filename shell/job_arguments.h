#pragma once

#include <QStringList>

class QCommandLineParser;

namespace zendro {

class Form1;

// `zendro FILE`: the job a file manager or a terminal names at start-up.
void addJobArgument(QCommandLineParser& parser);

// Opens the job of the first FILE among `arguments` (the program's, after
// Qt took its own options), as if that file had been chosen with Filename.
// False when none is named or the job was refused (and told).
bool openJobFromArguments(Form1& window, const QStringList& arguments);

}  // namespace zendro
