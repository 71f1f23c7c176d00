// Every section button in both windows: what it reads, which boxes it shows
// in which order, what it writes, and what an out-of-range amount leaves.

#include "calculator_fixture.hpp"

#include <utility>

namespace uitest {
namespace {

using tax::Edition;
using Texts = std::vector<std::pair<const char*, const char*>>;

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

ui::Box Result(const char* tax) {
    return {U("您应缴纳缴个人所得税 ") + U(tax) + U(" 元。"), U("结果！"),
            ui::BoxIcon::Information};
}
ui::Box WageTax(const char* tax) {
    return {U("您应缴纳缴个人所得税 ") + U(tax) + U(" 元。"), U("纳税结果！"),
            ui::BoxIcon::Information};
}
ui::Box WageNet(const char* net) {
    return {U("您本月所得个人收入为 ") + U(net) + U(" 元。"), U("收入结果！"),
            ui::BoxIcon::Information};
}
const ui::Box kExempt = {U("友情提示，低于10000，无需纳税！"), QString(), ui::BoxIcon::None};
const ui::Box kOutOfRange = {U("输入的金额超出了可以计算的范围，本次计算未作任何更改。"),
                             U("计算错误"), ui::BoxIcon::Exclamation};
const ui::Box kEmptyWage = {U("您输入的总额收入为空气，经本专家分析，认定您的智商高达0，"
                              "如此简单的工作不适合您来操作，请退出！"),
                            U("玩人呢还是智商不达标呢！！！！！！！"), ui::BoxIcon::Exclamation};

struct Press {
    const char* what;
    std::vector<Edition> editions;
    Texts typed;
    const char* button;
    std::vector<ui::Box> boxes;
    Texts written;  // output fields afterwards, each disabled
};

const std::vector<Edition> kBoth = {Edition::OldRules, Edition::NewRules};
const std::vector<Edition> kOld = {Edition::OldRules};
const std::vector<Edition> kNew = {Edition::NewRules};

// clang-format off
const Press kPresses[] = {
    {"labour empty", kBoth, {}, "Command1", {Result("0")}, {{"Text9", "0"}}},
    {"labour 800.5", kBoth, {{"Text8", "800.5"}}, "Command1", {Result("0.1")}, {{"Text9", "0.1"}}},
    {"labour 100000", kBoth, {{"Text8", "100000"}}, "Command1", {Result("25000")}, {{"Text9", "25000"}}},
    {"labour -100", kBoth, {{"Text8", "-100"}}, "Command1", {Result("0")}, {{"Text9", "0"}}},
    {"labour 2 500", kBoth, {{"Text8", "2 500"}}, "Command1", {Result("340")}, {{"Text9", "340"}}},

    {"wage old 2500", kOld, {{"Text1", "2500"}}, "Command2", {WageTax("25"), WageNet("2475")},
     {{"Text5", "500"}, {"Text6", "25"}}},
    {"wage old 35333.33", kOld, {{"Text1", "35333.33"}}, "Command2",
     {WageTax("6958.3325"), WageNet("28375")}, {{"Text5", "33333.33"}, {"Text6", "6958.3325"}}},
    {"wage old 1500", kOld, {{"Text1", "1500"}}, "Command2", {WageTax("0"), WageNet("1500")},
     {{"Text5", "0"}, {"Text6", "0"}}},
    {"wage old contributions", kOld,
     {{"Text1", "8000"}, {"Text2", "500"}, {"Text3", "200"}, {"Text4", "300"}}, "Command2",
     {WageTax("625"), WageNet("6375")}, {{"Text5", "5000"}, {"Text6", "625"}}},
    {"wage new 33500.3", kNew, {{"Text1", "33500.3"}}, "Command2",
     {WageTax("6495.075"), WageNet("27005.22")}, {{"Text5", "30000.3"}, {"Text6", "6495.075"}}},
    {"wage new contributions", kNew,
     {{"Text1", "8000"}, {"Text2", "500"}, {"Text3", "200"}, {"Text4", "300"}}, "Command2",
     {WageTax("245"), WageNet("6755")}, {{"Text5", "3500"}, {"Text6", "245"}}},
    {"wage one space", kBoth, {{"Text1", " "}}, "Command2", {WageTax("0"), WageNet("0")},
     {{"Text5", "0"}, {"Text6", "0"}}},
    {"wage net below zero", kBoth, {{"Text1", "1000"}, {"Text2", "1500"}}, "Command2",
     {WageTax("0"), WageNet("-500")}, {{"Text5", "0"}, {"Text6", "0"}}},

    {"business old", kOld, {{"Text10", "30000"}, {"Text11", "10000"}}, "Command3", {Result("2750")},
     {{"Text12", "2750"}}},
    {"business new", kNew, {{"Text10", "30000"}, {"Text11", "10000"}}, "Command3", {Result("1250")},
     {{"Text12", "1250"}}},
    {"business costs above income", kBoth, {{"Text11", "500"}}, "Command3", {Result("0")},
     {{"Text12", "0"}}},

    {"author 4000.5", kBoth, {{"Text13", "4000.5"}}, "Command4", {Result("448.056")},
     {{"Text14", "448.056"}}},
    {"royalty 4000.5", kBoth, {{"Text15", "4000.5"}}, "Command5", {Result("640.08")},
     {{"Text16", "640.08"}}},
    {"interest 0.01", kBoth, {{"Text17", "0.01"}}, "Command6", {Result("0.002")}, {{"Text18", "0.002"}}},
    {"interest letters", kBoth, {{"Text17", "abc"}}, "Command6", {Result("0")}, {{"Text18", "0"}}},
    {"interest exponent form", kBoth, {{"Text17", "61728390"}}, "Command6", {Result("1.234568E+07")},
     {{"Text18", "1.234568E+07"}}},
    {"incidental 10000", kBoth, {{"Text19", "10000"}}, "Command7", {kExempt, Result("0")},
     {{"Text20", "0"}}},
    {"incidental empty", kBoth, {}, "Command7", {kExempt, Result("0")}, {{"Text20", "0"}}},
    {"incidental 10000.5", kBoth, {{"Text19", "10000.5"}}, "Command7", {Result("2000.1")},
     {{"Text20", "2000.1"}}},
    {"incidental -5", kBoth, {{"Text19", "-5"}}, "Command7", {Result("0")}, {{"Text20", "0"}}},
};
// clang-format on

void Type(app::Form& form, const Texts& texts) {
    for (const auto& [field, text] : texts) FieldNamed(form, field).setText(U(text));
}

TEST_F(CalculatorTest, EverySectionShowsItsBoxesThenWritesAndDisables) {
    for (const Press& p : kPresses) {
        for (const Edition edition : p.editions) {
            SCOPED_TRACE(std::string(p.what) + " in " + EditionName(edition));
            app::Form& w = form(edition);
            Type(w, p.typed);
            boxes.clear();
            button(w, p.button).click();
            EXPECT_EQ(shownBoxes(), p.boxes);
            for (const auto& [field, text] : p.written) {
                EXPECT_EQ(FieldNamed(w, field).text(), U(text)) << field;
                EXPECT_FALSE(FieldNamed(w, field).isEnabled()) << field;
            }
            Type(w, {{"Text1", "1"},
                     {"Text2", ""},
                     {"Text3", ""},
                     {"Text4", ""},
                     {"Text8", ""},
                     {"Text10", ""},
                     {"Text11", ""},
                     {"Text13", ""},
                     {"Text15", ""},
                     {"Text17", ""},
                     {"Text19", ""}});
        }
    }
}

// Sections 2 to 7 announce first and write afterwards; the wage section writes
// both of its fields before its first box.
TEST_F(CalculatorTest, OutputFieldsChangeOnlyAfterTheBoxForSectionsTwoToSeven) {
    app::Form& w = form1();
    w.field(app::Control::Text19).setText("20000");
    button(w, "Command7").click();
    w.field(app::Control::Text19).setText("30000");
    watch(w, "Text20");
    boxes.clear();
    button(w, "Command7").click();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].watched, "4000");
    EXPECT_EQ(w.field(app::Control::Text20).text(), "6000");

