#pragma once
// A fresh pair of edition windows per test, with message boxes and process
// exit recorded instead of shown or carried out.

#include "app/editions.hpp"
#include "recorded_effects.hpp"
#include "ui/message_box.hpp"

#include <QPushButton>
#include <QString>
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <stdexcept>
#include <vector>

// Found by argument-dependent lookup, so in the namespaces of the types.
namespace tax {
inline void PrintTo(Edition edition, std::ostream* os) {
    *os << (edition == Edition::OldRules ? "Form1 (old rules)" : "Form2 (new rules)");
}
}  // namespace tax

namespace ui {
inline bool operator==(const ui::Box& a, const ui::Box& b) {
    return a.prompt == b.prompt && a.title == b.title && a.icon == b.icon;
}

inline void PrintTo(const ui::Box& box, std::ostream* os) {
    *os << '[' << box.title.toStdString() << "] " << box.prompt.toStdString() << " icon "
        << static_cast<int>(box.icon);
}
}  // namespace ui

namespace uitest {

struct SeenBox {
    ui::Box box;
    QString watched;  // text of the watched field while the box was open
    bool watchedEnabled = false;
};

// A field by its object name, for tests whose cases name their fields.
inline ui::Field& FieldNamed(app::Form& form, const char* name) {
    auto* found = form.findChild<ui::Field*>(name, Qt::FindDirectChildrenOnly);
    if (!found) throw std::logic_error(name);
    return *found;
}

class CalculatorTest : public testing::Test {
protected:
    void SetUp() override {
        testsupport::RecordBoxes([this](const ui::Box& box) { record(box); });
        testsupport::RecordExits([this] { ++exits; });
        editions.start();
    }
    void TearDown() override {
        testsupport::RecordBoxes({});
        testsupport::RecordExits({});
    }

    app::Form& form(tax::Edition edition) {
        if (!editions.window(edition))
            editions.switchEdition(*editions.window(tax::Edition::OldRules));
        return *editions.window(edition);
    }
    app::Form& form1() { return *editions.window(tax::Edition::OldRules); }

    static QPushButton& button(app::Form& form, const char* name) {
        auto* found = form.findChild<QPushButton*>(name);
        if (!found) throw std::logic_error(name);
        return *found;
    }

    // While each box is open, the text and state of this field are noted.
    void watch(app::Form& form, const char* name) { watched = &FieldNamed(form, name); }

    std::vector<ui::Box> shownBoxes() const {
        std::vector<ui::Box> result;
        for (const SeenBox& seen : boxes) result.push_back(seen.box);
        return result;
    }

    app::Editions editions;
    std::vector<SeenBox> boxes;
    int exits = 0;
    QLineEdit* watched = nullptr;

private:
    void record(const ui::Box& box) {
        boxes.push_back(
            {box, watched ? watched->text() : QString(), watched && watched->isEnabled()});
    }
};

inline const char* EditionName(tax::Edition edition) {
    return edition == tax::Edition::OldRules ? "Form1" : "Form2";
}

}  // namespace uitest
