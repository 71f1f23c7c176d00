// Start-up, switching between the editions and closing a window.

#include "calculator_fixture.hpp"

#include <QApplication>
#include <QTest>
#include <QTimer>

namespace uitest {
namespace {

using tax::Edition;

TEST_F(CalculatorTest, StartsWithOnlyTheOldRulesWindowAndFocusOnTheGrossWage) {
    EXPECT_TRUE(form1().isVisible());
    EXPECT_EQ(editions.window(Edition::NewRules), nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form1()));
    EXPECT_EQ(QApplication::focusWidget(), &form1().field(app::Control::Text1));
}

TEST_F(CalculatorTest, FirstSwitchCreatesTheNewRulesWindowInPlaceAndHidesTheOld) {
    form1().move(40, 30);
    button(form1(), "Command8").click();
    app::Form* form2 = editions.window(Edition::NewRules);
    ASSERT_NE(form2, nullptr);
    EXPECT_TRUE(form2->isVisible());
    EXPECT_FALSE(form1().isVisible());
    EXPECT_EQ(form2->pos(), form1().pos());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form2));
    EXPECT_EQ(QApplication::focusWidget(), &button(*form2, "Command7"));
}

TEST_F(CalculatorTest, EachWindowKeepsItsOwnValuesAcrossSwitches) {
    QTest::keyClicks(&form1().field(app::Control::Text8), "5000");
    button(form1(), "Command1").click();
    for (int i = 0; i < 5; ++i) {
        app::Form& visible = form1().isVisible() ? form1() : form(Edition::NewRules);
        button(visible, "Command8").click();
    }
    app::Form& form2 = form(Edition::NewRules);
    EXPECT_TRUE(form2.isVisible());
    EXPECT_EQ(form2.field(app::Control::Text8).text(), "");
    EXPECT_EQ(form2.field(app::Control::Text9).text(), "");
    button(form2, "Command8").click();
    EXPECT_EQ(form1().field(app::Control::Text8).text(), "5000");
    EXPECT_EQ(form1().field(app::Control::Text9).text(), "800");
    EXPECT_FALSE(form1().field(app::Control::Text9).isEnabled());

    int windows = 0;
    for (const QWidget* w : QApplication::topLevelWidgets())
        windows += w->objectName().startsWith("Form");
    EXPECT_EQ(windows, 2);
}

// Closing whichever window is visible ends the event loop, even with the
// other edition's window alive but hidden.
TEST_F(CalculatorTest, ClosingTheVisibleWindowEndsTheProgram) {
    form1().hide();
    for (const bool switchFirst : {false, true}) {
        app::Editions run;
        run.start();
        app::Form* old = run.window(Edition::OldRules);
        if (switchFirst) run.switchEdition(*old);
        QWidget* visible = switchFirst ? run.window(Edition::NewRules) : old;
        QTimer::singleShot(0, visible, [visible] { visible->close(); });
        QTimer watchdog;  // an event loop still running after 5 s fails the test
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [] { QApplication::exit(1); });
        watchdog.start(5000);
        EXPECT_EQ(QApplication::exec(), 0) << "switched first: " << switchFirst;
        EXPECT_FALSE(old->isVisible());
    }
}

}  // namespace
}  // namespace uitest