    w.field(app::Control::Text1).setText("4000");
    watch(w, "Text6");
    boxes.clear();
    button(w, "Command2").click();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].watched, "175");
    EXPECT_FALSE(boxes[0].watchedEnabled);
    EXPECT_EQ(w.field(app::Control::Text5).text(), "2000");
}

struct Overflow {
    const char* what;
    Texts typed;
    const char* button;
    std::vector<const char*> untouched;
};

// clang-format off
const Overflow kOverflows[] = {
    {"labour tax beyond single", {{"Text8", "1e40"}}, "Command1", {"Text9"}},
    {"labour amount beyond double", {{"Text8", "1e400"}}, "Command1", {"Text9"}},
    {"wage net beyond single", {{"Text1", "1e39"}}, "Command2", {"Text5", "Text6"}},
    {"wage difference beyond double", {{"Text1", "1e308"}, {"Text2", "-1e308"}}, "Command2",
     {"Text5", "Text6"}},
    {"business difference beyond double", {{"Text10", "1e308"}, {"Text11", "-1e308"}}, "Command3",
     {"Text12"}},
    {"business negative beyond single", {{"Text11", "1e40"}}, "Command3", {"Text12"}},
    {"author beyond single", {{"Text13", "1e40"}}, "Command4", {"Text14"}},
    {"royalty negative beyond single", {{"Text15", "-1e40"}}, "Command5", {"Text16"}},
    {"interest beyond single", {{"Text17", "1e40"}}, "Command6", {"Text18"}},
    {"incidental negative beyond single", {{"Text19", "-1e40"}}, "Command7", {"Text20"}},
};
// clang-format on

