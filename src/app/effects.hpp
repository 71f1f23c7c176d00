#pragma once
// What a press does beyond its window: a message box, and ending the process.
// The program links the real ones (effects.cpp, the library tovarin_effects);
// the window tests link their own, which record instead.

#include "ui/message_box.hpp"

class QWidget;

namespace app {

// A box on the middle of `owner`'s window; returns once it is dismissed.
void PresentBox(QWidget& owner, const ui::Box& box);

// Ends the process at once, without returning to the event loop.
void ExitProgram();

}  // namespace app
