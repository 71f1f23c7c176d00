#pragma once
// What every page of the current-rules window is made of: labelled amount fields, read-only
// result fields, notes and the page's "计算" button, laid out in a column, each control under its
// id (app/current/controls.hpp). A page computes with one tax year's parameters; the texts that
// state the year's figures are written anew when the year changes.

#include "app/current/controls.hpp"
#include "tax/current.hpp"

#include <QWidget>

#include <array>
#include <functional>
#include <initializer_list>
#include <vector>

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QVBoxLayout;

namespace app::current {

using tax::current::Fen;
using tax::current::Parameters;

// A text that is the same in every year, or one formatted from the year's parameters.
class YearText {
public:
    YearText() = default;
    YearText(const QString& text) : fixed_(text) {}
    YearText(QString (*format)(const Parameters&)) : format_(format) {}

    bool isEmpty() const { return !format_ && fixed_.isEmpty(); }
    bool followsTheYear() const { return format_ != nullptr; }
    const QString& fixedText() const { return fixed_; }
    QString operator()(const Parameters& p) const { return format_ ? format_(p) : fixed_; }

private:
    QString fixed_;
    QString (*format_)(const Parameters&) = nullptr;
};

enum class Need { Required, Optional };

class Page : public QWidget {
    Q_OBJECT

public:
    // Computes with `p` until setParameters says otherwise; the parameters outlive the page.
    Page(PageId id, const Parameters& p);

    PageId id() const { return id_; }
    QPushButton& calculateButton() const { return *calculate_; }
    // The page's control of that id; null for another page's.
    QWidget* control(Control id) const { return controls_[static_cast<std::size_t>(id)]; }

    // The control that comes first on the page, where typing starts.
    QWidget& firstField() const;

    // The year to compute with from now on: the texts that state its figures are written anew,
    // and every result of the year before is emptied.
    void setParameters(const Parameters& p);

    // Reads the page's fields and writes its results; a refused field is reported and nothing
    // changes.
    virtual void calculate() = 0;

protected:
    const Parameters& parameters() const { return *parameters_; }

    // An amount field with its label and, beside it, a hint and, before the hint, `beside`.
    QLineEdit* addInput(IdOf<Kind::Amount> id, const QString& label, Need need,
                        const YearText& hint = {}, QWidget* beside = nullptr);
    QCheckBox* addCheckBox(IdOf<Kind::Check> id, const YearText& text);
    // A button under the fields for an action other than the calculation, which `press` does.
    void addInputButton(IdOf<Kind::Button> id, const QString& text, std::function<void()> press);
    QSpinBox* addNumber(IdOf<Kind::Number> id, const QString& label, int minimum, int maximum,
                        const QString& suffix, const QString& hint = {});
    // A read-only result field, in two columns of label and field.
    QLineEdit* addOutput(IdOf<Kind::Result> id, const QString& label,
                         Qt::Alignment alignment = Qt::AlignRight);
    // A paragraph under the results, in the lines its text breaks it into.
    void addNote(const YearText& text);
    // A control the page lays out itself, under its id and object name.
    void addControl(Control id, QWidget& widget);
    // Fields as addInput and addOutput make them, for a page to lay out itself; the result is
    // emptied with the others.
    QLineEdit* makeInput(IdOf<Kind::Amount> id, Need need);
    QLineEdit* makeOutput(IdOf<Kind::Result> id, Qt::Alignment alignment = Qt::AlignRight);
    // A button for an action other than the calculation, which `press` does: named as it reads,
    // and Enter on it presses it, not "计算".
    QPushButton* makeButton(IdOf<Kind::Button> id, const QString& text,
                            std::function<void()> press);
    // A row of the inputs: a label (or none), a control, and beside it `beside`.
    void addInputRow(QWidget* label, QWidget* field, QWidget* beside);
    // Writes `text` through `show` now and, where it states the year's figures, in every year
    // chosen later.
    void follow(const YearText& text, std::function<void(const QString&)> show);

    // Empties what the page computed; a page with more than its result fields adds to it.
    virtual void clearResults();
    // Called when another year is chosen, before the results are emptied.
    virtual void yearChosen() {}

    // The page's column, for a page that adds more below its results.
    QVBoxLayout& column() const { return *column_; }

private:
    void addInputRow(QLabel* label, QWidget* field, const YearText& hint,
                     QWidget* beside = nullptr);

    PageId id_;
    const Parameters* parameters_;
    std::array<QWidget*, kControlCount> controls_{};
    std::vector<QLineEdit*> results_;
    std::vector<std::function<void(const Parameters&)>> yearTexts_;
    QVBoxLayout* column_;
    QGridLayout* inputs_;
    QGridLayout* outputs_;
    QVBoxLayout* notes_;
    QPushButton* calculate_;
    int outputCount_ = 0;
};

// Reads amount fields in the order asked; the first field refused (unreadable, or required and
// empty) is reported in a warning box with the focus on it, and every later read gives 0
// without a word.
class AmountReader {
public:
    Fen read(QLineEdit& field, Need need);
    // Reports the first of `fields` when all of them are empty.
    void requireOne(std::initializer_list<QLineEdit*> fields);
    bool ok() const { return ok_; }
    // Reports `field` as refused for the reason `prompt` gives; later reads give 0.
    void refuse(QLineEdit& field, const QString& title, const QString& prompt);

private:
    bool ok_ = true;
};

// A label's text as it reads, without the mnemonic that ends it: "逐月收入(&M)" reads "逐月收入".
QString WithoutMnemonic(const QString& text);

// The label of `field`, whose accessible name it gives.
QLabel* FieldLabel(const QString& text, QWidget* field);

// What an amount field accepts, for a refusal to say.
QString AcceptedAmounts();

// True for a text of nothing but the blanks an amount may hold.
bool IsBlank(const QString& text);

// The amount as the window shows it: "15,730.00".
QString YuanText(Fen amount);
// The amount as a field takes it, without grouping: "15730.00".
QString FieldYuanText(Fen amount);

// Brings the page that holds `widget` to the front of its tab widget, and that tab widget's
// page to the front of its own, scrolled to show it.
void ShowPageOf(QWidget& widget);

}  // namespace app::current
