#pragma once
// The tests' own effects (app/effects.hpp), linked into the window tests in
// place of the program's: boxes and the exit go to the recorders set here,
// and with none set, the real box opens or the process really ends.

#include "ui/message_box.hpp"

#include <functional>

namespace testsupport {

using BoxRecorder = std::function<void(const ui::Box&)>;
using ExitRecorder = std::function<void()>;

// An empty function brings back the real box, or the real exit.
void RecordBoxes(BoxRecorder recorder);
void RecordExits(ExitRecorder recorder);

}  // namespace testsupport
