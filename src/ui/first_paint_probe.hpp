#pragma once
// For start-up measurements: with TOVARIN_EXIT_AFTER_FIRST_PAINT set, the
// program prints the monotonic clock's time once `window` has been painted
// for the first time, as "first-paint <nanoseconds>", and quits.

class QWidget;

namespace ui {

void ExitAfterFirstPaintIfAsked(QWidget& window);

}  // namespace ui
