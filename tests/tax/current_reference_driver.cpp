// Answers one query a line for the reference check of the rules in force: an operation, a tax
// year and the arguments in; every field of the library's result out, fen as integers and flags
// as 0 or 1, on one line. "ERR" for a year without parameters.
//
//   annual Y TAXABLE                       -> tax
//   wage Y FIRST M|F|W N  (N × GROSS EXEMPT SPECIAL ADDITIONAL OTHER DONATION RELIEF)
//                                          -> row count, then each row's ten fields
//   bonussep Y BONUS                       -> tax
//   bonuscomb Y ANNUALTAXABLE BONUS        -> tax
//   labour|author|royalty|interest Y X     -> tax
//   business Y REVENUE COSTS none|basic    -> tax
//   incidental Y INCOME other|lottery      -> tax exempt
//   settlement Y separate|merged WAGES LABOUR AUTHOR ROYALTY SPECIAL ADDITIONAL OTHER DONATION
//              WITHHELD BONUS              -> taxable tax balance waived
//   available Y M|F|W FIRST                -> 0 or 1
//   additional Y EDUCATION UNDER3 SHARE DEGREE LOAN RENT(0-3) ONLYCHILD ELDERLYSHARE
//                                          -> total, or "none" when refused

#include "tax/current.hpp"

#include <iostream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

namespace tc = tax::current;

tc::Fen ReadFen(std::istringstream& in) {
    tc::Fen value = 0;
    in >> value;
    return value;
}

int ReadInt(std::istringstream& in) {
    int value = 0;
    in >> value;
    return value;
}

std::string ReadWord(std::istringstream& in) {
    std::string word;
    in >> word;
    return word;
}

tc::BasicDeduction ReadBasic(std::istringstream& in) {
    const std::string word = ReadWord(in);
    if (word == "F") return tc::BasicDeduction::FromJanuary;
    if (word == "W") return tc::BasicDeduction::WholeYear;
    return tc::BasicDeduction::MonthsEmployed;
}

// Fields joined by single spaces.
class Line {
public:
    Line& operator<<(tc::Fen value) {
        if (!text_.empty()) text_ += ' ';
        text_ += std::to_string(value);
        return *this;
    }
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

std::string Wage(const tc::Parameters& p, std::istringstream& in) {
    tc::PayrollYear year;
    year.firstMonth = ReadInt(in);
    year.basic = ReadBasic(in);
    const int count = ReadInt(in);
    for (int i = 0; i < count; ++i) {
        tc::MonthIncome m;
        m.gross = ReadFen(in);
        m.exempt = ReadFen(in);
        m.special = ReadFen(in);
        m.additional = ReadFen(in);
        m.other = ReadFen(in);
        m.donation = ReadFen(in);
        m.relief = ReadFen(in);
        year.months.push_back(m);
    }
    const std::vector<tc::MonthRow> rows = tc::WageWithholding(p, year);
    Line line;
    line << static_cast<tc::Fen>(rows.size());
    for (const tc::MonthRow& r : rows) {
        line << tc::Fen{r.month} << r.cumulativeIncome << r.cumulativeBasic
             << r.cumulativeDeductions << r.cumulativeTaxable << tc::Fen{r.ratePercent}
             << r.quickDeduction << r.cumulativeTax << r.withheld << r.netPay;
    }
    return line.text();
}

std::string Settlement(const tc::Parameters& p, std::istringstream& in) {
    const tc::BonusTreatment treatment =
        ReadWord(in) == "merged" ? tc::BonusTreatment::Merged : tc::BonusTreatment::Separate;
    tc::SettlementInput s;
    s.wages = ReadFen(in);
    s.labour = ReadFen(in);
    s.author = ReadFen(in);
    s.royalty = ReadFen(in);
    s.special = ReadFen(in);
    s.additional = ReadFen(in);
    s.other = ReadFen(in);
    s.donation = ReadFen(in);
    s.withheld = ReadFen(in);
    s.bonus = ReadFen(in);
    const tc::Settlement r = tc::AnnualSettlement(p, s, treatment);
    return (Line() << r.taxable << r.tax << r.balance << tc::Fen{r.paymentWaived}).text();
}

std::string Additional(const tc::Parameters& p, std::istringstream& in) {
    tc::AdditionalClaims c;
    c.childrenInEducation = ReadInt(in);
    c.childrenUnder3 = ReadInt(in);
    c.childSharePercent = ReadInt(in);
    c.degreeEducation = ReadInt(in) != 0;
    c.housingLoan = ReadInt(in) != 0;
    c.rent = static_cast<tc::RentTier>(ReadInt(in));
    c.onlyChild = ReadInt(in) != 0;
    c.elderlyShare = ReadFen(in);
    const std::optional<tc::Fen> total = tc::MonthlyAdditionalDeduction(p, c);
    return total ? std::to_string(*total) : "none";
}

std::string Answer(const std::string& query) {
    std::istringstream in(query);
    const std::string op = ReadWord(in);
    const tc::Parameters& p = tc::ParametersFor(ReadInt(in));
    if (op == "annual") return std::to_string(tc::AnnualTableTax(p, ReadFen(in)));
    if (op == "wage") return Wage(p, in);
    if (op == "bonussep") return std::to_string(tc::BonusSeparateTax(p, ReadFen(in)));
    if (op == "bonuscomb") {
        const tc::Fen taxable = ReadFen(in);
        return std::to_string(tc::BonusCombinedTax(p, taxable, ReadFen(in)));
    }
    if (op == "labour") return std::to_string(tc::LabourWithholding(p, ReadFen(in)));
    if (op == "author") return std::to_string(tc::AuthorWithholding(p, ReadFen(in)));
    if (op == "royalty") return std::to_string(tc::RoyaltyWithholding(p, ReadFen(in)));
    if (op == "interest") return std::to_string(tc::InterestDividendTax(p, ReadFen(in)));
    if (op == "business") {
        const tc::Fen revenue = ReadFen(in), costs = ReadFen(in);
        const tc::BusinessDeduction deduction =
            ReadWord(in) == "basic" ? tc::BusinessDeduction::Basic : tc::BusinessDeduction::None;
        return std::to_string(tc::BusinessTax(p, revenue, costs, deduction));
    }
    if (op == "incidental") {
        const tc::Fen income = ReadFen(in);
        const tc::Prize prize = ReadWord(in) == "lottery" ? tc::Prize::Lottery : tc::Prize::Other;
        const tc::IncidentalResult r = tc::IncidentalTax(p, income, prize);
        return (Line() << r.tax << tc::Fen{r.exempt}).text();
    }
    if (op == "settlement") return Settlement(p, in);
    if (op == "available") {
        const tc::BasicDeduction basic = ReadBasic(in);
        return tc::Available(p, basic, ReadInt(in)) ? "1" : "0";
    }
    if (op == "additional") return Additional(p, in);
    return "unknown operation " + op;
}

}  // namespace

int main() {
    std::ios::sync_with_stdio(false);
    std::string query;
    while (std::getline(std::cin, query)) {
        try {
            std::cout << Answer(query) << '\n';
        } catch (const std::out_of_range&) {
            std::cout << "ERR\n";
        }
    }
}
