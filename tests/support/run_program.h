// Running a program as a person would from a shell, for tests of command-line tools.
#pragma once

#include <string>

namespace testing_support {

struct ProgramRun {
    // The exit status, or -1 when the program did not exit normally.
    int exitCode = -1;
    // Standard output and standard error together.
    std::string output;
};

// Runs `commandLine` through /bin/sh.
ProgramRun runProgram(const std::string& commandLine);

// `text` quoted for /bin/sh.
std::string shellQuoted(const std::string& text);

} // namespace testing_support