TEST_F(CalculatorTest, AnAmountOutOfRangeWarnsAndChangesNothing) {
    for (const Edition edition : kBoth) {
        app::Form& w = form(edition);
        for (const Overflow& o : kOverflows) {
            SCOPED_TRACE(std::string(o.what) + " in " + EditionName(edition));
            for (const char* field : o.untouched) FieldNamed(w, field).write("before");
            Type(w, o.typed);
            boxes.clear();
            button(w, o.button).click();
            EXPECT_EQ(shownBoxes(), std::vector<ui::Box>{kOutOfRange});
            for (const char* field : o.untouched)
                EXPECT_EQ(FieldNamed(w, field).text(), "before") << field;
            Type(w, o.typed.size() == 1 ? Texts{{o.typed[0].first, ""}}
                                        : Texts{{o.typed[0].first, ""}, {o.typed[1].first, ""}});
        }
        Type(w, {{"Text1", "2500"}});
        boxes.clear();
        button(w, "Command2").click();  // the window goes on working
        EXPECT_EQ(boxes.size(), 2u);
    }
}

TEST_F(CalculatorTest, AnEmptyGrossWageScoldsThenEndsTheProgram) {
    for (const Edition edition : kBoth) {
        app::Form& w = form(edition);
        w.field(app::Control::Text1).setText("4000");
        button(w, "Command2").click();
        const QString taxable = w.field(app::Control::Text5).text();
        const QString tax = w.field(app::Control::Text6).text();
        w.field(app::Control::Text1).setText("");
        w.field(app::Control::Text2).setText("100");
        boxes.clear();
        exits = 0;
        button(w, "Command2").click();
        EXPECT_EQ(shownBoxes(), std::vector<ui::Box>{kEmptyWage});
        EXPECT_EQ(exits, 1);
        EXPECT_EQ(w.field(app::Control::Text5).text(), taxable);
        EXPECT_EQ(w.field(app::Control::Text6).text(), tax);
    }
}

}  // namespace
}  // namespace uitest
