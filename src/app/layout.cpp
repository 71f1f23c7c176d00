#include "app/layout.hpp"

namespace app {
namespace {

constexpr auto F = Kind::Field;
constexpr auto B = Kind::Button;
constexpr auto L = Kind::Label;
constexpr auto P = Kind::Picture;
constexpr auto W = Font::Window;
constexpr auto S = Font::Song;
constexpr auto Y = Font::YaHeiUnderlined;
constexpr const char* kCalculate = "计算个人所得税";

// clang-format off
constexpr ControlRow kControls[] = {
    // name        kind  text                        left   top  width height enabled filtered font
    {"Label4",     L, "1.工薪、工资所得税计算",            120,  120, 1995, 180, true, false, W},
    {"Label1_0",   L, "工资总额",                          120,  480,  720, 180, true, false, W},
    {"Label1_1",   L, "住房公积金",                        120, 1080,  900, 300, true, false, W},
    {"Label1_4",   L, "医疗保险金",                        120, 1680,  900, 180, true, false, W},
    {"Label1_3",   L, "养老保险金",                        120, 2280,  900, 180, true, false, W},
    {"Label1_2",   L, "应纳税收入",                       2280,  480,  900, 180, true, false, W},
    {"Label1_5",   L, "应纳税额",                         2280, 1080,  720, 180, true, false, W},
    {"Label1_6",   L, "起征点",                           2280, 1680,  540, 180, true, false, W},
    {"Label6",     L, "2.劳动报酬所得税计算",              120, 2880, 2055, 255, true, false, W},
    {"Label1_7",   L, "本次劳动收入",                     2280, 2880,  975, 375, true, false, W},
    {"Label5",     L, "本次应缴税款",                      120, 3480,  975, 375, true, false, W},
    {"Label7",     L, "3.个体工商户的生产、经营所得和企事业单位的承包经营、承租经营所得税计算",
                                                           120, 4200, 4455, 495, true, false, W},
    {"Label1_8",   L, "纳税年度收入总额",                  120, 4680, 1455, 375, true, false, W},
    {"Label8",     L, "成本、费用及损失或必要费用",        120, 5160, 1455, 375, true, false, W},
    {"Label9",     L, "本次应缴税款",                      120, 5640, 1455, 375, true, false, W},
    {"Label10",    L, "4.稿酬所得税计算",                 4680,  120, 1995, 180, true, false, W},
    {"Label11_0",  L, "本次稿酬所得",                     4680,  480, 1995, 180, true, false, W},
    {"Label11_2",  L, "本次应缴税款",                     4680,  960, 1995, 180, true, false, W},
    {"Label12",    L, "5.特许权使用费所得税计算",         4680, 1920, 1995, 180, true, false, W},
    {"Label11_3",  L, "本次所得",                         4680, 2280, 1995, 180, true, false, W},
    {"Label11_1",  L, "本次应缴税款",                     4680, 2760, 1995, 180, true, false, W},
    {"Label13",    L, "6.利息、红利所得税计算",           4680, 3720, 1995, 180, true, false, W},
    {"Label11_4",  L, "本次所得",                         4680, 4080, 1995, 180, true, false, W},
    {"Label11_5",  L, "本次应缴税款",                     4680, 4560, 1995, 180, true, false, W},
    {"Label14",    L, "7.偶然所得税计算",                 4680, 5520, 1995, 180, true, false, W},
    {"Label11_7",  L, "本次所得",                         4680, 5880, 1995, 180, true, false, W},
    {"Label11_6",  L, "本次应缴税款",                     4680, 6360, 1995, 180, true, false, W},
    {"Label2",     L, "",                                    0,    0, 4575, 255, true, false, W},

    {"Text1",      F, "",     1080,  480,  975, 300, true,  true,  W},
    {"Text2",      F, "",     1080, 1080,  975, 300, true,  true,  W},
    {"Text3",      F, "",     1080, 1680,  975, 300, true,  true,  W},
    {"Text4",      F, "",     1080, 2280,  975, 300, true,  true,  W},
    {"Text5",      F, "",     3240,  480,  975, 300, false, true,  W},
    {"Text6",      F, "",     3240, 1080,  975, 300, false, true,  W},
    {"Text7",      F, "2000", 3240, 1680,  975, 270, false, false, W},
    {"Text8",      F, "",     3240, 2880,  975, 270, true,  true,  W},
    {"Text9",      F, "",     1080, 3480,  975, 270, false, true,  W},
    {"Text10",     F, "",     1680, 4680, 2655, 270, true,  true,  W},
    {"Text11",     F, "",     1680, 5160, 2655, 270, true,  true,  W},
    {"Text12",     F, "",     1680, 5640, 2655, 270, false, true,  W},
    {"Text13",     F, "",     6000,  480,  975, 300, true,  true,  W},
    {"Text14",     F, "",     6000,  960,  975, 300, false, true,  W},
    {"Text15",     F, "",     6000, 2280,  975, 300, true,  true,  W},
    {"Text16",     F, "",     6000, 2760,  975, 300, false, true,  W},
    {"Text17",     F, "",     6000, 4080,  975, 300, true,  false, W},
    {"Text18",     F, "",     6000, 4560,  975, 300, false, true,  W},
    {"Text19",     F, "",     6000, 5880,  975, 300, true,  true,  W},
    {"Text20",     F, "",     6000, 6360,  975, 300, false, true,  W},

    {"Command1",   B, kCalculate, 2280, 3480, 2055,  315, true, false, S},
    {"Command2",   B, kCalculate, 2280, 2280, 2055,  315, true, false, S},
    {"Command3",   B, "这才是纳税的大户，看看人家交了多少，学习的榜样呀！！！！",
                                   120, 6120, 4215, 1035, true, false, Y},
    {"Command4",   B, kCalculate, 4800, 1440, 2055,  315, true, false, S},
    {"Command5",   B, kCalculate, 4800, 3240, 2055,  315, true, false, S},
    {"Command6",   B, kCalculate, 4800, 5040, 2055,  315, true, false, S},
    {"Command7",   B, kCalculate, 4800, 6840, 2055,  315, true, false, S},
    {"Command8",   B, "切换至新版纳税计算", 120, 7320, 2055, 615, true, false, W},

    {"Image1",     P, "",         2760, 7320, 3825,  900, true, false, W},
};

constexpr LineRow kLines[] = {
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

constexpr Described kDescriptions[] = {
    {"Text1",  "Label1_0",  "Label4"},  {"Text2",  "Label1_1",  "Label4"},
    {"Text3",  "Label1_4",  "Label4"},  {"Text4",  "Label1_3",  "Label4"},
    {"Text5",  "Label1_2",  "Label4"},  {"Text6",  "Label1_5",  "Label4"},
    {"Text7",  "Label1_6",  "Label4"},
    {"Text8",  "Label1_7",  "Label6"},  {"Text9",  "Label5",    "Label6"},
    {"Text10", "Label1_8",  "Label7"},  {"Text11", "Label8",    "Label7"},
    {"Text12", "Label9",    "Label7"},
    {"Text13", "Label11_0", "Label10"}, {"Text14", "Label11_2", "Label10"},
    {"Text15", "Label11_3", "Label12"}, {"Text16", "Label11_1", "Label12"},
    {"Text17", "Label11_4", "Label13"}, {"Text18", "Label11_5", "Label13"},
    {"Text19", "Label11_7", "Label14"}, {"Text20", "Label11_6", "Label14"},
    {"Command2", nullptr, "Label4"},    {"Command1", nullptr, "Label6"},
    {"Command3", nullptr, "Label7"},    {"Command4", nullptr, "Label10"},
    {"Command5", nullptr, "Label12"},   {"Command6", nullptr, "Label13"},
    {"Command7", nullptr, "Label14"},
};

constexpr const char* kForm1TabOrder[] = {
    "Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7", "Command2", "Command1",
    "Text8", "Text9", "Text10", "Text11", "Command3", "Text12", "Text13", "Text14", "Command4",
    "Command5", "Text15", "Text16", "Text17", "Text18", "Command6", "Text19", "Text20",
    "Command7", "Command8",
};

constexpr const char* kForm2TabOrder[] = {
    "Command7", "Text20", "Text19", "Command6", "Text18", "Text17", "Text16", "Text15",
    "Command5", "Command4", "Text14", "Text13", "Text12", "Command3", "Text11", "Text10",
    "Text9", "Text8", "Command1", "Command2", "Text7", "Text6", "Text5", "Text4", "Text3",
    "Text2", "Text1", "Command8",
};

constexpr EditionLayout kForm1 = {
    "Form1", "旧版Tovarin--Brellow出品", "2000", "切换至新版纳税计算", true, 4455, kForm1TabOrder};
constexpr EditionLayout kForm2 = {
    "Form2", "新版Tovarin--Brellow出品", "3500", "切换至旧版纳税计算", false, 4335, kForm2TabOrder};
// clang-format on

}  // namespace

std::span<const ControlRow> Controls() { return kControls; }
std::span<const LineRow> Lines() { return kLines; }
std::span<const Described> Descriptions() { return kDescriptions; }

const EditionLayout& LayoutOf(tax::Edition edition) {
    return edition == tax::Edition::OldRules ? kForm1 : kForm2;
}

}  // namespace app
