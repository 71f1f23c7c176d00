// The calculator without a mouse: keys press the focused button, keys
// dismiss the boxes, and the focus comes back to the button afterwards.

#include "calculator_fixture.hpp"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace uitest {
namespace {

using tax::Edition;

const char* KeyName(Qt::Key key) {
    switch (key) {
    case Qt::Key_Space: return "Space";
    case Qt::Key_Return: return "Return";
    case Qt::Key_Enter: return "Enter";
    case Qt::Key_Escape: return "Escape";
    default: return "other";
    }
}

struct KeyPress {
    Edition edition;
    Qt::Key key;
    const char* button;
    friend void PrintTo(const KeyPress& p, std::ostream* os) {
        *os << EditionName(p.edition) << ' ' << KeyName(p.key) << ' ' << p.button;
    }
};

// The titles of the boxes each button opens with the gross wage filled in
// and every other field empty; the exemption notice has none of its own.
QStringList TitlesOf(const char* button) {
    const std::string name = button;
    if (name == "Command2")
        return {QString::fromUtf8("纳税结果！"), QString::fromUtf8("收入结果！")};
    if (name == "Command7") return {QString(), QString::fromUtf8("结果！")};
    return {QString::fromUtf8("结果！")};
}

std::vector<KeyPress> AllButtonsAndKeys() {
    std::vector<KeyPress> cases;
    for (Edition e : {Edition::OldRules, Edition::NewRules}) {
        for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) {
            for (const char* b : {"Command1", "Command2", "Command3", "Command4", "Command5",
                                  "Command6", "Command7"}) {
                cases.push_back({e, key, b});
            }
        }
    }
    return cases;
}

class KeysPressTheFocusedButton : public CalculatorTest,
                                  public testing::WithParamInterface<KeyPress> {};

TEST_P(KeysPressTheFocusedButton, AndItsBoxesOpen) {
    const KeyPress& p = GetParam();
    app::Form& w = form(p.edition);
    w.field(app::Control::Text1)
        .setText("5000");  // the wage button with an empty wage would end the run
    QPushButton& b = button(w, p.button);
    b.setFocus();
    QTest::keyClick(&b, p.key);
    QStringList titles;
    for (const ui::Box& box : shownBoxes()) titles << box.title;
    EXPECT_EQ(titles, TitlesOf(p.button)) << p.button;
    EXPECT_EQ(exits, 0);
}

INSTANTIATE_TEST_SUITE_P(Sections, KeysPressTheFocusedButton,
                         testing::ValuesIn(AllButtonsAndKeys()),
                         [](const testing::TestParamInfo<KeyPress>& info) {
                             return std::string(EditionName(info.param.edition)) + "_" +
                                    KeyName(info.param.key) + "_" + info.param.button;
                         });

TEST_F(CalculatorTest, EnterOnTheSwitchButtonSwitchesEditions) {
    QPushButton& b = button(form1(), "Command8");
    b.setFocus();
    QTest::keyClick(&b, Qt::Key_Return);
    ASSERT_NE(editions.window(Edition::NewRules), nullptr);
    EXPECT_TRUE(editions.window(Edition::NewRules)->isVisible());
    EXPECT_FALSE(form1().isVisible());
}

TEST_F(CalculatorTest, EnterWithAModifierDoesNotPress) {
    QPushButton& b = button(form1(), "Command1");
    b.setFocus();
    QTest::keyClick(&b, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_TRUE(boxes.empty());
}

// Sends `key` to each real box that opens, counting them; a box that the key
// does not close is closed by its button after a while and fails the test.
class KeyAnswerer {
public:
    explicit KeyAnswerer(Qt::Key key) : key_(key) {
        QObject::connect(&poll_, &QTimer::timeout, [this] { answer(); });
        poll_.start(20);
    }
    int answered() const { return answered_; }

private:
    void answer() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        if (box == last_ && ++stuck_ > 25) {
            stuck_ = 0;
            ADD_FAILURE() << "the key did not close: " << box->text().toStdString();
            box->button(QMessageBox::Ok)->click();
            return;
        }
        if (box != last_) {
            ++answered_;
            stuck_ = 0;
        }
        last_ = box;
        QTest::keyClick(box, key_);
    }

    Qt::Key key_;
    QTimer poll_;
    QPointer<QMessageBox> last_;  // cleared when that box is gone
    int stuck_ = 0;
    int answered_ = 0;
};

struct BoxKey {
    Edition edition;
    Qt::Key key;
    friend void PrintTo(const BoxKey& k, std::ostream* os) {
        *os << EditionName(k.edition) << ' ' << KeyName(k.key);
    }
};

class RealBoxKeys : public CalculatorTest, public testing::WithParamInterface<BoxKey> {
protected:
    void SetUp() override {
        CalculatorTest::SetUp();
        testsupport::RecordBoxes({});
        app::Form& w = window();
        w.activateWindow();
        QApplication::setActiveWindow(&w);
    }
    app::Form& window() { return form(GetParam().edition); }
};

TEST_P(RealBoxKeys, DismissEveryBoxAndGiveTheFocusBackToTheButton) {
    struct Press {
        const char* input;
        const char* text;
        const char* button;
        int boxes;
    };
    app::Form& w = window();
    for (const Press p :
         {Press{"Text8", "3000", "Command1", 1}, Press{"Text1", "5000", "Command2", 2},
          Press{"Text19", "500", "Command7", 2}}) {
        FieldNamed(w, p.input).setText(p.text);
        QPushButton& b = button(w, p.button);
        b.setFocus();
        KeyAnswerer answerer(GetParam().key);
        QTest::keyClick(&b, Qt::Key_Return);
        EXPECT_EQ(answerer.answered(), p.boxes) << p.button;
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        QTest::qWait(50);  // activation comes back through the window system
        EXPECT_EQ(QApplication::activeWindow(), &w) << p.button;
        EXPECT_EQ(QApplication::focusWidget(), &b) << p.button;
    }
}

std::vector<BoxKey> BothWindowsAndBoxKeys() {
    std::vector<BoxKey> cases;
    for (Edition e : {Edition::OldRules, Edition::NewRules}) {
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
            cases.push_back({e, key});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Keys, RealBoxKeys, testing::ValuesIn(BothWindowsAndBoxKeys()),
                         [](const testing::TestParamInfo<BoxKey>& info) {
                             return std::string(EditionName(info.param.edition)) + "_" +
                                    KeyName(info.param.key);
                         });

}  // namespace
}  // namespace uitest
