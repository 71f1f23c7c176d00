#include "expected_press.hpp"

#include "tax/tax.hpp"

namespace monkey {
namespace {

using tax::Edition;

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

double Read(const QString& text) { return tax::ReadAmount(text.toStdString()); }
QString SingleText(float amount) { return QString::fromStdString(tax::FormatAmount(amount)); }
QString DoubleText(double amount) {
    return QString::fromStdString(tax::FormatDoubleAmount(amount));
}

QString TaxPrompt(const QString& amount) {
    return U("您应缴纳缴个人所得税 ") + amount + U(" 元。");
}

// The output field of each section button, Command1 to Command7.
int OutputOf(int command) {
    constexpr int kOutputs[] = {0, 9, 6, 12, 14, 16, 18, 20};
    return kOutputs[command];
}

// Sections 2 to 7: the result box while the field still shows its old text,
// then the same figure written into it.
ExpectedPress Published(int command, float tax, const Texts& texts,
                        std::vector<ExpectedBox> notices = {}) {
    const int output = OutputOf(command);
    const QString shown = SingleText(tax);
    ExpectedPress press{std::move(notices), {{output, shown}}, output};
    press.boxes.push_back({ui::BoxIcon::Information, U("结果！"), TaxPrompt(shown), texts[output]});
    return press;
}

ExpectedPress Incidental(const Texts& texts) {
    const tax::IncidentalIncome outcome = tax::IncidentalIncomeTax(Read(texts[19]));
    std::vector<ExpectedBox> notices;
    if (outcome.exempt) notices.push_back({ui::BoxIcon::None, QString(), std::nullopt, texts[20]});
    return Published(7, outcome.tax, texts, std::move(notices));
}

// The wage section writes both fields first, then shows its two boxes.
ExpectedPress Wage(const Texts& texts, Edition edition) {
    if (texts[1].isEmpty()) {
        return {{{ui::BoxIcon::Exclamation, U("玩人呢还是智商不达标呢！！！！！！！"), std::nullopt,
                  texts[6]}},
                {},
                6,
                true};
    }
    const tax::WageOutcome outcome = tax::WageSection(
        Read(texts[1]), Read(texts[2]), Read(texts[3]), Read(texts[4]), Read(texts[7]), edition);
    const QString tax = DoubleText(outcome.tax);
    const QString net = SingleText(outcome.netIncome);
    return {{{ui::BoxIcon::Information, U("纳税结果！"), TaxPrompt(tax), tax},
             {ui::BoxIcon::Information, U("收入结果！"),
              U("您本月所得个人收入为 ") + net + U(" 元。"), tax}},
            {{6, tax}, {5, DoubleText(outcome.taxable)}},
            6};
}

ExpectedPress Computed(int command, const Texts& texts, Edition edition) {
    switch (command) {
    case 1: return Published(1, tax::LabourRemunerationTax(Read(texts[8])), texts);
    case 2: return Wage(texts, edition);
    case 3: {
        const double taxable = tax::checked::Sub(Read(texts[10]), Read(texts[11]));
        return Published(3, tax::BusinessIncomeTax(taxable, edition), texts);
    }
    case 4: return Published(4, tax::AuthorRemunerationTax(Read(texts[13])), texts);
    case 5: return Published(5, tax::RoyaltyTax(Read(texts[15])), texts);
    case 6: return Published(6, tax::InterestDividendTax(Read(texts[17])), texts);
    default: return Incidental(texts);
    }
}

}  // namespace

ExpectedPress ExpectPress(int command, const Texts& texts, Edition edition) {
    try {
        return Computed(command, texts, edition);
    } catch (const tax::ArithmeticError&) {
        const int output = OutputOf(command);
        return {
            {{ui::BoxIcon::Exclamation, std::nullopt, std::nullopt, texts[output]}}, {}, output};
    }
}

}  // namespace monkey
