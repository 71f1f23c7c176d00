// The calculator as the program starts it, from the same command line and the
// same start-up code, but quitting once its first window is painted, with the
// time of that paint on stdout (first_paint_probe.hpp). For the start-up
// measurements and the start checks; the shipped program never quits by itself.

#include "app/command_line.hpp"
#include "app/start.hpp"
#include "first_paint_probe.hpp"

#include <optional>

int main(int argc, char** argv) {
    const app::CommandLine commandLine = app::ParseCommandLine(argc, argv);
    if (const std::optional<int> status = app::EndBeforeWindows(commandLine, argc, argv)) {
        return *status;
    }
    app::Session session(argc, argv, commandLine);
    bench::ExitAfterFirstPaint(session.firstWindow());
    return session.exec();
}
