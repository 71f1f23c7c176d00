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

struct KeyPress {
    Edition edition;
    Qt::Key key;
    const char* button;
};

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
    w.field("Text1").setText("5000");  // the wage button with an empty wage would end the run
    QPushButton& b = button(w, p.button);
    b.setFocus();
    QTest::keyClick(&b, p.key);
    EXPECT_FALSE(boxes.empty()) << p.button;
    EXPECT_EQ(exits, 0);
}

INSTANTIATE_TEST_SUITE_P(Sections, KeysPressTheFocusedButton, testing::ValuesIn(AllButtonsAndKeys()),
                         [](const testing::TestParamInfo<KeyPress>& info) {
                             const char* key = info.param.key == Qt::Key_Space    ? "Space"
                                               : info.param.key == Qt::Key_Return ? "Return"
                                                                                  : "Enter";
                             return std::string(EditionName(info.param.edition)) + "_" + key +
                                    "_" + info.param.button;
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
        QObject::connect(&poll_, &QTimer::timeout, [this] { Answer(); });
        poll_.start(20);
    }
    int answered() const { return answered_; }

private:
    void Answer() {
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

class RealBoxKeys : public CalculatorTest, public testing::WithParamInterface<Qt::Key> {
protected:
    void SetUp() override {
        CalculatorTest::SetUp();
        ui::SetBoxHook({});
        form1().activateWindow();
        QApplication::setActiveWindow(&form1());
    }
};

TEST_P(RealBoxKeys, DismissEveryBoxAndGiveTheFocusBackToTheButton) {
    struct Press {
        const char* input;
        const char* text;
        const char* button;
        int boxes;
    };
    for (const Press p : {Press{"Text8", "3000", "Command1", 1}, Press{"Text1", "5000", "Command2", 2},
                          Press{"Text19", "500", "Command7", 2}}) {
        form1().field(p.input).setText(p.text);
        QPushButton& b = button(form1(), p.button);
        b.setFocus();
        KeyAnswerer answerer(GetParam());
        QTest::keyClick(&b, Qt::Key_Return);
        EXPECT_EQ(answerer.answered(), p.boxes) << p.button;
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        QTest::qWait(50);  // activation comes back through the window system
        EXPECT_EQ(QApplication::activeWindow(), &form1()) << p.button;
        EXPECT_EQ(QApplication::focusWidget(), &b) << p.button;
    }
}

INSTANTIATE_TEST_SUITE_P(Keys, RealBoxKeys, testing::Values(Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape),
                         [](const testing::TestParamInfo<Qt::Key>& info) {
                             return info.param == Qt::Key_Escape  ? std::string("Escape")
                                    : info.param == Qt::Key_Enter ? std::string("Enter")
                                                                  : std::string("Return");
                         });

}  // namespace
}  // namespace uitest
