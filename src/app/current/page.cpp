#include "app/current/page.hpp"

#include "app/effects.hpp"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <stdexcept>
#include <string>

namespace app::current {
namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

// The widest amount ReadYuan lets through, as FormatYuan writes it.
constexpr const char* kWidestAmount = "1,000,000,000,000.00";

const char* const kAccepted =
    "可以输入 0 到 1,000,000,000,000 元的金额：只用数字，最多一个小数点和两位小数，"
    "例如 20000 或 20000.50；不能带正负号、千位分隔符或其他文字。";

// Wide enough for the widest amount with a digit's room on either side.
void FitWidestAmount(QLineEdit& field) {
    const QFontMetrics metrics(field.font());
    const int frame = field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &field);
    const QMargins margins = field.textMargins();
    field.setMinimumWidth(metrics.horizontalAdvance(Text(kWidestAmount)) +
                          4 * metrics.horizontalAdvance(QLatin1Char('0')) + 2 * frame +
                          margins.left() + margins.right());
}

// Broken into lines by the text itself: a label that wraps would let the window's minimum size
// fall short of the lines it needs.
QLabel* Paragraph(const QString& text) {
    auto* label = new QLabel(text);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QGridLayout* AddGroup(QVBoxLayout& column, const QString& title) {
    auto* group = new QGroupBox(title);
    auto* grid = new QGridLayout(group);
    column.addWidget(group);
    return grid;
}

// Scrolls the page up and down when the window is shorter than it; never sideways, so at least
// as wide as what it holds. As large as that when there is room.
class PageScroll : public QScrollArea {
public:
    QSize sizeHint() const override { return widget()->sizeHint() + margins(); }
    QSize minimumSizeHint() const override {
        return {widget()->minimumSizeHint().width() + margins().width(),
                QScrollArea::minimumSizeHint().height()};
    }

private:
    QSize margins() const {
        return {2 * frameWidth() + verticalScrollBar()->sizeHint().width(), 2 * frameWidth()};
    }
};

// The widget inside the page's scroll area that holds the page's column.
QWidget* ScrolledContent(QWidget& page) {
    auto* scroll = new PageScroll;
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* content = new QWidget;
    scroll->setWidget(content);
    auto* layout = new QVBoxLayout(&page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    return content;
}

// The widget each kind of control is made of.
bool IsOfKind(const QWidget& widget, Kind kind) {
    switch (kind) {
    case Kind::Amount: return qobject_cast<const QLineEdit*>(&widget);
    case Kind::Result: return qobject_cast<const QLineEdit*>(&widget);
    case Kind::Check: return qobject_cast<const QCheckBox*>(&widget);
    case Kind::Radio: return qobject_cast<const QRadioButton*>(&widget);
    case Kind::Number: return qobject_cast<const QSpinBox*>(&widget);
    case Kind::Table: return qobject_cast<const QTableView*>(&widget);
    case Kind::Button: return qobject_cast<const QPushButton*>(&widget);
    }
    return false;
}

}  // namespace

Page::Page(PageId id, const Parameters& p)
    : id_(id),
      parameters_(&p),
      column_(new QVBoxLayout(ScrolledContent(*this))),
      inputs_(AddGroup(*column_, Text("输入"))),
      calculate_(new QPushButton(Text("计算"))) {
    setObjectName(RowOf(id).name);
    inputs_->setColumnStretch(2, 1);

    // A plain window has no default button: the window presses this one on Enter, and it
    // looks the part.
    addControl(CalculateOf(id), *calculate_);
    calculate_->setDefault(true);
    connect(calculate_, &QPushButton::clicked, this, [this] { calculate(); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(calculate_);
    column_->addLayout(buttons);

    outputs_ = AddGroup(*column_, Text("计算结果"));
    outputs_->setColumnStretch(1, 1);
    outputs_->setColumnStretch(3, 1);
    outputs_->setColumnMinimumWidth(2, 0);
    notes_ = new QVBoxLayout;
    column_->addLayout(notes_);
}

QWidget& Page::firstField() const {
    const auto first = std::find_if(controls_.begin(), controls_.end(),
                                    [](const QWidget* control) { return control; });
    return **first;  // every page has controls
}

void Page::setParameters(const Parameters& p) {
    parameters_ = &p;
    for (const auto& write : yearTexts_) write(p);
    yearChosen();
    clearResults();
}

void Page::clearResults() {
    for (QLineEdit* result : results_) result->clear();
}

// A wiring mistake is the program's own: it stops the window from being made at all.
void Page::addControl(Control id, QWidget& widget) {
    const ControlRow& row = RowOf(id);
    if (row.page != id_ || !IsOfKind(widget, row.kind) || controls_[static_cast<std::size_t>(id)]) {
        throw std::logic_error(std::string("control ") + row.name + " of another page or kind");
    }
    widget.setObjectName(row.name);
    controls_[static_cast<std::size_t>(id)] = &widget;
}

void Page::follow(const YearText& text, std::function<void(const QString&)> show) {
    if (!text.followsTheYear()) {
        show(text.fixedText());
        return;
    }
    show(text(*parameters_));
    yearTexts_.push_back([text, show = std::move(show)](const Parameters& p) { show(text(p)); });
}

void Page::addInputRow(QLabel* label, QWidget* field, const YearText& hint, QWidget* beside) {
    const int row = inputs_->rowCount();
    inputs_->addWidget(label, row, 0);
    inputs_->addWidget(field, row, 1);
    if (hint.isEmpty() && !beside) return;
    auto* cell = new QHBoxLayout;
    if (beside) cell->addWidget(beside);
    if (!hint.isEmpty()) {
        QLabel* paragraph = Paragraph({});
        cell->addWidget(paragraph, 1);
        follow(hint, [paragraph](const QString& text) { paragraph->setText(text); });
    }
    inputs_->addLayout(cell, row, 2);
}

QLineEdit* Page::makeInput(IdOf<Kind::Amount> id, Need need) {
    auto* field = new QLineEdit;
    addControl(id.id, *field);
    field->setAlignment(Qt::AlignRight);
    field->setPlaceholderText(need == Need::Required ? Text("必填") : Text("选填，空白为 0"));
    field->setAccessibleDescription(field->placeholderText());
    FitWidestAmount(*field);
    return field;
}

QLineEdit* Page::addInput(IdOf<Kind::Amount> id, const QString& label, Need need,
                          const YearText& hint, QWidget* beside) {
    QLineEdit* field = makeInput(id, need);
    addInputRow(FieldLabel(label, field), field, hint, beside);
    return field;
}

void Page::addInputRow(QWidget* label, QWidget* field, QWidget* beside) {
    const int row = inputs_->rowCount();
    if (label) inputs_->addWidget(label, row, 0);
    inputs_->addWidget(field, row, 1);
    if (beside) inputs_->addWidget(beside, row, 2);
}

QCheckBox* Page::addCheckBox(IdOf<Kind::Check> id, const YearText& text) {
    auto* box = new QCheckBox;
    addControl(id.id, *box);
    follow(text, [box](const QString& shown) { box->setText(shown); });
    inputs_->addWidget(box, inputs_->rowCount(), 1, 1, 2);
    return box;
}

// A focused button takes Enter itself (autoDefault), so the window does not calculate instead.
QPushButton* Page::makeButton(IdOf<Kind::Button> id, const QString& text,
                              std::function<void()> press) {
    auto* button = new QPushButton(text);
    addControl(id.id, *button);
    button->setAccessibleName(WithoutMnemonic(text));
    button->setAutoDefault(true);
    connect(button, &QPushButton::clicked, this, std::move(press));
    return button;
}

void Page::addInputButton(IdOf<Kind::Button> id, const QString& text, std::function<void()> press) {
    inputs_->addWidget(makeButton(id, text, std::move(press)), inputs_->rowCount(), 1,
                       Qt::AlignLeft);
}

QSpinBox* Page::addNumber(IdOf<Kind::Number> id, const QString& label, int minimum, int maximum,
                          const QString& suffix, const QString& hint) {
    auto* number = new QSpinBox;
    addControl(id.id, *number);
    number->setRange(minimum, maximum);
    number->setSuffix(suffix);
    number->setAlignment(Qt::AlignRight);
    addInputRow(FieldLabel(label, number), number, hint);
    return number;
}

QLineEdit* Page::makeOutput(IdOf<Kind::Result> id, Qt::Alignment alignment) {
    auto* field = new QLineEdit;
    addControl(id.id, *field);
    results_.push_back(field);
    field->setReadOnly(true);
    field->setAlignment(alignment);
    // Shaded like the window, so a result does not look like a field to type into.
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    field->setPalette(palette);
    FitWidestAmount(*field);
    return field;
}

QLineEdit* Page::addOutput(IdOf<Kind::Result> id, const QString& label, Qt::Alignment alignment) {
    QLineEdit* field = makeOutput(id, alignment);
    // Two pairs a row; a sentence takes a row of its own.
    const bool wide = alignment != Qt::AlignRight;
    if (wide && outputCount_ % 2 == 1) ++outputCount_;
    const int row = outputCount_ / 2;
    const int column = (outputCount_ % 2) * 2;
    outputs_->addWidget(FieldLabel(label, field), row, column);
    outputs_->addWidget(field, row, column + 1, 1, wide ? 3 : 1);
    outputCount_ += wide ? 2 : 1;
    return field;
}

void Page::addNote(const YearText& text) {
    QLabel* paragraph = Paragraph({});
    notes_->addWidget(paragraph);
    follow(text, [paragraph](const QString& shown) { paragraph->setText(shown); });
}

Fen AmountReader::read(QLineEdit& field, Need need) {
    if (!ok_) return 0;
    if (need == Need::Required && IsBlank(field.text())) {
        refuse(
            field, Text("缺少输入"),
            Text("请填写“%1”：这一项不能为空。\n").arg(field.accessibleName()) + Text(kAccepted));
        return 0;
    }
    const std::optional<Fen> amount = tax::current::ReadYuan(field.text().toStdString());
    if (!amount) {
        refuse(field, Text("输入有误"),
               Text("“%1”中的内容不是可以计算的金额。\n").arg(field.accessibleName()) +
                   Text(kAccepted));
        return 0;
    }
    return *amount;
}

void AmountReader::requireOne(std::initializer_list<QLineEdit*> fields) {
    if (!ok_) return;
    QStringList labels;
    for (QLineEdit* field : fields) {
        if (!IsBlank(field->text())) return;
        labels << Text("“") + field->accessibleName() + Text("”");
    }
    refuse(**fields.begin(), Text("缺少输入"),
           Text("请至少填写%1中的一项。").arg(labels.join(Text("、"))));
}

// The focus is on the field before the box opens, and the box gives it back when it closes.
void AmountReader::refuse(QLineEdit& field, const QString& title, const QString& prompt) {
    if (!ok_) return;
    ok_ = false;
    ShowPageOf(field);
    field.setFocus(Qt::OtherFocusReason);
    field.selectAll();
    PresentBox(field, {prompt, title, ui::BoxIcon::Exclamation});
}

QString WithoutMnemonic(const QString& text) {
    static const QRegularExpression mnemonic(QStringLiteral("\\(&[A-Z0-9]\\)(?=…?$)"));
    return QString(text).remove(mnemonic);
}

QLabel* FieldLabel(const QString& text, QWidget* field) {
    auto* label = new QLabel(text);
    label->setBuddy(field);
    field->setAccessibleName(WithoutMnemonic(text));
    return label;
}

QString AcceptedAmounts() { return Text(kAccepted); }

bool IsBlank(const QString& text) {
    for (const QChar c : text) {
        if (c != u' ' && c != u'\t' && c != u'\u3000') return false;
    }
    return true;
}

QString YuanText(Fen amount) { return QString::fromStdString(tax::current::FormatYuan(amount)); }

QString FieldYuanText(Fen amount) { return YuanText(amount).remove(QLatin1Char(',')); }

void ShowPageOf(QWidget& widget) {
    for (QWidget* page = &widget; page->parentWidget(); page = page->parentWidget()) {
        auto* stack = qobject_cast<QStackedWidget*>(page->parentWidget());
        auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
        if (tabs && tabs->indexOf(page) >= 0) tabs->setCurrentWidget(page);
    }
    for (QWidget* outer = widget.parentWidget(); outer; outer = outer->parentWidget()) {
        if (auto* scroll = qobject_cast<QScrollArea*>(outer)) {
            scroll->ensureWidgetVisible(&widget);
            return;
        }
    }
}

}  // namespace app::current
