#include "app/current/additional_dialog.hpp"

#include "app/current/page.hpp"
#include "app/current/year_texts.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace app::current {
namespace {

using tax::current::AdditionalClaims;
using tax::current::RentTier;

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

constexpr int kMostChildren = 9;

QSpinBox* Children() {
    auto* count = new QSpinBox;
    count->setRange(0, kMostChildren);
    count->setSuffix(Text(" 人"));
    count->setAlignment(Qt::AlignRight);
    return count;
}

// A row of the form: the label, the control, and the year's standard.
void AddRow(QGridLayout& grid, const QString& label, QWidget* control, const QString& standard) {
    const int row = grid.rowCount();
    grid.addWidget(FieldLabel(label, control), row, 0);
    grid.addWidget(control, row, 1);
    grid.addWidget(new QLabel(standard), row, 2);
}

// A check box names itself; its standard beside it.
void AddCheck(QGridLayout& grid, QCheckBox* box, const QString& standard) {
    const int row = grid.rowCount();
    box->setAccessibleName(WithoutMnemonic(box->text()));
    grid.addWidget(box, row, 0, 1, 2);
    grid.addWidget(new QLabel(standard), row, 2);
}

}  // namespace

AdditionalDialog::AdditionalDialog(const tax::current::Parameters& p, QWidget* parent)
    : QDialog(parent),
      parameters_(p),
      children_(Children()),
      infants_(Children()),
      share_(new QComboBox),
      degree_(new QCheckBox(Text("学历（学位）继续教育(&C)"))),
      loan_(new QCheckBox(Text("住房贷款利息(&L)"))),
      rent_(new QComboBox),
      onlyChild_(new QCheckBox(Text("独生子女赡养老人(&O)"))),
      elderlyShare_(new QLineEdit),
      totalField_(new QLineEdit),
      refusal_(new QLabel),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel)) {
    setObjectName("additionalDialog");
    setWindowTitle(Text("按项目填写专项附加扣除（%1 年标准）").arg(p.year));
    setAccessibleName(windowTitle());

    share_->addItem(Text("100%（由本人全额扣除）"), 100);
    share_->addItem(Text("50%（与配偶各扣一半）"), 50);
    rent_->addItem(Text("不扣除"), static_cast<int>(RentTier::None));
    const RentTier tiers[] = {RentTier::Tier1, RentTier::Tier2, RentTier::Tier3};
    for (int i = 0; i < 3; ++i) rent_->addItem(RentTierText(p, i), static_cast<int>(tiers[i]));
    elderlyShare_->setAlignment(Qt::AlignRight);
    elderlyShare_->setPlaceholderText(Text("选填，空白为 0"));
    totalField_->setReadOnly(true);
    totalField_->setAlignment(Qt::AlignRight);

    auto* grid = new QGridLayout;
    AddRow(*grid, Text("接受教育的子女(&E)"), children_, ChildEducationStandard(p));
    AddRow(*grid, Text("3 岁以下婴幼儿(&I)"), infants_, InfantCareStandard(p));
    AddRow(*grid, Text("子女扣除比例(&S)"), share_, Text("父母约定，每个子女相同"));
    AddCheck(*grid, degree_, DegreeEducationStandard(p));
    AddCheck(*grid, loan_, HousingLoanStandard(p));
    AddRow(*grid, Text("住房租金(&R)"), rent_, Text("按主要工作城市"));
    AddCheck(*grid, onlyChild_, OnlyChildStandard(p));
    AddRow(*grid, Text("非独生子女分摊额(&A)"), elderlyShare_, ElderlyShareStandard(p));
    AddRow(*grid, Text("每月合计(&T)"), totalField_, QString());
    infants_->setEnabled(p.infantCare != 0);

    refusal_->setObjectName("refusal");
    buttons_->button(QDialogButtonBox::Ok)->setText(Text("确定"));
    buttons_->button(QDialogButtonBox::Cancel)->setText(Text("取消"));
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(refusal_);
    layout->addWidget(buttons_);

    for (QSpinBox* count : {children_, infants_}) {
        connect(count, &QSpinBox::valueChanged, this, &AdditionalDialog::update);
    }
    for (QComboBox* choice : {share_, rent_}) {
        connect(choice, &QComboBox::currentIndexChanged, this, &AdditionalDialog::update);
    }
    for (QCheckBox* box : {degree_, loan_, onlyChild_}) {
        connect(box, &QCheckBox::toggled, this, &AdditionalDialog::update);
    }
    connect(elderlyShare_, &QLineEdit::textChanged, this, &AdditionalDialog::update);
    update();
}

QString AdditionalDialog::refusal() const { return refusal_->text(); }

QPushButton& AdditionalDialog::okButton() const { return *buttons_->button(QDialogButtonBox::Ok); }

// The refusals name what to change: the library only says that the claims do not go together.
void AdditionalDialog::update() {
    elderlyShare_->setEnabled(!onlyChild_->isChecked());
    AdditionalClaims claims;
    claims.childrenInEducation = children_->value();
    claims.childrenUnder3 = infants_->isEnabled() ? infants_->value() : 0;
    claims.childSharePercent = share_->currentData().toInt();
    claims.degreeEducation = degree_->isChecked();
    claims.housingLoan = loan_->isChecked();
    claims.rent = static_cast<RentTier>(rent_->currentData().toInt());
    claims.onlyChild = onlyChild_->isChecked();
    QString refusal;
    if (!claims.onlyChild) {
        const std::optional<tax::current::Fen> share =
            tax::current::ReadYuan(elderlyShare_->text().toStdString());
        if (!share) refusal = Text("“非独生子女分摊额”中的内容不是可以计算的金额");
        claims.elderlyShare = share.value_or(0);
    }
    if (claims.housingLoan && claims.rent != RentTier::None) {
        refusal = Text("住房贷款利息和住房租金不能同时扣除，请只选其中一项");
    } else if (refusal.isEmpty() && claims.elderlyShare > parameters_.elderlyShareCap) {
        refusal = ElderlyShareAboveCap(parameters_);
    }
    total_ = refusal.isEmpty() ? tax::current::MonthlyAdditionalDeduction(parameters_, claims)
                               : std::nullopt;
    totalField_->setText(total_ ? YuanText(*total_) : QString());
    refusal_->setText(refusal);
    refusal_->setVisible(!refusal.isEmpty());
    okButton().setEnabled(total_.has_value());
}

}  // namespace app::current
