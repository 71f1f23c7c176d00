#pragma once
// The layout of the two edition windows as data: the client area, the fonts,
// every control, the line grid, what describes each control, which handler
// each section button runs, the tab orders, and each edition's differences
// from the base table. All geometry is in twips from the top-left corner of
// the client area; form.cpp turns it into pixels.
//
// Controls are named by typed ids, so a misspelt one is a compile error, and
// every cross-reference between the tables is checked when layout.cpp compiles.

#include "tax/edition.hpp"

#include <cstddef>
#include <optional>
#include <span>

namespace app {

class Form;

// Every control of an edition window, in creation order, which is also the
// drawing order: labels lie under the fields that reach over them. Each kind
// takes one run of ids: labels, fields, buttons, then the picture.
enum class Control {
    Label4, Label1_0, Label1_1, Label1_4, Label1_3, Label1_2, Label1_5, Label1_6, Label6,
    Label1_7, Label5, Label7, Label1_8, Label8, Label9, Label10, Label11_0, Label11_2,
    Label12, Label11_3, Label11_1, Label13, Label11_4, Label11_5, Label14, Label11_7,
    Label11_6, Label2,
    Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9, Text10, Text11, Text12,
    Text13, Text14, Text15, Text16, Text17, Text18, Text19, Text20,
    Command1, Command2, Command3, Command4, Command5, Command6, Command7, Command8,
    Image1,
};
inline constexpr std::size_t kControlCount = static_cast<std::size_t>(Control::Image1) + 1;

enum class Kind { Field, Button, Label, Picture };

constexpr Kind KindOf(Control control) {
    if (control < Control::Text1) return Kind::Label;
    if (control < Control::Command1) return Kind::Field;
    if (control < Control::Image1) return Kind::Button;
    return Kind::Picture;
}

constexpr std::size_t IndexOf(Control control) { return static_cast<std::size_t>(control); }

enum class Font {
    Window,           // the window's default font
    Song,             // 宋体 10.5 pt
    YaHeiUnderlined,  // 微软雅黑 14.25 pt, underlined
};

// The two faces of the windows; form.cpp names their families.
enum class Face { Song, YaHei };

struct FontRow {
    Font font;
    Face face;
    double points;
    bool underline;
};

struct ClientArea {
    int width, height;
};

struct ControlRow {
    Control id;
    const char* name;  // the object name
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
    Control control;
    std::optional<Control> label;  // none for a button
    Control section;
};

struct SectionButton {
    Control button;
    void (*click)(Form&);
};

// A control that an edition has otherwise than the base table: left out, or
// with another caption or width. Members left at their defaults keep the base
// table's value.
struct Difference {
    Control control;
    bool absent = false;
    const char* text = nullptr;
    int width = 0;
};

struct EditionLayout {
    const char* name;
    const char* caption;
    std::span<const Difference> differences;
    std::span<const Control> tabOrder;
};

ClientArea ClientAreaOfForms();
std::span<const FontRow> Fonts();  // in the order of Font
// The base table, in the order of Control. Text7's text is the edition's
// threshold, which Form writes.
std::span<const ControlRow> Controls();
std::span<const LineRow> Lines();
std::span<const Described> Descriptions();
std::span<const SectionButton> SectionButtons();
const EditionLayout& LayoutOf(tax::Edition edition);

}  // namespace app
