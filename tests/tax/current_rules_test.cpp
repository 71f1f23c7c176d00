#include "tax/current.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>

namespace {

namespace current = tax::current;
using current::Fen;
using current::FormatYuan;

struct RuleCase {
    const char* rule;
    std::function<Fen(Fen)> tax;
    Fen income;
    const char* expected;
};

// Worked values, every table's bounds (one fen below, at, one fen above), the zero rule and
// the rounding of an exact half fen (up) and of figures just below and above it.
std::vector<RuleCase> RuleCases() {
    const auto annual = current::AnnualTableTax;
    const auto bonus = current::BonusSeparateTax;
    const auto labour = current::LabourWithholding;
    const auto author = current::AuthorWithholding;
    const auto royalty = current::RoyaltyWithholding;
    const auto business = [](Fen x) { return current::BusinessTax(x, 0, false); };
    const auto lessBasic = [](Fen x) { return current::BusinessTax(x + 6'000'000, 0, true); };
    const auto interest = current::InterestDividendTax;
    // clang-format off
    return {
        {"annual", annual, 0, "0.00"}, {"annual", annual, -1, "0.00"},
        {"annual", annual, 17, "0.01"}, {"annual", annual, 16, "0.00"},
        {"annual", annual, 3'599'999, "1,080.00"}, {"annual", annual, 3'600'000, "1,080.00"},
        {"annual", annual, 3'600'001, "1,080.00"}, {"annual", annual, 3'600'004, "1,080.00"},
        {"annual", annual, 3'600'005, "1,080.01"}, {"annual", annual, 10'800'000, "8,280.00"},
        {"annual", annual, 14'399'999, "11,880.00"}, {"annual", annual, 14'400'000, "11,880.00"},
        {"annual", annual, 14'400'001, "11,880.00"}, {"annual", annual, 29'999'999, "43,080.00"},
        {"annual", annual, 30'000'000, "43,080.00"}, {"annual", annual, 30'000'002, "43,080.01"},
        {"annual", annual, 41'999'999, "73,080.00"}, {"annual", annual, 42'000'000, "73,080.00"},
        {"annual", annual, 42'000'001, "73,080.00"}, {"annual", annual, 65'999'999, "145,080.00"},
        {"annual", annual, 66'000'000, "145,080.00"}, {"annual", annual, 66'000'001, "145,080.00"},
        {"annual", annual, 95'999'999, "250,080.00"}, {"annual", annual, 96'000'000, "250,080.00"},
        {"annual", annual, 96'000'001, "250,080.00"},
        {"annual", annual, 100'000'000'000'000, "449,999,818,080.00"},
        {"bonus", bonus, 0, "0.00"}, {"bonus", bonus, -100, "0.00"},
        {"bonus", bonus, 3'599'999, "1,080.00"}, {"bonus", bonus, 3'600'000, "1,080.00"},
        {"bonus", bonus, 3'600'001, "3,390.00"}, {"bonus", bonus, 14'399'999, "14,190.00"},
        {"bonus", bonus, 14'400'000, "14,190.00"}, {"bonus", bonus, 14'400'001, "27,390.00"},
        {"bonus", bonus, 29'999'999, "58,590.00"}, {"bonus", bonus, 30'000'000, "58,590.00"},
        {"bonus", bonus, 30'000'001, "72,340.00"}, {"bonus", bonus, 41'999'999, "102,340.00"},
        {"bonus", bonus, 42'000'000, "102,340.00"}, {"bonus", bonus, 42'000'001, "121,590.00"},
        {"bonus", bonus, 65'999'999, "193,590.00"}, {"bonus", bonus, 66'000'000, "193,590.00"},
        {"bonus", bonus, 66'000'001, "223,840.00"}, {"bonus", bonus, 95'999'999, "328,840.00"},
        {"bonus", bonus, 96'000'000, "328,840.00"}, {"bonus", bonus, 96'000'001, "416,840.00"},
        {"labour", labour, 300'000, "440.00"}, {"labour", labour, 2'500'000, "4,000.00"},
        {"labour", labour, 6'250'000, "13,000.00"}, {"labour", labour, 80'000, "0.00"},
        {"labour", labour, 79'999, "0.00"}, {"labour", labour, 80'003, "0.01"},
        {"labour", labour, 399'999, "640.00"}, {"labour", labour, 400'000, "640.00"},
        {"labour", labour, 400'001, "640.00"}, {"labour", labour, 2'499'999, "4,000.00"},
        {"labour", labour, 2'500'001, "4,000.00"}, {"labour", labour, 3'000'000, "5,200.00"},
        {"labour", labour, 6'249'999, "13,000.00"}, {"labour", labour, 6'250'001, "13,000.00"},
        {"labour", labour, 10'000'000, "25,000.00"}, {"labour", labour, -1, "0.00"},
        {"author", author, 100'000, "28.00"}, {"author", author, 500'000, "560.00"},
        {"author", author, 80'000, "0.00"}, {"author", author, 80'001, "0.00"},
        {"author", author, 80'004, "0.01"}, {"author", author, 399'999, "448.00"},
        {"author", author, 400'000, "448.00"}, {"author", author, 400'001, "448.00"},
        {"author", author, 400'058, "448.06"}, {"author", author, 400'067, "448.08"},
        {"royalty", royalty, 100'000, "40.00"}, {"royalty", royalty, 500'000, "800.00"},
        {"royalty", royalty, 80'000, "0.00"}, {"royalty", royalty, 80'003, "0.01"},
        {"royalty", royalty, 399'999, "640.00"}, {"royalty", royalty, 400'000, "640.00"},
        {"royalty", royalty, 400'001, "640.00"}, {"royalty", royalty, -1, "0.00"},
        {"business", business, 0, "0.00"}, {"business", business, 9, "0.00"},
        {"business", business, 10, "0.01"}, {"business", business, 2'999'999, "1,500.00"},
        {"business", business, 3'000'000, "1,500.00"}, {"business", business, 3'000'001, "1,500.00"},
        {"business", business, 8'999'999, "7,500.00"}, {"business", business, 9'000'000, "7,500.00"},
        {"business", business, 9'000'001, "7,500.00"}, {"business", business, 29'999'999, "49,500.00"},
        {"business", business, 30'000'000, "49,500.00"}, {"business", business, 30'000'001, "49,500.00"},
        {"business", business, 49'999'999, "109,500.00"}, {"business", business, 50'000'000, "109,500.00"},
        {"business", business, 50'000'001, "109,500.00"}, {"business", business, -1, "0.00"},
        {"business less basic", lessBasic, 0, "0.00"}, {"business less basic", lessBasic, 10, "0.01"},
        {"business less basic", lessBasic, 3'000'000, "1,500.00"},
        {"interest", interest, 0, "0.00"}, {"interest", interest, 1, "0.00"},
        {"interest", interest, 3, "0.01"}, {"interest", interest, 12'345, "24.69"},
        {"interest", interest, -500, "0.00"},
    };
    // clang-format on
}

TEST(CurrentRules, WorkedValuesBoundsAndRounding) {
    for (const RuleCase& c : RuleCases()) {
        EXPECT_EQ(FormatYuan(c.tax(c.income)), c.expected) << c.rule << " of " << c.income;
    }
}

TEST(CurrentRules, BusinessIncomeIsRevenueLessCosts) {
    EXPECT_EQ(FormatYuan(current::BusinessTax(50'000'000, 38'000'000, false)), "13,500.00");
    EXPECT_EQ(FormatYuan(current::BusinessTax(50'000'000, 38'000'000, true)), "4,500.00");
    EXPECT_EQ(FormatYuan(current::BusinessTax(38'000'000, 50'000'000, false)), "0.00");
}

TEST(CurrentRules, OnlyASmallLotteryPrizeIsExempt) {
    const struct {
        Fen income;
        bool lottery, exempt;
        const char* tax;
        // clang-format off
    } cases[] = {
        {0, true, true, "0.00"},          {1'000'000, true, true, "0.00"},
        {1'000'001, true, false, "2,000.00"}, {1'000'000, false, false, "2,000.00"},
        {0, false, false, "0.00"},        {-1, true, false, "0.00"},
        {5'000'000, true, false, "10,000.00"},
    };
    // clang-format on
    for (const auto& c : cases) {
        const current::IncidentalResult result = current::IncidentalTax(c.income, c.lottery);
        EXPECT_EQ(result.exempt, c.exempt) << c.income << (c.lottery ? " lottery" : "");
        EXPECT_EQ(FormatYuan(result.tax), c.tax) << c.income << (c.lottery ? " lottery" : "");
    }
}

TEST(CurrentRules, BonusCombinedIsTheExtraAnnualTax) {
    const struct {
        Fen annualTaxable, bonus;
        const char* extra;
        // clang-format off
    } cases[] = {
        {10'800'000, 3'600'000, "3,600.00"}, {0, 3'600'000, "1,080.00"},
        {-3'000'000, 3'600'000, "180.00"},   {-3'600'000, 3'600'000, "0.00"},
        {10'800'000, 0, "0.00"},             {10'800'000, -100, "0.00"},
        {3'599'999, 1, "0.00"},              {3'600'000, 5, "0.01"},
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(FormatYuan(current::BonusCombinedTax(c.annualTaxable, c.bonus)), c.extra)
            << c.annualTaxable << " + " << c.bonus;
    }
}

// Far beyond the amounts ReadYuan gives, products and differences still do not overflow.
TEST(CurrentRules, HugeAmountsStayExact) {
    constexpr Fen kMax = std::numeric_limits<Fen>::max();
    constexpr Fen kMin = std::numeric_limits<Fen>::min();
    EXPECT_EQ(current::AnnualTableTax(kMax), 4'150'517'416'566'457'113);
    EXPECT_EQ(current::AnnualTableTax(kMin), 0);
    EXPECT_EQ(current::BusinessTax(kMax, kMin, false), 6'456'360'425'791'793'065);
    EXPECT_EQ(current::BonusCombinedTax(kMin, kMax), 0);
    EXPECT_EQ(current::BonusCombinedTax(kMax, kMax), 4'150'517'416'584'649'113);
    EXPECT_EQ(current::BonusSeparateTax(kMax), 4'150'517'416'583'133'113);
}

}  // namespace
