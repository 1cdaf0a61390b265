#include "tests/support/program_run.h"

#include <sys/wait.h>

#include <cstdlib>

namespace zendro::testing {

std::string shellQuoted(const std::string& text) {
    std::string out = "'";
    for (const char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

ProgramOutcome runProgram(const TempDir& dir, const std::string& command) {
    const std::string caught =
        command + " >" + shellQuoted(dir.file("stdout")) + " 2>" + shellQuoted(dir.file("stderr"));
    const int raw = std::system(caught.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readFile(dir.file("stdout")),
            readFile(dir.file("stderr"))};
}

}  // namespace zendro::testing
