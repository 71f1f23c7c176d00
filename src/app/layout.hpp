#pragma once
// The layout of the two edition windows as data: the client area, the fonts,
// every control, the line grid, what describes each control, which handler
// each section button runs, the tab orders, and each edition's differences
// from the base table. All geometry is in twips from the top-left corner of
// the client area; form.cpp turns it into pixels.
//
// Controls are named by typed ids, so a misspelt one is a compile error, and
// every cross-reference between the tables is checked wherever this header is
// compiled. A control is added here, and only here: its id, its row, and its
// description, section button and tab places if it has them. An edition's
// differences from the base table are kForm2Differences.

#include "app/sections/sections.hpp"
#include "tax/edition.hpp"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <optional>
#include <span>

namespace app {

// Every control of an edition window, in creation order, which is also the
// drawing order: labels lie under the fields that reach over them. Each kind
// takes one run of ids: labels, fields, buttons, then the picture.
// clang-format off
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
// clang-format on
inline constexpr std::size_t kControlCount = static_cast<std::size_t>(Control::Image1) + 1;

enum class Kind { Field, Button, Label, Picture };

constexpr Kind KindOf(Control control) {
    if (control < Control::Text1) return Kind::Label;
    if (control < Control::Command1) return Kind::Field;
    if (control < Control::Image1) return Kind::Button;
    return Kind::Picture;
}

constexpr std::size_t IndexOf(Control control) { return static_cast<std::size_t>(control); }

// The fonts of the windows, each a row of kFonts.
enum class Font {
    Window,           // the window's default font
    Song,             // the section buttons
    YaHeiUnderlined,  // the business section's big button
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

namespace layout {

using C = Control;
inline constexpr auto W = Font::Window;
inline constexpr auto S = Font::Song;
inline constexpr auto Y = Font::YaHeiUnderlined;
inline constexpr const char* kCalculate = "计算个人所得税";

inline constexpr ClientArea kClientArea = {7110, 8130};  // both windows

inline constexpr FontRow kFonts[] = {
    {Font::Window, Face::Song, 9, false},
    {Font::Song, Face::Song, 10.5, false},
    {Font::YaHeiUnderlined, Face::YaHei, 14.25, true},
};

// The old-rules window, in the order of Control; the new-rules window's
// differences follow below. Text7 starts with the edition's threshold, which
// comes from the rules (tax::Threshold), so its text here is empty.
// clang-format off
inline constexpr ControlRow kControls[] = {
    // id          name            text                        left   top  width height enabled filtered font
    {C::Label4,    "Label4",    "1.工薪、工资所得税计算",            120,  120, 1995, 180, true, false, W},
    {C::Label1_0,  "Label1_0",  "工资总额",                          120,  480,  720, 180, true, false, W},
    {C::Label1_1,  "Label1_1",  "住房公积金",                        120, 1080,  900, 300, true, false, W},
    {C::Label1_4,  "Label1_4",  "医疗保险金",                        120, 1680,  900, 180, true, false, W},
    {C::Label1_3,  "Label1_3",  "养老保险金",                        120, 2280,  900, 180, true, false, W},
    {C::Label1_2,  "Label1_2",  "应纳税收入",                       2280,  480,  900, 180, true, false, W},
    {C::Label1_5,  "Label1_5",  "应纳税额",                         2280, 1080,  720, 180, true, false, W},
    {C::Label1_6,  "Label1_6",  "起征点",                           2280, 1680,  540, 180, true, false, W},
    {C::Label6,    "Label6",    "2.劳动报酬所得税计算",              120, 2880, 2055, 255, true, false, W},
    {C::Label1_7,  "Label1_7",  "本次劳动收入",                     2280, 2880,  975, 375, true, false, W},
    {C::Label5,    "Label5",    "本次应缴税款",                      120, 3480,  975, 375, true, false, W},
    {C::Label7,    "Label7",    "3.个体工商户的生产、经营所得和企事业单位的承包经营、承租经营所得税计算",
                                                                     120, 4200, 4455, 495, true, false, W},
    {C::Label1_8,  "Label1_8",  "纳税年度收入总额",                  120, 4680, 1455, 375, true, false, W},
    {C::Label8,    "Label8",    "成本、费用及损失或必要费用",        120, 5160, 1455, 375, true, false, W},
    {C::Label9,    "Label9",    "本次应缴税款",                      120, 5640, 1455, 375, true, false, W},
    {C::Label10,   "Label10",   "4.稿酬所得税计算",                 4680,  120, 1995, 180, true, false, W},
    {C::Label11_0, "Label11_0", "本次稿酬所得",                     4680,  480, 1995, 180, true, false, W},
    {C::Label11_2, "Label11_2", "本次应缴税款",                     4680,  960, 1995, 180, true, false, W},
    {C::Label12,   "Label12",   "5.特许权使用费所得税计算",         4680, 1920, 1995, 180, true, false, W},
    {C::Label11_3, "Label11_3", "本次所得",                         4680, 2280, 1995, 180, true, false, W},
    {C::Label11_1, "Label11_1", "本次应缴税款",                     4680, 2760, 1995, 180, true, false, W},
    {C::Label13,   "Label13",   "6.利息、红利所得税计算",           4680, 3720, 1995, 180, true, false, W},
    {C::Label11_4, "Label11_4", "本次所得",                         4680, 4080, 1995, 180, true, false, W},
    {C::Label11_5, "Label11_5", "本次应缴税款",                     4680, 4560, 1995, 180, true, false, W},
    {C::Label14,   "Label14",   "7.偶然所得税计算",                 4680, 5520, 1995, 180, true, false, W},
    {C::Label11_7, "Label11_7", "本次所得",                         4680, 5880, 1995, 180, true, false, W},
    {C::Label11_6, "Label11_6", "本次应缴税款",                     4680, 6360, 1995, 180, true, false, W},
    {C::Label2,    "Label2",    "",                                    0,    0, 4575, 255, true, false, W},

    {C::Text1,     "Text1",     "",     1080,  480,  975, 300, true,  true,  W},
    {C::Text2,     "Text2",     "",     1080, 1080,  975, 300, true,  true,  W},
    {C::Text3,     "Text3",     "",     1080, 1680,  975, 300, true,  true,  W},
    {C::Text4,     "Text4",     "",     1080, 2280,  975, 300, true,  true,  W},
    {C::Text5,     "Text5",     "",     3240,  480,  975, 300, false, true,  W},
    {C::Text6,     "Text6",     "",     3240, 1080,  975, 300, false, true,  W},
    {C::Text7,     "Text7",     "",     3240, 1680,  975, 270, false, false, W},
    {C::Text8,     "Text8",     "",     3240, 2880,  975, 270, true,  true,  W},
    {C::Text9,     "Text9",     "",     1080, 3480,  975, 270, false, true,  W},
    {C::Text10,    "Text10",    "",     1680, 4680, 2655, 270, true,  true,  W},
    {C::Text11,    "Text11",    "",     1680, 5160, 2655, 270, true,  true,  W},
    {C::Text12,    "Text12",    "",     1680, 5640, 2655, 270, false, true,  W},
    {C::Text13,    "Text13",    "",     6000,  480,  975, 300, true,  true,  W},
    {C::Text14,    "Text14",    "",     6000,  960,  975, 300, false, true,  W},
    {C::Text15,    "Text15",    "",     6000, 2280,  975, 300, true,  true,  W},
    {C::Text16,    "Text16",    "",     6000, 2760,  975, 300, false, true,  W},
    {C::Text17,    "Text17",    "",     6000, 4080,  975, 300, true,  false, W},
    {C::Text18,    "Text18",    "",     6000, 4560,  975, 300, false, true,  W},
    {C::Text19,    "Text19",    "",     6000, 5880,  975, 300, true,  true,  W},
    {C::Text20,    "Text20",    "",     6000, 6360,  975, 300, false, true,  W},

    {C::Command1,  "Command1",  kCalculate, 2280, 3480, 2055,  315, true, false, S},
    {C::Command2,  "Command2",  kCalculate, 2280, 2280, 2055,  315, true, false, S},
    {C::Command3,  "Command3",  "这才是纳税的大户，看看人家交了多少，学习的榜样呀！！！！",
                                             120, 6120, 4215, 1035, true, false, Y},
    {C::Command4,  "Command4",  kCalculate, 4800, 1440, 2055,  315, true, false, S},
    {C::Command5,  "Command5",  kCalculate, 4800, 3240, 2055,  315, true, false, S},
    {C::Command6,  "Command6",  kCalculate, 4800, 5040, 2055,  315, true, false, S},
    {C::Command7,  "Command7",  kCalculate, 4800, 6840, 2055,  315, true, false, S},
    {C::Command8,  "Command8",  "切换至新版纳税计算", 120, 7320, 2055, 615, true, false, W},

    {C::Image1,    "Image1",    "",         2760, 7320, 3825,  900, true, false, W},
};

inline constexpr LineRow kLines[] = {
    {"Line1",  2160,  360, 2160, 2760}, {"Line13",    0, 7200, 4440, 7200},
    {"Line2",     0,  360, 4440,  360}, {"Line14", 4440, 7200, 4440, 4080},
    {"Line3",     0, 2760, 4440, 2760}, {"Line15", 4440, 7200, 7080, 7200},
    {"Line4",     0, 2760,    0,  360}, {"Line16", 7080, 2160, 7080,  120},
    {"Line5",  4440, 2760, 4440,  360}, {"Line17", 7080,    0, 7080,  840},
    {"Line6",     0,  960, 4440,  960}, {"Line18", 7080,    0,    0,    0},
    {"Line7",     0, 1560, 4440, 1560}, {"Line19",    0,    0,    0,  360},
    {"Line8",     0, 2160, 4440, 2160}, {"Line20", 4440,  360, 4440,    0},
    {"Line9",     0, 4080, 4440, 4080}, {"Line21", 7080, 7200, 7080, 2160},
    {"Line10", 4440, 4080, 4440, 2760}, {"Line22", 4440, 3600, 7080, 3600},
    {"Line11",    0, 4080,    0, 2760}, {"Line23", 4440, 5400, 7080, 5400},
    {"Line12",    0, 4080,    0, 7200}, {"Line24", 4440, 1800, 7080, 1800},
};

inline constexpr Described kDescriptions[] = {
    {C::Text1,  C::Label1_0,  C::Label4},  {C::Text2,  C::Label1_1,  C::Label4},
    {C::Text3,  C::Label1_4,  C::Label4},  {C::Text4,  C::Label1_3,  C::Label4},
    {C::Text5,  C::Label1_2,  C::Label4},  {C::Text6,  C::Label1_5,  C::Label4},
    {C::Text7,  C::Label1_6,  C::Label4},
    {C::Text8,  C::Label1_7,  C::Label6},  {C::Text9,  C::Label5,    C::Label6},
    {C::Text10, C::Label1_8,  C::Label7},  {C::Text11, C::Label8,    C::Label7},
    {C::Text12, C::Label9,    C::Label7},
    {C::Text13, C::Label11_0, C::Label10}, {C::Text14, C::Label11_2, C::Label10},
    {C::Text15, C::Label11_3, C::Label12}, {C::Text16, C::Label11_1, C::Label12},
    {C::Text17, C::Label11_4, C::Label13}, {C::Text18, C::Label11_5, C::Label13},
    {C::Text19, C::Label11_7, C::Label14}, {C::Text20, C::Label11_6, C::Label14},
    {C::Command2, std::nullopt, C::Label4},  {C::Command1, std::nullopt, C::Label6},
    {C::Command3, std::nullopt, C::Label7},  {C::Command4, std::nullopt, C::Label10},
    {C::Command5, std::nullopt, C::Label12}, {C::Command6, std::nullopt, C::Label13},
    {C::Command7, std::nullopt, C::Label14},
};

inline constexpr SectionButton kSectionButtons[] = {
    {C::Command1, Command1_Click}, {C::Command2, Command2_Click}, {C::Command3, Command3_Click},
    {C::Command4, Command4_Click}, {C::Command5, Command5_Click}, {C::Command6, Command6_Click},
    {C::Command7, Command7_Click},
};

inline constexpr Control kForm1TabOrder[] = {
    C::Text1,    C::Text2,    C::Text3,    C::Text4,    C::Text5,    C::Text6,    C::Text7,
    C::Command2, C::Command1, C::Text8,    C::Text9,    C::Text10,   C::Text11,   C::Command3,
    C::Text12,   C::Text13,   C::Text14,   C::Command4, C::Command5, C::Text15,   C::Text16,
    C::Text17,   C::Text18,   C::Command6, C::Text19,   C::Text20,   C::Command7, C::Command8,
};

inline constexpr Control kForm2TabOrder[] = {
    C::Command7, C::Text20,   C::Text19,   C::Command6, C::Text18,   C::Text17,   C::Text16,
    C::Text15,   C::Command5, C::Command4, C::Text14,   C::Text13,   C::Text12,   C::Command3,
    C::Text11,   C::Text10,   C::Text9,    C::Text8,    C::Command1, C::Command2, C::Text7,
    C::Text6,    C::Text5,    C::Text4,    C::Text3,    C::Text2,    C::Text1,    C::Command8,
};

inline constexpr Difference kForm2Differences[] = {
    {.control = C::Label2, .absent = true},
    {.control = C::Label7, .width = 4335},
    {.control = C::Command8, .text = "切换至旧版纳税计算"},
};

inline constexpr EditionLayout kForm1 = {"Form1", "旧版Tovarin--Brellow出品", {}, kForm1TabOrder};
inline constexpr EditionLayout kForm2 = {"Form2", "新版Tovarin--Brellow出品", kForm2Differences,
                                  kForm2TabOrder};
// clang-format on

// The checks below run when this file compiles: a table that breaks one does not build.

constexpr bool RowsInOrderOfTheirIds() {
    for (std::size_t i = 0; i < std::size(kControls); ++i) {
        if (IndexOf(kControls[i].id) != i) return false;
    }
    return std::size(kControls) == kControlCount;
}
static_assert(RowsInOrderOfTheirIds(),
              "kControls holds every control once, in the order of Control");

constexpr bool FontsInOrder() {
    for (std::size_t i = 0; i < std::size(kFonts); ++i) {
        if (static_cast<std::size_t>(kFonts[i].font) != i) return false;
    }
    return true;
}
static_assert(FontsInOrder(), "kFonts holds every font once, in the order of Font");

// Object names start with their kind, as the controls of the system are named.
constexpr bool StartsWith(const char* text, const char* prefix) {
    for (; *prefix; ++text, ++prefix) {
        if (*text != *prefix) return false;
    }
    return true;
}

constexpr const char* PrefixOf(Kind kind) {
    switch (kind) {
    case Kind::Field: return "Text";
    case Kind::Button: return "Command";
    case Kind::Label: return "Label";
    case Kind::Picture: return "Image";
    }
    return "";
}

constexpr bool NamesMatchKinds() {
    return std::all_of(std::begin(kControls), std::end(kControls), [](const ControlRow& row) {
        return StartsWith(row.name, PrefixOf(KindOf(row.id)));
    });
}
static_assert(NamesMatchKinds(), "every object name starts with its kind");

constexpr bool IsAbsent(const EditionLayout& form, Control control) {
    return std::any_of(form.differences.begin(), form.differences.end(),
                       [control](const Difference& d) { return d.control == control && d.absent; });
}

// Each field and button once, and nothing else.
constexpr bool IsTabOrder(std::span<const Control> order) {
    std::size_t expected = 0;
    for (std::size_t i = 0; i < kControlCount; ++i) {
        const Kind kind = KindOf(static_cast<Control>(i));
        if (kind == Kind::Field || kind == Kind::Button) ++expected;
    }
    for (std::size_t i = 0; i < order.size(); ++i) {
        const Kind kind = KindOf(order[i]);
        if (kind != Kind::Field && kind != Kind::Button) return false;
        for (std::size_t j = 0; j < i; ++j) {
            if (order[j] == order[i]) return false;
        }
    }
    return order.size() == expected;
}
static_assert(IsTabOrder(kForm1TabOrder) && IsTabOrder(kForm2TabOrder),
              "a tab order holds each field and button once");

// A control with a label and the title of its section, all present in both windows.
constexpr bool DescriptionsHold(const EditionLayout& form) {
    return std::all_of(std::begin(kDescriptions), std::end(kDescriptions), [&](const Described& d) {
        const Kind kind = KindOf(d.control);
        const bool labelled =
            d.label && KindOf(*d.label) == Kind::Label && !IsAbsent(form, *d.label);
        return (kind == Kind::Field ? labelled : kind == Kind::Button && !d.label) &&
               KindOf(d.section) == Kind::Label && !IsAbsent(form, d.section) &&
               !IsAbsent(form, d.control);
    });
}
static_assert(DescriptionsHold(kForm1) && DescriptionsHold(kForm2),
              "a field is described by a label and a section title, a button by a section title");

constexpr bool SectionButtonsHold() {
    for (std::size_t i = 0; i < std::size(kSectionButtons); ++i) {
        if (KindOf(kSectionButtons[i].button) != Kind::Button) return false;
        for (std::size_t j = 0; j < i; ++j) {
            if (kSectionButtons[j].button == kSectionButtons[i].button) return false;
        }
    }
    return true;
}
static_assert(SectionButtonsHold(), "each section button is a button, with one handler");

// A difference names each control once and changes something; a control left
// out is in no tab order of its edition.
constexpr bool DifferencesHold(const EditionLayout& form) {
    const std::span<const Difference> differences = form.differences;
    for (std::size_t i = 0; i < differences.size(); ++i) {
        const Difference& d = differences[i];
        if (!d.absent && !d.text && d.width == 0) return false;
        if (d.absent && std::find(form.tabOrder.begin(), form.tabOrder.end(), d.control) !=
                            form.tabOrder.end()) {
            return false;
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (differences[j].control == d.control) return false;
        }
    }
    return true;
}
static_assert(DifferencesHold(kForm1) && DifferencesHold(kForm2),
              "each difference names one control once and changes it");

}  // namespace layout

constexpr const EditionLayout& LayoutOf(tax::Edition edition) {
    return edition == tax::Edition::OldRules ? layout::kForm1 : layout::kForm2;
}

}  // namespace app
