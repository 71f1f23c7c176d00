#pragma once
// The layout of the two edition windows as data: every control, the line
// grid, the tab orders and what sets the new-rules window apart.
// All geometry is in twips from the top-left corner of the client area.

#include "tax/tax.hpp"

#include <span>

namespace app {

enum class Kind { Field, Button, Label, Picture };

enum class Font {
    Window,           // the window's default font
    Song,             // 宋体 10.5 pt
    YaHeiUnderlined,  // 微软雅黑 14.25 pt, underlined
};

struct ControlRow {
    const char* name;
    Kind kind;
    const char* text;  // caption, or a field's initial text
    int left, top, width, height;
    bool enabled;
    bool filtered;  // typed characters pass NumericKeyFilter
    Font font;
};

struct LineRow {
    const char* name;
    int x1, y1, x2, y2;
};

// What tells a screen reader user which of the many alike fields and buttons
// has the focus: the label beside a field (a button has its caption) and the
// title of its section.
struct Described {
    const char* control;
    const char* label;  // nullptr for a button
    const char* section;
};

struct EditionLayout {
    const char* name;
    const char* caption;
    const char* threshold;      // initial text of Text7
    const char* switchCaption;  // caption of Command8
    bool hasLabel2;
    int label7Width;
    std::span<const char* const> tabOrder;
};

// In creation order, which is also the drawing order: labels lie under the
// fields that reach over them. Text7, Command8, Label2 and Label7 carry the
// old-rules values here; EditionLayout gives each edition's own.
std::span<const ControlRow> Controls();
std::span<const LineRow> Lines();
std::span<const Described> Descriptions();
const EditionLayout& LayoutOf(tax::Edition edition);

}  // namespace app
