#pragma once

// A program run as a user runs it from a shell: its exit status and what it
// printed on standard output and standard error.

#include <string>

#include "tests/support/temp_dir.h"

namespace zendro::testing {

struct ProgramOutcome {
    int status = -1;  // the exit status; -1 when the program did not exit
    std::string out;
    std::string err;
};

// `text` as one word of a POSIX shell command.
std::string shellQuoted(const std::string& text);

// Runs `command` (its words already quoted) by the shell, its output caught
// in `dir`'s files "stdout" and "stderr".
ProgramOutcome runProgram(const TempDir& dir, const std::string& command);

}  // namespace zendro::testing
