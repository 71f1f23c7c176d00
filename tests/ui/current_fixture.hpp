#pragma once
// A fresh current-rules window per test, for the tax year 2026 whatever the date, shown, with its
// message boxes recorded instead of shown. Its pages and controls are reached by their ids.

#include "app/current/current_form.hpp"
#include "app/current/page.hpp"
#include "calculator_fixture.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>

#include <cctype>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

// Found by argument-dependent lookup: QString is in the global namespace.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace app::current {
inline void PrintTo(Control id, std::ostream* os) {
    *os << RowOf(PageOf(id)).name << '/' << RowOf(id).name;
}
inline void PrintTo(PageId id, std::ostream* os) { *os << RowOf(id).name; }
}  // namespace app::current

namespace uitest {

using app::current::Control;
using app::current::PageId;

inline QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// The pages in the window's order.
inline constexpr PageId kCurrentPages[] = {PageId::Wage,       PageId::Bonus,
                                           PageId::Labour,     PageId::AuthorRoyalty,
                                           PageId::Business,   PageId::InterestIncidental,
                                           PageId::Settlement, PageId::BonusPlan};

// Every control id, in order.
inline std::vector<Control> AllControls() {
    std::vector<Control> ids;
    for (std::size_t i = 0; i < app::current::kControlCount; ++i) {
        ids.push_back(static_cast<Control>(i));
    }
    return ids;
}

// (control, value): a field takes the text, a check box "1" or "0", a radio button "1", a
// spin box its number.
using Entries = std::vector<std::pair<Control, const char*>>;

inline constexpr int kPinnedYear = 2026;

// The case's description as a test name.
template <typename Case>
inline std::string NameOf(const testing::TestParamInfo<Case>& info) {
    std::string name;
    for (const char* c = info.param.what; *c; ++c) {
        name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
    }
    return name;
}

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

    app::current::Page& page(PageId id) { return window.page(id); }
    QLineEdit& field(Control id) { return window.field(id); }
    QString text(Control id) { return field(id).text(); }

    void enter(const Entries& entries) {
        for (const auto& [id, value] : entries) {
            QWidget& target = window.widget(id);
            if (auto* edit = qobject_cast<QLineEdit*>(&target)) {
                edit->setText(U(value));
            } else if (auto* box = qobject_cast<QCheckBox*>(&target)) {
                box->setChecked(std::string(value) == "1");
            } else if (auto* radio = qobject_cast<QRadioButton*>(&target)) {
                radio->setChecked(std::string(value) == "1");
            } else if (auto* spin = qobject_cast<QSpinBox*>(&target)) {
                spin->setValue(std::stoi(value));
            } else {
                throw std::logic_error(std::string("nothing to enter into ") +
                                       app::current::RowOf(id).name);
            }
        }
    }

    void calculate(PageId id) { page(id).calculateButton().click(); }

    // Chosen as a user does, in the window's choice.
    void chooseYear(int year) {
        QComboBox& choice = window.yearChoice();
        choice.setCurrentIndex(choice.findData(year));
    }

    // The text of every result field of the window.
    std::map<Control, std::string> outputs() {
        std::map<Control, std::string> texts;
        for (const Control id : AllControls()) {
            if (app::current::KindOf(id) == app::current::Kind::Result) {
                texts[id] = text(id).toStdString();
            }
        }
        return texts;
    }

    app::current::CurrentForm window{kPinnedYear};
    std::vector<ui::Box> boxes;
    QLineEdit* watched = nullptr;  // its text is noted while each box is open
    std::vector<QString> watchedWhileOpen;
};

}  // namespace uitest
