// Answers one query a line for the reference check: an operation and its
// arguments in, the library's result out, "ERR" for an ArithmeticError.
// Doubles travel as hexadecimal floating-point text, so no digit is lost.

#include "tax/tax.hpp"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>

namespace {

double Number(std::istringstream& in) {
    std::string token;
    in >> token;
    return std::strtod(token.c_str(), nullptr);
}

tax::Edition EditionOf(std::istringstream& in) {
    std::string token;
    in >> token;
    return token == "old" ? tax::Edition::OldRules : tax::Edition::NewRules;
}

std::string Hex(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%a", value);
    return buffer;
}

std::string FromHexBytes(const std::string& hex) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    }
    return bytes;
}

std::string Answer(const std::string& line) {
    std::istringstream in(line);
    std::string op;
    in >> op;
    if (op == "read") {
        std::string hex;
        in >> hex;
        return Hex(tax::ReadAmount(FromHexBytes(hex)));
    }
    if (op == "fmt") return tax::FormatAmount(Number(in));
    if (op == "fmtd") return tax::FormatDoubleAmount(Number(in));
    if (op == "wagetax") {
        const tax::Edition e = EditionOf(in);
        return Hex(tax::WageSalaryTax(Number(in), e));
    }
    if (op == "wage") {
        const tax::Edition e = EditionOf(in);
        const double g = Number(in), h = Number(in), m = Number(in), p = Number(in), t = Number(in);
        const tax::WageOutcome out = tax::WageSection(g, h, m, p, t, e);
        return Hex(out.taxable) + ' ' + Hex(out.tax) + ' ' + Hex(out.netIncome);
    }
    if (op == "business") {
        const tax::Edition e = EditionOf(in);
        return Hex(tax::BusinessIncomeTax(Number(in), e));
    }
    if (op == "labour") return Hex(tax::LabourRemunerationTax(Number(in)));
    if (op == "author") return Hex(tax::AuthorRemunerationTax(Number(in)));
    if (op == "royalty") return Hex(tax::RoyaltyTax(Number(in)));
    if (op == "interest") return Hex(tax::InterestDividendTax(Number(in)));
    if (op == "incidental") {
        const tax::IncidentalIncome r = tax::IncidentalIncomeTax(Number(in));
        return Hex(r.tax) + (r.exempt ? " exempt" : " taxed");
    }
    return "unknown operation " + op;
}

}  // namespace

int main() {
    std::ios::sync_with_stdio(false);
    std::string line;
    while (std::getline(std::cin, line)) {
        try {
            std::cout << Answer(line) << '\n';
        } catch (const tax::ArithmeticError&) {
            std::cout << "ERR\n";
        }
    }
}
