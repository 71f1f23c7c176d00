// Real message boxes end to end, and the real process exit.

#include "calculator_fixture.hpp"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include <cstdlib>
#include <deque>

namespace uitest {
namespace {

struct Expected {
    QString title;
    QString text;
    QMessageBox::Icon icon;
    QString fieldWhileOpen;  // what the output field shows meanwhile
};

// Answers the boxes that open while it lives, checking each against the next
// expected one. A box beyond them, or none within 10 s, fails the test and
// is dismissed so that nothing hangs.
class BoxAnswerer {
public:
    BoxAnswerer(std::deque<Expected> expected, const QLineEdit& field)
        : expected_(std::move(expected)), field_(field) {
        QObject::connect(&poll_, &QTimer::timeout, [this] { answer(); });
        poll_.start(20);
        deadline_.start(10000);
        deadline_.setSingleShot(true);
    }
    ~BoxAnswerer() { EXPECT_TRUE(expected_.empty()) << expected_.size() << " boxes never opened"; }

private:
    void answer() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            if (!deadline_.isActive() && !expected_.empty()) {
                ADD_FAILURE() << "no box within 10 s";
                expected_.clear();
            }
            return;
        }
        if (expected_.empty()) {
            ADD_FAILURE() << "unexpected box: " << box->text().toStdString();
        } else {
            const Expected e = expected_.front();
            expected_.pop_front();
            EXPECT_EQ(box->windowTitle(), e.title);
            EXPECT_EQ(box->text(), e.text);
            EXPECT_EQ(box->icon(), e.icon);
            EXPECT_EQ(box->buttons().size(), 1);
            EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
            EXPECT_EQ(box->windowModality(), Qt::ApplicationModal);
            EXPECT_EQ(field_.text(), e.fieldWhileOpen);
        }
        box->button(QMessageBox::Ok)->click();
    }

    std::deque<Expected> expected_;
    const QLineEdit& field_;
    QTimer poll_;
    QTimer deadline_;
};

class RealBoxes : public CalculatorTest {
protected:
    void SetUp() override {
        CalculatorTest::SetUp();
        testsupport::RecordBoxes({});
    }
};

TEST_F(RealBoxes, ResultBoxIsShownAnsweredAndOnlyThenWritten) {
    app::Form& w = form1();
    w.field(app::Control::Text8).setText("3000");
    {
        BoxAnswerer answerer(
            {{QString::fromUtf8("结果！"), QString::fromUtf8("您应缴纳缴个人所得税 440 元。"),
              QMessageBox::Information, ""}},
            w.field(app::Control::Text9));
        button(w, "Command1").click();
    }
    EXPECT_EQ(w.field(app::Control::Text9).text(), "440");
}

TEST_F(RealBoxes, ExemptionNoticeBearsTheApplicationTitleAndNoIcon) {
    app::Form& w = form(tax::Edition::NewRules);
    w.field(app::Control::Text19).setText("500");
    {
        BoxAnswerer answerer(
            {{"TovarinVersion 1.0", QString::fromUtf8("友情提示，低于10000，无需纳税！"),
              QMessageBox::NoIcon, ""},
             {QString::fromUtf8("结果！"), QString::fromUtf8("您应缴纳缴个人所得税 0 元。"),
              QMessageBox::Information, ""}},
            w.field(app::Control::Text20));
        button(w, "Command7").click();
    }
    EXPECT_EQ(w.field(app::Control::Text20).text(), "0");
}

// Where the box of `button` opens, its client area on the screen.
QRect BoxPlace(QPushButton& button) {
    QRect place;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&place] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            place = box->geometry();
            box->button(QMessageBox::Ok)->click();
        }
    });
    poll.start(20);
    button.click();
    return place;
}

// In the middle of its window, and on the screen when the window is partly off it.
TEST_F(RealBoxes, OpensInTheMiddleOfItsWindowAndOnTheScreen) {
    struct Case {
        tax::Edition edition;
        QPoint offset;  // of the window's middle from the screen's
        bool inMiddle;
    };
    // Form1 first: the fixture leaves it hidden once Form2 exists.
    for (const Case c : {Case{tax::Edition::OldRules, {0, 0}, true},
                         Case{tax::Edition::OldRules, {-700, -600}, false},
                         Case{tax::Edition::OldRules, {900, 800}, false},
                         Case{tax::Edition::NewRules, {-15, 10}, true}}) {
        app::Form& w = form(c.edition);
        const QRect screen = w.screen()->availableGeometry();
        w.move(screen.center() + c.offset - QPoint(w.width() / 2, w.height() / 2));
        SCOPED_TRACE(testing::Message() << EditionName(c.edition) << " off the middle by "
                                        << c.offset.x() << "," << c.offset.y());
        const QRect box = BoxPlace(button(w, "Command1"));
        ASSERT_TRUE(box.isValid());
        EXPECT_TRUE(screen.contains(box)) << box.x() << "," << box.y();
        if (!c.inMiddle) continue;
        // Middles compared doubled, to whole pixels: scaled coordinates may round.
        const QRect window = w.geometry();
        EXPECT_LE(std::abs(2 * box.x() + box.width() - 2 * window.x() - window.width()), 2);
        EXPECT_LE(std::abs(2 * box.y() + box.height() - 2 * window.y() - window.height()), 2);
    }
}

TEST(ProcessExit, EndsAtOnceWithSuccess) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(ui::EndProcess(), testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace uitest
