#pragma once
// The program's command line: which window to open, or the usage or an error to print instead.
// Qt's own options pass through untouched; QApplication takes them out of argv later.

#include <string>
#include <string_view>

namespace app {

struct CommandLine {
    enum class Outcome { Start, Help, Error };
    Outcome outcome = Outcome::Start;
    bool currentRules = false;  // --current: the window of the rules in force today
    std::string error;          // one line, for Outcome::Error
};

// The arguments after the program name, argv[0]. The first --help or error decides.
CommandLine ParseCommandLine(int argc, const char* const argv[]);

std::string Usage(std::string_view program);

// For Help, the usage on stdout and 0; for Error, "program: error" and the usage on stderr
// and 2.
int Report(const CommandLine& commandLine, std::string_view program);

}  // namespace app
