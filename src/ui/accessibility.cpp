#include "ui/accessibility.hpp"

#include <QAccessibleWidget>
#include <QWidget>

namespace ui {
namespace {

QAccessibleInterface* Roles(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) return nullptr;
    if (className == "ui::Window") return new QAccessibleWidget(widget, QAccessible::Window);
    if (className == "ui::Line") return new QAccessibleWidget(widget, QAccessible::Separator);
    if (className == "ui::Picture") return new QAccessibleWidget(widget, QAccessible::Graphic);
    // A window built of layouts from a plain widget: only the classes below its own reach
    // here, since Qt's boxes and dialogs are matched by their own classes first.
    if (className == "QWidget" && widget->isWindow()) {
        return new QAccessibleWidget(widget, QAccessible::Window);
    }
    return nullptr;
}

}  // namespace

void InstallAccessibility() { QAccessible::installFactory(Roles); }

}  // namespace ui
