#pragma once
// Application-modal message boxes with a single OK button, and ending the
// process. Tests replace both through the hooks below.

#include <QString>

#include <functional>

namespace ui {

enum class BoxIcon { Information, Exclamation, None };

struct Box {
    QString prompt;
    QString title;  // empty: the application title
    BoxIcon icon;
};

// Shows the box and returns once the user has dismissed it; no window takes
// input meanwhile.
void ShowBox(const Box& box);

// Ends the process at once, without returning to the event loop.
void EndProcess();

// A hook, when set, runs instead of the real box or the real exit; an empty
// function restores the real behaviour.
using BoxHook = std::function<void(const Box&)>;
using ExitHook = std::function<void()>;
void SetBoxHook(BoxHook hook);
void SetExitHook(ExitHook hook);

}  // namespace ui
