// The pages of single payments: labour remuneration, author's remuneration and royalties.

#include "app/current/pages.hpp"

#include "app/current/year_texts.hpp"

#include <QLineEdit>
#include <QVBoxLayout>

namespace app::current {
namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace

LabourPage::LabourPage(const Parameters& p) : Page(PageId::Labour, p) {
    income_ = addInput(Control::LabourIncome, Text("每次劳务报酬收入"), Need::Required,
                       Text("一次支付的税前金额"));
    tax_ = addOutput(Control::LabourTax, Text("应预扣预缴税额"));
    addNote(LabourNote);
    column().addStretch();
}

void LabourPage::calculate() {
    AmountReader read;
    const Fen income = read.read(*income_, Need::Required);
    if (!read.ok()) return;
    tax_->setText(YuanText(tax::current::LabourWithholding(parameters(), income)));
}

AuthorRoyaltyPage::AuthorRoyaltyPage(const Parameters& p) : Page(PageId::AuthorRoyalty, p) {
    author_ = addInput(Control::AuthorIncome, Text("每次稿酬收入"), Need::Optional);
    royalty_ = addInput(Control::RoyaltyIncome, Text("每次特许权使用费收入"), Need::Optional);
    authorTax_ = addOutput(Control::AuthorTax, Text("稿酬应预扣预缴税额"));
    royaltyTax_ = addOutput(Control::RoyaltyTax, Text("特许权使用费应预扣预缴税额"));
    addNote(AuthorRoyaltyNote);
    column().addStretch();
}

void AuthorRoyaltyPage::calculate() {
    AmountReader read;
    const Fen author = read.read(*author_, Need::Optional);
    const Fen royalty = read.read(*royalty_, Need::Optional);
    read.requireOne({author_, royalty_});
    if (!read.ok()) return;
    authorTax_->setText(YuanText(tax::current::AuthorWithholding(parameters(), author)));
    royaltyTax_->setText(YuanText(tax::current::RoyaltyWithholding(parameters(), royalty)));
}

}  // namespace app::current
