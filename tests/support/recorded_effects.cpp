#include "recorded_effects.hpp"

#include "app/effects.hpp"

#include <utility>

namespace testsupport {
namespace {

BoxRecorder& Boxes() {
    static BoxRecorder recorder;
    return recorder;
}

ExitRecorder& Exits() {
    static ExitRecorder recorder;
    return recorder;
}

}  // namespace

void RecordBoxes(BoxRecorder recorder) { Boxes() = std::move(recorder); }
void RecordExits(ExitRecorder recorder) { Exits() = std::move(recorder); }

}  // namespace testsupport

namespace app {

void PresentBox(QWidget& owner, const ui::Box& box) {
    if (testsupport::Boxes()) {
        testsupport::Boxes()(box);
        return;
    }
    ui::ShowBox(owner, box);
}

void ExitProgram() {
    if (testsupport::Exits()) {
        testsupport::Exits()();
        return;
    }
    ui::EndProcess();
}

}  // namespace app
