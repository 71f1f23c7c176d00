#pragma once
// The commands of tovarin-tax, each after its options are parsed. Each returns the exit
// status: 0 done, 1 the input was refused or could not be read or written.

#include "tax/current.hpp"

#include <QString>

#include <optional>
#include <string>

namespace cli {

inline constexpr int kRefused = 1;

struct WithholdOptions {
    int year;
    std::optional<tax::current::BasicDeduction> basic;  // --basic, where given
    std::string input;                                  // a path, or "-" for standard input
    std::optional<std::string> output;                  // -o; standard output without it
    bool gb18030 = false;                               // --encoding gb18030
};
int Withhold(const WithholdOptions& options);

// The single figures: the tax on one amount (two, for business income).
enum class Figure { Labour, Author, Royalty, Interest, Bonus, Annual, Business, Incidental };
struct FigureOptions {
    Figure figure;
    int year;
    tax::current::Fen amount = 0;  // the income, the bonus, the taxable income or the revenue
    tax::current::Fen costs = 0;   // business
    bool basic = false;            // business: less the year's basic deduction
    bool lottery = false;          // incidental: a lottery prize
    bool json = false;
};
// The tax as "4000.00", or with --json an object of the inputs and the result.
std::string FigureText(const FigureOptions& options);

}  // namespace cli
