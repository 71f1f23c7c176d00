// Starts the calculator with the old-rules window, or with --current the current-rules window.

#include "app/application.hpp"
#include "app/command_line.hpp"
#include "app/current/run.hpp"
#include "app/editions.hpp"
#include "ui/first_paint_probe.hpp"

#include <QApplication>
#include <QLocale>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Whether Qt has somewhere to show the windows: the session's display, or a
// platform named in QT_QPA_PLATFORM or by a -platform argument.
bool HasPlatform(int argc, char** argv) {
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(variable);
        if (value && *value) return true;
    }
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    const app::CommandLine commandLine = app::ParseCommandLine(argc, argv);
    if (commandLine.outcome != app::CommandLine::Outcome::Start) {
        return app::Report(commandLine, argv[0]);
    }
    if (!HasPlatform(argc, argv)) {
        std::fprintf(stderr,
                     "%s: no display found (DISPLAY and WAYLAND_DISPLAY are unset, and neither "
                     "QT_QPA_PLATFORM nor -platform names a platform).\n"
                     "To run it on a virtual X display: xvfb-run -a %s\n"
                     "(xvfb-run comes with the Debian packages xvfb and xauth; as root: "
                     "apt-get install xvfb xauth)\n",
                     argv[0], argv[0]);
        return EXIT_FAILURE;
    }
    QApplication application(argc, argv);
    // Before any widget exists, so that standard buttons read in the user's language.
    app::InstallQtTranslations(QLocale::system());
    app::ConfigureApplication();
    if (commandLine.currentRules) return app::current::Run();
    app::Editions editions;
    editions.Start();
    ui::ExitAfterFirstPaintIfAsked(*editions.window(tax::Edition::OldRules));
    return application.exec();
}
