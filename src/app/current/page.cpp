#include "app/current/page.hpp"

#include "app/effects.hpp"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

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

QLabel* FieldLabel(const QString& text, QWidget* field) {
    auto* label = new QLabel(text);
    label->setBuddy(field);
    field->setAccessibleName(text);
    return label;
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

}  // namespace

Page::Page(const char* name)
    : column_(new QVBoxLayout(this)),
      inputs_(AddGroup(*column_, Text("输入"))),
      calculate_(new QPushButton(Text("计算"))) {
    setObjectName(name);
    inputs_->setColumnStretch(2, 1);

    // A plain window has no default button: the window presses this one on Enter, and it
    // looks the part.
    calculate_->setObjectName("calculate");
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

void Page::addInputRow(QLabel* label, QWidget* field, const QString& hint) {
    const int row = inputs_->rowCount();
    inputs_->addWidget(label, row, 0);
    inputs_->addWidget(field, row, 1);
    if (!hint.isEmpty()) inputs_->addWidget(Paragraph(hint), row, 2);
}

QLineEdit* Page::addInput(const char* name, const QString& label, Need need, const QString& hint) {
    auto* field = new QLineEdit;
    field->setObjectName(name);
    field->setAlignment(Qt::AlignRight);
    field->setPlaceholderText(need == Need::Required ? Text("必填") : Text("选填，空白为 0"));
    field->setAccessibleDescription(field->placeholderText());
    FitWidestAmount(*field);
    addInputRow(FieldLabel(label, field), field, hint);
    return field;
}

QCheckBox* Page::addCheckBox(const char* name, const QString& text) {
    auto* box = new QCheckBox(text);
    box->setObjectName(name);
    inputs_->addWidget(box, inputs_->rowCount(), 1, 1, 2);
    return box;
}

QSpinBox* Page::addNumber(const char* name, const QString& label, int minimum, int maximum,
                          const QString& suffix, const QString& hint) {
    auto* number = new QSpinBox;
    number->setObjectName(name);
    number->setRange(minimum, maximum);
    number->setSuffix(suffix);
    number->setAlignment(Qt::AlignRight);
    addInputRow(FieldLabel(label, number), number, hint);
    return number;
}

QLineEdit* Page::addOutput(const char* name, const QString& label, Qt::Alignment alignment) {
    auto* field = new QLineEdit;
    field->setObjectName(name);
    field->setReadOnly(true);
    field->setAlignment(alignment);
    // Shaded like the window, so a result does not look like a field to type into.
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    field->setPalette(palette);
    FitWidestAmount(*field);
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

void Page::addNote(const QString& text) { notes_->addWidget(Paragraph(text)); }

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
    ok_ = false;
    ShowPageOf(field);
    field.setFocus(Qt::OtherFocusReason);
    field.selectAll();
    PresentBox(field, {prompt, title, ui::BoxIcon::Exclamation});
}

bool IsBlank(const QString& text) {
    for (const QChar c : text) {
        if (c != u' ' && c != u'\t' && c != u'\u3000') return false;
    }
    return true;
}

QString YuanText(Fen amount) { return QString::fromStdString(tax::current::FormatYuan(amount)); }

void ShowPageOf(QWidget& widget) {
    for (QWidget* page = &widget; page->parentWidget(); page = page->parentWidget()) {
        auto* stack = qobject_cast<QStackedWidget*>(page->parentWidget());
        auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
        if (tabs && tabs->indexOf(page) >= 0) {
            tabs->setCurrentWidget(page);
            return;
        }
    }
}

}  // namespace app::current
