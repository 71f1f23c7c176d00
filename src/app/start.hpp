#pragma once
// Starting the program: what ends it before any window, and the windows of a run.

#include "app/command_line.hpp"

#include <memory>
#include <optional>

class QApplication;
class QWidget;

namespace app {

class Editions;
namespace current {
class CurrentForm;
}

// For --help, a refused command line, or no display to show the windows on: the
// status to end with, once the reason is printed. Otherwise nullopt. Before the
// QApplication exists, which would abort without a display.
std::optional<int> EndBeforeWindows(const CommandLine& commandLine, int argc, char** argv);

// One run of the program: the QApplication with Qt's translations and the
// program's settings, and the windows, opened, shown and activated when it is
// made: the old-rules window, which brings up the new-rules one on demand, or
// with --current the current-rules window. `argc` must outlive it.
class Session {
public:
    Session(int& argc, char** argv, const CommandLine& commandLine);
    ~Session();

    // The window shown at start.
    QWidget& firstWindow() const;

    // Runs the event loop until the last window closes; returns its status.
    int exec();

private:
    std::unique_ptr<QApplication> application_;
    std::unique_ptr<Editions> editions_;
    std::unique_ptr<current::CurrentForm> current_;
};

}  // namespace app
