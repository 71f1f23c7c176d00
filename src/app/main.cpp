// Starts the calculator with the old-rules window, or with --current the current-rules window.

#include "app/command_line.hpp"
#include "app/start.hpp"

#include <optional>

int main(int argc, char** argv) {
    const app::CommandLine commandLine = app::ParseCommandLine(argc, argv);
    if (const std::optional<int> status = app::EndBeforeWindows(commandLine, argc, argv)) {
        return *status;
    }
    app::Session session(argc, argv, commandLine);
    return session.exec();
}
