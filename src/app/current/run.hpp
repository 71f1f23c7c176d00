#pragma once
// Starting the program with the current-rules window.

namespace app::current {

// Opens the window and runs the event loop until it closes; the QApplication must exist.
int Run();

}  // namespace app::current
