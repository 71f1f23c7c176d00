// Starts the calculator with the old-rules window, or with --current the current-rules window.

#include "app/application.hpp"
#include "app/command_line.hpp"
#include "app/start.hpp"

#include <QApplication>
#include <QLocale>

#include <optional>

int main(int argc, char** argv) {
    const app::CommandLine commandLine = app::ParseCommandLine(argc, argv);
    if (const std::optional<int> status = app::EndBeforeWindows(commandLine, argc, argv)) {
        return *status;
    }
    QApplication application(argc, argv);
    // Before any widget exists, so that standard buttons read in the user's language.
    app::InstallQtTranslations(QLocale::system());
    app::ConfigureApplication();
    const app::Session session(commandLine);
    return QApplication::exec();
}
