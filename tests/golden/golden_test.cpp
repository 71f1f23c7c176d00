// Both windows as they are at start and after every section has written its
// output, and every kind of box, compared pixel by pixel with the references.

#include "calculator_fixture.hpp"
#include "reference_image.hpp"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <utility>
#include <vector>

namespace golden {
namespace {

using tax::Edition;
using uitest::CalculatorTest;
using uitest::FieldNamed;
using Typed = std::vector<std::pair<const char*, const char*>>;

// Typed into every section, then each section's button pressed once: every
// output field holds a result, the long ones among them.
// clang-format off
const Typed kOldRulesInputs = {
    {"Text1", "35333.33"}, {"Text2", "0"}, {"Text8", "3000"}, {"Text10", "30000"},
    {"Text11", "10000"}, {"Text13", "4001"}, {"Text15", "4001"}, {"Text17", "61728390"},
    {"Text19", "10000"},
};
// clang-format on
// clang-format off
const Typed kNewRulesInputs = {
    {"Text1", "33500.3"}, {"Text8", "19753086420"}, {"Text10", "150000"}, {"Text13", "1000"},
    {"Text15", "5000"}, {"Text17", "123.45"}, {"Text19", "-5"},
};
// clang-format on

class Golden : public CalculatorTest {
protected:
    QImage Render(QWidget& widget) { return widget.grab().toImage(); }

    void pressEverySection(app::Form& w, const Typed& typed) {
        for (const auto& [field, text] : typed)
            FieldNamed(w, field).setText(QString::fromUtf8(text));
        for (const char* name :
             {"Command1", "Command2", "Command3", "Command4", "Command5", "Command6", "Command7"}) {
            button(w, name).click();
        }
    }
};

TEST_F(Golden, WindowsAtStart) {
    EXPECT_TRUE(MatchesReference(Render(form1()), "form1-start"));
    EXPECT_TRUE(MatchesReference(Render(form(Edition::NewRules)), "form2-start"));
}

TEST_F(Golden, WindowsWithEveryResultWritten) {
    pressEverySection(form1(), kOldRulesInputs);
    EXPECT_TRUE(MatchesReference(Render(form1()), "form1-results"));
    app::Form& form2 = form(Edition::NewRules);
    pressEverySection(form2, kNewRulesInputs);
    EXPECT_TRUE(MatchesReference(Render(form2), "form2-results"));
}

// Renders each real box as it opens, then presses its OK button. A box that
// stays open for 10 s is closed and fails the test.
class BoxCamera {
public:
    BoxCamera() {
        QObject::connect(&poll_, &QTimer::timeout, [this] { look(); });
        poll_.start(10);
    }
    std::vector<QImage> shots;

private:
    void look() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || box == last_) return;
        last_ = box;
        shots.push_back(box->grab().toImage());
        box->button(QMessageBox::Ok)->click();
    }

    QTimer poll_;
    QPointer<QMessageBox> last_;
};

struct BoxScene {
    const char* what;
    Edition edition;
    Typed typed;
    const char* button;
    std::vector<const char*> references;  // one per box, in the order they open
};

// clang-format off
const BoxScene kBoxes[] = {
    {"result", Edition::OldRules, {{"Text8", "3000"}}, "Command1", {"box-result"}},
    {"wage", Edition::OldRules, {{"Text1", "35333.33"}}, "Command2", {"box-wage-tax", "box-wage-net"}},
    {"exemption", Edition::NewRules, {{"Text19", "500"}}, "Command7",
     {"box-exemption", "box-result-zero"}},
    {"empty wage", Edition::OldRules, {{"Text1", ""}}, "Command2", {"box-empty-wage"}},
    {"arithmetic error", Edition::NewRules, {{"Text8", "1e40"}}, "Command1", {"box-arithmetic-error"}},
};
// clang-format on

TEST_F(Golden, EveryKindOfBox) {
    testsupport::RecordBoxes({});  // the real boxes; the exit of the empty wage stays recorded
    for (const BoxScene& scene : kBoxes) {
        SCOPED_TRACE(scene.what);
        app::Form& w = form(scene.edition);
        for (const auto& [field, text] : scene.typed)
            FieldNamed(w, field).setText(QString::fromUtf8(text));
        BoxCamera camera;
        button(w, scene.button).click();
        ASSERT_EQ(camera.shots.size(), scene.references.size());
        for (std::size_t i = 0; i < camera.shots.size(); ++i) {
            EXPECT_TRUE(MatchesReference(camera.shots[i], scene.references[i]));
        }
    }
}

}  // namespace
}  // namespace golden
