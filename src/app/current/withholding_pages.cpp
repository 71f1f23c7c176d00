// The pages of single payments: labour remuneration, author's remuneration and royalties.

#include "app/current/pages.hpp"

#include <QLineEdit>
#include <QVBoxLayout>

namespace app::current {
namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

const char* const kFixedExpenses =
    "每次收入不超过 4,000 元的减除费用 800 元，超过 4,000 元的减除 20%；";

}  // namespace

LabourPage::LabourPage() : Page("labourPage") {
    income_ =
        addInput("income", Text("每次劳务报酬收入"), Need::Required, Text("一次支付的税前金额"));
    tax_ = addOutput("tax", Text("应预扣预缴税额"));
    addNote(
        Text(kFixedExpenses) +
        Text("\n余额不超过 20,000 元的预扣率 20%，20,000 至 50,000 元 30%（速算扣除数 2,000），\n"
             "超过 50,000 元 40%（速算扣除数 7,000）。"));
    column().addStretch();
}

void LabourPage::calculate() {
    AmountReader read;
    const Fen income = read.read(*income_, Need::Required);
    if (!read.ok()) return;
    tax_->setText(YuanText(tax::current::LabourWithholding(income)));
}

AuthorRoyaltyPage::AuthorRoyaltyPage() : Page("authorRoyaltyPage") {
    author_ = addInput("author", Text("每次稿酬收入"), Need::Optional);
    royalty_ = addInput("royalty", Text("每次特许权使用费收入"), Need::Optional);
    authorTax_ = addOutput("authorTax", Text("稿酬应预扣预缴税额"));
    royaltyTax_ = addOutput("royaltyTax", Text("特许权使用费应预扣预缴税额"));
    addNote(Text(kFixedExpenses) +
            Text("\n稿酬所得再按 70% 计算。预扣率均为 20%。至少填写一项收入。"));
    column().addStretch();
}

void AuthorRoyaltyPage::calculate() {
    AmountReader read;
    const Fen author = read.read(*author_, Need::Optional);
    const Fen royalty = read.read(*royalty_, Need::Optional);
    read.requireOne({author_, royalty_});
    if (!read.ok()) return;
    authorTax_->setText(YuanText(tax::current::AuthorWithholding(author)));
    royaltyTax_->setText(YuanText(tax::current::RoyaltyWithholding(royalty)));
}

}  // namespace app::current
