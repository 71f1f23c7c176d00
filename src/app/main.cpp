// Starts the calculator with the old-rules window, or with --current the current-rules window.

#include "app/application.hpp"
#include "app/command_line.hpp"
#include "app/current/run.hpp"
#include "app/editions.hpp"
#include "ui/first_paint_probe.hpp"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

bool HasDisplay() {
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(variable);
        if (value && *value) return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    const app::CommandLine commandLine = app::ParseCommandLine(argc, argv);
    if (commandLine.outcome != app::CommandLine::Outcome::Start) {
        return app::Report(commandLine, argv[0]);
    }
    if (!HasDisplay()) {
        std::fprintf(stderr,
                     "%s: no display found (DISPLAY and WAYLAND_DISPLAY are unset); "
                     "to run it on a virtual display: xvfb-run -a %s\n",
                     argv[0], argv[0]);
        return EXIT_FAILURE;
    }
    QApplication application(argc, argv);
    app::ConfigureApplication();
    if (commandLine.currentRules) return app::current::Run();
    app::Editions editions;
    editions.Start();
    ui::ExitAfterFirstPaintIfAsked(*editions.window(tax::Edition::OldRules));
    return application.exec();
}
