#pragma once
// A fresh current-rules window per test, shown, with its message boxes recorded instead of
// shown.

#include "app/current/current_form.hpp"
#include "app/current/page.hpp"
#include "calculator_fixture.hpp"

#include <QCheckBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>

#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

// Found by argument-dependent lookup: QString is in the global namespace.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace uitest {

inline QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// The pages by object name, in the window's order.
inline const char* const kCurrentPages[] = {"wagePage",      "bonusPage",
                                            "labourPage",    "authorRoyaltyPage",
                                            "businessPage",  "interestIncidentalPage",
                                            "settlementPage"};

// (control, value): a line edit takes the text, a check box "1" or "0", a spin box its number.
using Entries = std::vector<std::pair<const char*, const char*>>;

class CurrentWindowTest : public testing::Test {
protected:
    void SetUp() override {
        testsupport::RecordBoxes([this](const ui::Box& box) {
            boxes.push_back(box);
            if (watched) watchedWhileOpen.push_back(watched->text());
        });
        window.show();
    }
    void TearDown() override { testsupport::RecordBoxes({}); }

    app::current::Page& page(const char* name) {
        auto* found = window.findChild<app::current::Page*>(name);
        if (!found) throw std::logic_error(name);
        return *found;
    }

    template <typename Control = QLineEdit>
    Control& control(const char* pageName, const char* name) {
        auto* found = page(pageName).findChild<Control*>(name);
        if (!found) throw std::logic_error(std::string(pageName) + "/" + name);
        return *found;
    }

    QString text(const char* pageName, const char* name) { return control(pageName, name).text(); }

    void enter(const char* pageName, const Entries& entries) {
        for (const auto& [name, value] : entries) {
            QWidget* target = page(pageName).findChild<QWidget*>(name);
            if (auto* field = qobject_cast<QLineEdit*>(target)) {
                field->setText(U(value));
            } else if (auto* box = qobject_cast<QCheckBox*>(target)) {
                box->setChecked(std::string(value) == "1");
            } else if (auto* spin = qobject_cast<QSpinBox*>(target)) {
                spin->setValue(std::stoi(value));
            } else {
                throw std::logic_error(std::string("no control ") + name);
            }
        }
    }

    void calculate(const char* pageName) { page(pageName).calculateButton().click(); }

    // The text of every read-only field of the window, by page and name.
    std::map<std::string, std::string> outputs() {
        std::map<std::string, std::string> texts;
        for (const char* name : kCurrentPages) {
            for (QLineEdit* field : page(name).findChildren<QLineEdit*>()) {
                if (!field->isReadOnly()) continue;
                texts[std::string(name) + "/" + field->objectName().toStdString()] =
                    field->text().toStdString();
            }
        }
        return texts;
    }

    app::current::CurrentForm window;
    std::vector<ui::Box> boxes;
    QLineEdit* watched = nullptr;  // its text is noted while each box is open
    std::vector<QString> watchedWhileOpen;
};

}  // namespace uitest
