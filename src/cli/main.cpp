// tovarin-tax: the rules in force (tax/current.hpp) on the command line: a company's payroll
// file with every row's cumulative withholding, and single figures for scripts.

#include "cli/commands.hpp"

#include "payroll/amount.hpp"
#include "payroll/columns.hpp"

#include <CLI/CLI.hpp>
#include <QDate>

#include <algorithm>
#include <iostream>
#include <map>

namespace {

namespace current = tax::current;

constexpr int kUsage = 2;

// This calendar year, within the years whose rules are known.
int DefaultYear() {
    return std::clamp(QDate::currentDate().year(), current::kFirstYear, current::kLastYear);
}

const std::map<std::string, std::string> kSynopses = {
    {"", "tovarin-tax COMMAND [OPTIONS] ARGUMENTS..."},
    {"withhold",
     "tovarin-tax withhold [--year Y] [--basic 按任职月份|自1月|全年6万] [-o OUT] "
     "[--encoding utf-8|gb18030] [FILE|-]"},
    {"business", "tovarin-tax business REVENUE COSTS [--basic] [--year Y] [--json]"},
    {"incidental", "tovarin-tax incidental AMOUNT [--lottery] [--year Y] [--json]"},
};

std::string Synopsis(const std::string& command) {
    if (const auto found = kSynopses.find(command); found != kSynopses.end()) {
        return found->second;
    }
    return "tovarin-tax " + command + " AMOUNT [--year Y] [--json]";
}

// An amount argument as the payroll file's cells are read (tax::current::ReadYuan's rules).
const CLI::Validator kAmount(
    [](std::string& text) -> std::string {
        if (payroll::ReadAmount(text)) return {};
        return "\"" + text +
               "\" is not an amount: digits with at most one point and two decimals, "
               "no sign or grouping (1234.56)";
    },
    "");

current::Fen Amount(const std::string& text) { return payroll::ReadAmount(text).value_or(0); }

// A standard of the default year as the help states it: whole yuan without decimals.
std::string Standard(current::Fen amount) {
    std::string text = payroll::PlainYuan(amount);
    if (amount % 100 == 0) text.resize(text.size() - 3);
    return text;
}

void AddYear(CLI::App& command, int& year) {
    command
        .add_option("--year", year,
                    "Tax year, " + std::to_string(current::kFirstYear) + " to " +
                        std::to_string(current::kLastYear) +
                        "; default: this calendar year within that range (" +
                        std::to_string(DefaultYear()) + ")")
        ->check(CLI::Range(current::kFirstYear, current::kLastYear))
        ->type_name("Y");
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app(
        "Chinese individual income tax by the rules in force since 2019, exact to the fen.\n"
        "withhold computes every row of a company's payroll file (the wage template's CSV);\n"
        "the other commands print one tax for scripts.",
        "tovarin-tax");
    app.set_version_flag("--version", "tovarin-tax " TOVARIN_VERSION);
    app.require_subcommand(1);
    app.footer(
        "Run 'tovarin-tax COMMAND --help' for a command's options; man tovarin-tax for "
        "the file format.\nExit status: 0 done, 1 input refused or not written, 2 usage.");

    cli::WithholdOptions withhold{DefaultYear(), std::nullopt, "-", std::nullopt, false};
    CLI::App* withholdCommand = app.add_subcommand(
        "withhold",
        "Cumulative withholding of wages for every row of a payroll file: CSV with a header\n"
        "row, UTF-8 (with or without byte-order mark) or GB18030, columns found by their\n"
        "names (月份, 本期收入, 证件号码 or 工号 required). Writes every row as it was, then\n"
        "the withholding columns, or nothing at all when a cell is refused.");
    AddYear(*withholdCommand, withhold.year);
    std::string basicRule, encoding = "utf-8";
    withholdCommand
        ->add_option("--basic", basicRule,
                     "Basic deduction for rows without a 减除费用方式 cell: 按任职月份 (default), "
                     "自1月 or 全年6万")
        ->check(CLI::IsMember({"按任职月份", "自1月", "全年6万"}))
        ->type_name("RULE");
    withholdCommand
        ->add_option("-o,--output", withhold.output,
                     "Write to OUT (replaced only when complete) instead of standard output")
        ->type_name("OUT");
    withholdCommand
        ->add_option("--encoding", encoding,
                     "Output encoding: utf-8 (with byte-order mark, default) or gb18030")
        ->check(CLI::IsMember({"utf-8", "gb18030"}, CLI::ignore_case))
        ->type_name("ENC");
    withholdCommand
        ->add_option("FILE", withhold.input, "Payroll CSV file; - or none: standard input")
        ->type_name("CSV");

    cli::FigureOptions figure{cli::Figure::Labour, DefaultYear()};
    std::string amount, costs;
    const auto addFigure = [&](const char* name, cli::Figure which, const std::string& help,
                               const char* amountHelp) {
        CLI::App* command = app.add_subcommand(name, help);
        command->add_option("AMOUNT", amount, amountHelp)
            ->required()
            ->check(kAmount)
            ->type_name("YUAN");
        AddYear(*command, figure.year);
        command->add_flag("--json", figure.json, "Print a JSON object of the inputs and the tax");
        command->callback([&figure, which] { figure.figure = which; });
        return command;
    };
    addFigure("labour", cli::Figure::Labour, "Withholding on one payment of labour remuneration",
              "The payment in yuan");
    addFigure("author", cli::Figure::Author, "Withholding on one payment of author's remuneration",
              "The payment in yuan");
    addFigure("royalty", cli::Figure::Royalty, "Withholding on one payment of royalties",
              "The payment in yuan");
    // The help states the default year's rates and bounds.
    const current::Parameters& p = current::ParametersFor(DefaultYear());
    const std::string flatRate = std::to_string(p.flatRate) + " %";
    addFigure("interest", cli::Figure::Interest, "Tax on interest and dividends (" + flatRate + ")",
              "The income in yuan");
    addFigure("bonus", cli::Figure::Bonus,
              "Tax on the annual one-time bonus taxed separately; --json adds its dead zone, "
              "if any",
              "The bonus in yuan");
    addFigure("annual", cli::Figure::Annual,
              "Tax on a year's taxable comprehensive income by the annual table",
              "The taxable income in yuan");
    CLI::App* business = app.add_subcommand("business", "Tax on a year's business income");
    business->add_option("REVENUE", amount, "The year's revenue in yuan")
        ->required()
        ->check(kAmount)
        ->type_name("YUAN");
    business->add_option("COSTS", costs, "The year's costs in yuan")
        ->required()
        ->check(kAmount)
        ->type_name("YUAN");
    business->add_flag("--basic", figure.basic,
                       "Less the year's basic deduction (" + Standard(p.annualBasicDeduction) +
                           "), for a person without other comprehensive income");
    AddYear(*business, figure.year);
    business->add_flag("--json", figure.json, "Print a JSON object of the inputs and the tax");
    business->callback([&figure] { figure.figure = cli::Figure::Business; });
    CLI::App* incidental =
        addFigure("incidental", cli::Figure::Incidental,
                  "Tax on incidental income (" + flatRate + "); a lottery prize up to " +
                      Standard(p.lotteryExemptUpTo) + " is exempt",
                  "The income in yuan");
    incidental->add_flag("--lottery", figure.lottery, "The income is a single lottery prize");

    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& success) {
        return app.exit(success);
    } catch (const CLI::ParseError& error) {
        std::string command;
        for (const CLI::App* sub : app.get_subcommands({})) {
            if (sub->parsed()) command = sub->get_name();
        }
        std::cerr << "tovarin-tax: " << error.what() << "\nUsage: " << Synopsis(command)
                  << "\nRun 'tovarin-tax" << (command.empty() ? "" : " " + command)
                  << " --help' for more.\n";
        return kUsage;
    }

    if (withholdCommand->parsed()) {
        if (!basicRule.empty()) withhold.basic = payroll::ReadBasicRule(basicRule);
        withhold.gb18030 = encoding != "utf-8" && encoding != "UTF-8";
        if (withhold.basic) {
            // A rule the year has for no first month at all is a mistake of the command line.
            bool anyMonth = false;
            const current::Parameters& p = current::ParametersFor(withhold.year);
            for (int month = 1; month <= 12; ++month) {
                anyMonth = anyMonth || current::Available(p, *withhold.basic, month);
            }
            if (!anyMonth) {
                std::cerr << "tovarin-tax: --basic " << basicRule
                          << ": the rule is not in force in " << withhold.year
                          << "\nUsage: " << Synopsis("withhold")
                          << "\nRun 'tovarin-tax withhold --help' for more.\n";
                return kUsage;
            }
        }
        return cli::Withhold(withhold);
    }
    figure.amount = Amount(amount);
    figure.costs = Amount(costs);
    std::cout << cli::FigureText(figure);
    return std::cout.flush() ? 0 : cli::kRefused;
}
