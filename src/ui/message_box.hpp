#pragma once
// Application-modal message boxes with a single OK button, and ending the
// process.

#include <QString>

class QWidget;

namespace ui {

enum class BoxIcon { Information, Exclamation, None };

struct Box {
    QString prompt;
    QString title;  // empty: the application title
    BoxIcon icon;
};

// Shows the box on the middle of `owner`'s window and returns once the user
// has dismissed it; no window takes input meanwhile.
void ShowBox(QWidget& owner, const Box& box);

// Ends the process at once, without returning to the event loop.
void EndProcess();

}  // namespace ui
