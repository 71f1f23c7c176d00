#include "app/start.hpp"

#include "app/application.hpp"
#include "app/current/current_form.hpp"
#include "app/editions.hpp"
#include "tax/edition.hpp"

#include <QApplication>
#include <QLocale>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace app {
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

std::optional<int> EndBeforeWindows(const CommandLine& commandLine, int argc, char** argv) {
    if (commandLine.outcome != CommandLine::Outcome::Start) return Report(commandLine, argv[0]);
    if (HasPlatform(argc, argv)) return std::nullopt;
    std::fprintf(stderr,
                 "%s: no display found (DISPLAY and WAYLAND_DISPLAY are unset, and neither "
                 "QT_QPA_PLATFORM nor -platform names a platform).\n"
                 "To run it on a virtual X display: xvfb-run -a %s\n"
                 "(xvfb-run comes with the Debian packages xvfb and xauth; as root: "
                 "apt-get install xvfb xauth)\n",
                 argv[0], argv[0]);
    return EXIT_FAILURE;
}

Session::Session(int& argc, char** argv, const CommandLine& commandLine)
    : application_(std::make_unique<QApplication>(argc, argv)) {
    // Before any widget exists, so that standard buttons read in the user's language.
    InstallQtTranslations(QLocale::system());
    ConfigureApplication();
    if (commandLine.currentRules) {
        // The desktop entry of this window, so that the desktop groups and names it by that entry.
        QGuiApplication::setDesktopFileName(QString::fromUtf8(kCurrentAppId));
        current_ = std::make_unique<current::CurrentForm>();
        ShowAndActivate(*current_);
        return;
    }
    editions_ = std::make_unique<Editions>();
    editions_->start();
}

// The members go in reverse order: the windows before the application.
Session::~Session() = default;

int Session::exec() { return QApplication::exec(); }

QWidget& Session::firstWindow() const {
    if (current_) return *current_;
    return *editions_->window(tax::Edition::OldRules);
}

}  // namespace app
