#include "cli/commands.hpp"

#include "payroll/amount.hpp"

namespace cli {
namespace {

namespace current = tax::current;
using current::Fen;

// JSON numbers with two decimals: exact to the fen, and numbers to jq and the like.
std::string Number(Fen amount) { return payroll::PlainYuan(amount); }

std::string_view Name(Figure figure) {
    switch (figure) {
    case Figure::Labour: return "labour";
    case Figure::Author: return "author";
    case Figure::Royalty: return "royalty";
    case Figure::Interest: return "interest";
    case Figure::Bonus: return "bonus";
    case Figure::Annual: return "annual";
    case Figure::Business: return "business";
    case Figure::Incidental: return "incidental";
    }
    return {};
}

// What the amount is, as the JSON names it.
std::string_view AmountName(Figure figure) {
    switch (figure) {
    case Figure::Bonus: return "bonus";
    case Figure::Annual: return "taxable";
    case Figure::Business: return "revenue";
    default: return "income";
    }
}

}  // namespace

std::string FigureText(const FigureOptions& o) {
    const current::Parameters& p = current::ParametersFor(o.year);
    Fen tax = 0;
    std::string extra;
    switch (o.figure) {
    case Figure::Labour: tax = current::LabourWithholding(p, o.amount); break;
    case Figure::Author: tax = current::AuthorWithholding(p, o.amount); break;
    case Figure::Royalty: tax = current::RoyaltyWithholding(p, o.amount); break;
    case Figure::Interest: tax = current::InterestDividendTax(p, o.amount); break;
    case Figure::Annual: tax = current::AnnualTableTax(p, o.amount); break;
    case Figure::Bonus: {
        tax = current::BonusSeparateTax(p, o.amount);
        const std::optional<current::BonusZone> zone = current::BonusDeadZone(p, o.amount);
        extra = ",\"deadZone\":";
        extra += zone ? "{\"from\":" + Number(zone->from) + ",\"to\":" + Number(zone->to) +
                            ",\"better\":" + Number(zone->better) + "}"
                      : "null";
        break;
    }
    case Figure::Business:
        tax = current::BusinessTax(
            p, o.amount, o.costs,
            o.basic ? current::BusinessDeduction::Basic : current::BusinessDeduction::None);
        extra =
            ",\"costs\":" + Number(o.costs) + ",\"basicDeduction\":" + (o.basic ? "true" : "false");
        break;
    case Figure::Incidental: {
        const current::IncidentalResult result = current::IncidentalTax(
            p, o.amount, o.lottery ? current::Prize::Lottery : current::Prize::Other);
        tax = result.tax;
        extra = std::string(",\"lottery\":") + (o.lottery ? "true" : "false") +
                ",\"exempt\":" + (result.exempt ? "true" : "false");
        break;
    }
    }
    if (!o.json) return Number(tax) + "\n";
    return "{\"command\":\"" + std::string(Name(o.figure)) +
           "\",\"year\":" + std::to_string(o.year) + ",\"" + std::string(AmountName(o.figure)) +
           "\":" + Number(o.amount) + extra + ",\"tax\":" + Number(tax) + "}\n";
}

}  // namespace cli
