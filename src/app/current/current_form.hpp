#pragma once
// The window of the rules in force today: the tax year, and one page per kind of income, each
// computed by its "计算" button, which Enter presses from anywhere on the page. Its pages and
// controls are handed out by their ids (app/current/controls.hpp).

#include "app/current/controls.hpp"

#include <QWidget>

#include <array>
#include <stdexcept>
#include <string>

class QComboBox;
class QLineEdit;
class QTabWidget;

namespace app::current {

class Page;

// The calendar year within the years the rules know, kFirstYear to kLastYear.
int ClampedYear(int calendarYear);
// This calendar year, so clamped.
int DefaultYear();

class CurrentForm : public QWidget {
    Q_OBJECT

public:
    // For `year`, kFirstYear to kLastYear (std::out_of_range otherwise).
    explicit CurrentForm(int year = DefaultYear());

    // The tax year every page computes with. Choosing another writes every text that states a
    // figure anew and empties every result, so that no result stands beside another year.
    int year() const;
    void setYear(int year);
    QComboBox& yearChoice() const { return *year_; }

    QTabWidget& pages() const { return *pages_; }
    Page& page(PageId id) const { return *pageList_[static_cast<std::size_t>(id)]; }
    Page& currentPage() const;

    QWidget& widget(Control id) const;
    // The control as its kind's widget, checked when it compiles: control<Control::WageGross>().
    template <Control id>
    WidgetOf<id>& control() const {
        return static_cast<WidgetOf<id>&>(widget(id));
    }
    // The control as a T, for ids held as data; std::logic_error if it is no T.
    template <typename T>
    T& control(Control id) const {
        T* found = qobject_cast<T*>(&widget(id));
        if (!found)
            throw std::logic_error(std::string("another kind of control: ") + RowOf(id).name);
        return *found;
    }
    // An amount or result field.
    QLineEdit& field(Control id) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void applyYear();

    QComboBox* year_;
    QTabWidget* pages_;
    std::array<Page*, kPageCount> pageList_{};
};

}  // namespace app::current
