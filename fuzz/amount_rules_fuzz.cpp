// Feeds arbitrary text through ReadAmount, every rule and both formatters.
// Anything but a value or an ArithmeticError is a finding, and so is a tax
// that is negative or whose text does not read back to within its seventh
// significant digit.

#include "tax/tax.hpp"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

template <typename Rule>
void Try(Rule rule) {
    try {
        rule();
    } catch (const tax::ArithmeticError&) {
        // the amount is beyond what can be calculated: a regular outcome
    }
}

void Present(float tax) {
    Check(!(tax < 0));
    const float back = static_cast<float>(tax::ReadAmount(tax::FormatAmount(tax)));
    Check(std::fabs(back - tax) <= tax * 1e-6f + std::numeric_limits<float>::denorm_min());
}

void AllRules(double x) {
    for (tax::Edition e : {tax::Edition::OldRules, tax::Edition::NewRules}) {
        Try([&] { tax::WageSalaryTax(x, e); });
        Try([&] {
            const tax::WageOutcome out = tax::WageSection(x, x / 3, 0, -x, 2000, e);
            Check(out.tax >= 0 && out.taxable >= 0);
            tax::FormatDoubleAmount(out.tax);
            tax::FormatAmount(out.netIncome);
        });
        Try([&] { Present(tax::BusinessIncomeTax(x, e)); });
    }
    Try([&] { Present(tax::LabourRemunerationTax(x)); });
    Try([&] { Present(tax::AuthorRemunerationTax(x)); });
    Try([&] { Present(tax::RoyaltyTax(x)); });
    Try([&] { Present(tax::InterestDividendTax(x)); });
    Try([&] { Present(tax::IncidentalIncomeTax(x).tax); });
    Try([&] { tax::FormatAmount(x); });
    Try([&] { tax::FormatDoubleAmount(x); });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    double amount = 0;
    try {
        amount = tax::ReadAmount(text);
    } catch (const tax::ArithmeticError&) {
        return 0;
    }
    AllRules(amount);
    return 0;
}
