#pragma once
// What every page of the current-rules window is made of: labelled amount fields, read-only
// result fields, notes and the page's "计算" button, laid out in a column.

#include "tax/current.hpp"

#include <QWidget>

#include <initializer_list>

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QVBoxLayout;

namespace app::current {

using tax::current::Fen;

enum class Need { Required, Optional };

class Page : public QWidget {
    Q_OBJECT

public:
    // `name` is the object name; the page's title is the tab's.
    explicit Page(const char* name);

    QPushButton& calculateButton() const { return *calculate_; }

    // Reads the page's fields and writes its results; a refused field is reported and nothing
    // changes.
    virtual void calculate() = 0;

protected:
    // An amount field with its label and, beside it, a hint.
    QLineEdit* addInput(const char* name, const QString& label, Need need,
                        const QString& hint = {});
    QCheckBox* addCheckBox(const char* name, const QString& text);
    QSpinBox* addNumber(const char* name, const QString& label, int minimum, int maximum,
                        const QString& suffix, const QString& hint = {});
    // A read-only result field, in two columns of label and field.
    QLineEdit* addOutput(const char* name, const QString& label,
                         Qt::Alignment alignment = Qt::AlignRight);
    // A paragraph under the results, in the lines its text breaks it into.
    void addNote(const QString& text);

    // The page's column, for a page that adds more below its results.
    QVBoxLayout& column() const { return *column_; }

private:
    void addInputRow(QLabel* label, QWidget* field, const QString& hint);

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

private:
    void refuse(QLineEdit& field, const QString& title, const QString& prompt);
    bool ok_ = true;
};

// True for a text of nothing but the blanks an amount may hold.
bool IsBlank(const QString& text);

// The amount as the window shows it: "15,730.00".
QString YuanText(Fen amount);

// Brings the page that holds `widget` to the front of its tab widget.
void ShowPageOf(QWidget& widget);

}  // namespace app::current
