#include "app/effects.hpp"

namespace app {

void PresentBox(QWidget& owner, const ui::Box& box) { ui::ShowBox(owner, box); }

void ExitProgram() { ui::EndProcess(); }

}  // namespace app
