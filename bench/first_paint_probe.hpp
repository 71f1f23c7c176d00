#pragma once
// For start-up measurements: prints the monotonic clock's time once `window`
// has been painted for the first time, as "first-paint <nanoseconds>", and
// quits the event loop.

class QWidget;

namespace bench {

void ExitAfterFirstPaint(QWidget& window);

}  // namespace bench
