// A payroll file's withholding columns against WageWithholding of each employee's year, built
// by hand as the window builds it from its fields.

#include "csv_rows.hpp"
#include "payroll/amount.hpp"
#include "payroll/withholding.hpp"

#include <QBuffer>
#include <QStringEncoder>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <numeric>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

namespace current = tax::current;
using current::Fen;

struct Output {
    bool read = false;
    std::vector<std::string> problems;
    QByteArray bytes;
};

Output Withhold(const QByteArray& input, int year,
                payroll::OutputEncoding encoding = payroll::OutputEncoding::Utf8) {
    QByteArray in = input;
    QBuffer device(&in);
    device.open(QIODevice::ReadOnly);
    payroll::PayrollFile file(current::ParametersFor(year), current::BasicDeduction::MonthsEmployed,
                              false);
    Output output;
    output.read = file.read(device);
    for (const payroll::Problem& problem : file.problems().shown()) {
        output.problems.push_back(std::to_string(problem.line) + ": " + problem.text);
    }
    if (!output.read) return output;
    QBuffer out(&output.bytes);
    out.open(QIODevice::WriteOnly);
    QString error;
    EXPECT_TRUE(file.write(device, out, encoding, error)) << error.toStdString();
    return output;
}

// The output's rows as maps from column name to cell.
std::vector<std::map<std::string, std::string>> Rows(const QByteArray& utf8) {
    EXPECT_TRUE(utf8.startsWith("\xEF\xBB\xBF"));
    return payrolltest::CsvRows(utf8);
}

// 专项扣除 and 累计专项附加扣除 stand for other columns, which a file gives instead.
bool IsTotal(payroll::Column column) {
    return std::any_of(payroll::kTotalColumns.begin(), payroll::kTotalColumns.end(),
                       [column](const payroll::TotalColumn& t) { return t.total == column; });
}

// The example of the README: 张三 starts in July with 自1月, 李四 gets a raise in April, and
// 王五's children's education is first claimed in May, for January to May.
QByteArray ExampleFile() {
    std::string csv =
        "工号,姓名,证件号码,月份,本期收入,基本养老保险费,基本医疗保险费,失业保险费,住房公积金,"
        "累计子女教育,累计住房租金,减除费用方式\n";
    for (int m = 1; m <= 12; ++m) {
        if (m >= 7) {
            csv += "A01,张三,110101199203074512," + std::to_string(m) +
                   ",12000.00,960.00,240.00,60.00,1440.00,,,自1月\n";
        }
        csv += "A02,李四,31010419880512302X," + std::to_string(m) +
               (m < 4 ? ",15000.00,1200.00,300.00,75.00,1800.00,,"
                      : ",22000.00,1760.00,440.00,110.00,2640.00,,") +
               std::to_string(1500 * m) + ".00,按任职月份\n";
        csv += "A03,王五,440305198511230019," + std::to_string(m) +
               ",30000.00,2400.00,600.00,150.00,3600.00," +
               (m < 5 ? std::string("0") : std::to_string(2000 * m)) + ",,按任职月份\n";
    }
    return QByteArray::fromStdString(csv);
}

// The same years as the window's fields make them: gross, the four insurance and fund
// amounts as the special deduction, the month's special additional deduction.
std::map<std::string, current::PayrollYear> ExampleYears() {
    std::map<std::string, current::PayrollYear> years;
    years["A01"] = {7, current::BasicDeduction::FromJanuary,
                    std::vector<current::MonthIncome>(6, {1'200'000, 0, 270'000})};
    years["A02"] = {1, current::BasicDeduction::MonthsEmployed, {}};
    years["A03"] = {1, current::BasicDeduction::MonthsEmployed, {}};
    for (int m = 1; m <= 12; ++m) {
        years["A02"].months.push_back(m < 4 ? current::MonthIncome{1'500'000, 0, 337'500, 150'000}
                                            : current::MonthIncome{2'200'000, 0, 495'000, 150'000});
        const Fen claimed = m < 5 ? 0 : m == 5 ? 1'000'000 : 200'000;
        years["A03"].months.push_back({3'000'000, 0, 675'000, claimed});
    }
    return years;
}

TEST(Withholding, ReadmeExampleMatchesTheWindowsSchedule) {
    const Output output = Withhold(ExampleFile(), 2024);
    ASSERT_TRUE(output.read) << ::testing::PrintToString(output.problems);
    const current::Parameters& p = current::ParametersFor(2024);
    std::map<std::string, std::vector<current::MonthRow>> schedules;
    for (const auto& [key, year] : ExampleYears())
        schedules[key] = current::WageWithholding(p, year);
    // The figures the README shows.
    const std::map<std::string, std::vector<std::string>> kWithheld = {
        {"A01", {"0.00", "0.00", "0.00", "0.00", "0.00", "0.00"}},
        {"A02",
         {"153.75", "153.75", "153.75", "316.50", "349.75", "1055.00", "1055.00", "1055.00",
          "1055.00", "1055.00", "1055.00", "1055.00"}},
        {"A03",
         {"547.50", "582.50", "1825.00", "1825.00", "825.00", "1625.00", "1625.00", "1625.00",
          "1850.00", "3250.00", "3250.00", "3250.00"}}};
    const std::vector<std::map<std::string, std::string>> rows = Rows(output.bytes);
    ASSERT_EQ(rows.size(), 30u);
    for (const auto& row : rows) {
        const std::string& key = row.at("工号");
        const int month = std::stoi(row.at("月份"));
        const auto& schedule = schedules.at(key);
        const std::size_t i = static_cast<std::size_t>(month - schedule.front().month);
        EXPECT_EQ(row.at("本期应预扣预缴税额"), payroll::PlainYuan(schedule[i].withheld))
            << key << " " << month;
        EXPECT_EQ(row.at("本期应预扣预缴税额"), kWithheld.at(key)[i]) << key << " " << month;
        EXPECT_EQ(row.at("累计应纳税所得额"), payroll::PlainYuan(schedule[i].cumulativeTaxable));
    }
}

// A company of generated employees, in random years, first months, rules and last months,
// January's rows first: every withholding column against the employee's own schedule.
TEST(Withholding, GeneratedEmployeesMatchTheirSchedules) {
    std::mt19937_64 random(2024);
    const auto amount = [&random](Fen upTo) { return static_cast<Fen>(random() % (upTo + 1)); };
    for (int year = current::kFirstYear; year <= current::kLastYear; year += 4) {
        const current::Parameters& p = current::ParametersFor(year);
        struct Generated {
            current::PayrollYear year;
            int last;
            // the amount columns but the totals, in kAmountColumns order
            std::vector<std::array<Fen, 19>> cells;
        };
        std::vector<Generated> staff;
        for (int e = 0; e < 1000 / 3 + 1; ++e) {
            Generated g;
            g.year.firstMonth = 1 + static_cast<int>(random() % 12);
            do {
                g.year.basic = static_cast<current::BasicDeduction>(random() % 3);
            } while (!current::Available(p, g.year.basic, g.year.firstMonth));
            g.last = g.year.firstMonth + static_cast<int>(random() % (13 - g.year.firstMonth));
            std::array<Fen, 7> cumulative{};
            for (int m = g.year.firstMonth; m <= g.last; ++m) {
                std::array<Fen, 19> c{};
                for (std::size_t k = 0; k < 12; ++k)
                    c[k] = k == 0 ? amount(8'000'000) : amount(150'000);
                for (std::size_t k = 0; k < 7; ++k) {
                    const Fen most = k == 6 ? p.personalPensionCap.value_or(0) / 12 : 300'000;
                    c[12 + k] = cumulative[k] += amount(most);
                }
                g.cells.push_back(c);
            }
            staff.push_back(std::move(g));
        }
        std::string csv = "证件号码,姓名,月份,减除费用方式";
        for (payroll::Column column : payroll::kAmountColumns) {
            if (!IsTotal(column)) (csv += ',') += payroll::ColumnName(column);
        }
        csv += "\r\n";
        for (int m = 1; m <= 12; ++m) {
            for (std::size_t e = 0; e < staff.size(); ++e) {
                const Generated& g = staff[e];
                if (m < g.year.firstMonth || m > g.last) continue;
                csv += "ID" + std::to_string(e) + ",\"名, \"\"" + std::to_string(e) + "\"\"\"," +
                       std::to_string(m) + "," + std::string(payroll::BasicRuleName(g.year.basic));
                for (Fen cell : g.cells[static_cast<std::size_t>(m - g.year.firstMonth)]) {
                    (csv += ',') += payroll::PlainYuan(cell);
                }
                csv += "\r\n";
            }
        }
        const Output output = Withhold(QByteArray::fromStdString(csv), year);
        ASSERT_TRUE(output.read) << ::testing::PrintToString(output.problems);

        std::vector<std::vector<current::MonthRow>> schedules;
        for (const Generated& g : staff) {
            current::PayrollYear whole = g.year;
            Fen previousPension = 0;
            std::array<Fen, 6> previous{};
            for (const auto& c : g.cells) {
                Fen additional = 0;
                for (std::size_t k = 0; k < 6; ++k) additional += c[12 + k] - previous[k];
                for (std::size_t k = 0; k < 6; ++k) previous[k] = c[12 + k];
                whole.months.push_back({c[0], c[1], c[2] + c[3] + c[4] + c[5], additional,
                                        c[6] + c[7] + c[8] + c[9] + c[18] - previousPension, c[10],
                                        c[11]});
                previousPension = c[18];
            }
            whole.months.resize(static_cast<std::size_t>(13 - g.year.firstMonth));
            schedules.push_back(current::WageWithholding(p, whole));
        }
        std::size_t count = 0;
        for (const auto& row : Rows(output.bytes)) {
            const std::size_t e = std::stoul(row.at("证件号码").substr(2));
            const int month = std::stoi(row.at("月份"));
            const current::MonthRow& r =
                schedules[e][static_cast<std::size_t>(month - staff[e].year.firstMonth)];
            const Fen before =
                month == staff[e].year.firstMonth
                    ? 0
                    : std::accumulate(
                          schedules[e].begin(),
                          schedules[e].begin() + (month - staff[e].year.firstMonth), Fen{0},
                          [](Fen sum, const current::MonthRow& x) { return sum + x.withheld; });
            const std::string where =
                std::to_string(year) + " ID" + std::to_string(e) + " " + std::to_string(month);
            ASSERT_EQ(row.at("本期应预扣预缴税额"), payroll::PlainYuan(r.withheld)) << where;
            ASSERT_EQ(row.at("累计已预扣预缴税额"), payroll::PlainYuan(before)) << where;
            ASSERT_EQ(row.at("累计收入"), payroll::PlainYuan(r.cumulativeIncome)) << where;
            ASSERT_EQ(row.at("累计减除费用"), payroll::PlainYuan(r.cumulativeBasic)) << where;
            ASSERT_EQ(row.at("累计应纳税所得额"), payroll::PlainYuan(r.cumulativeTaxable)) << where;
            ASSERT_EQ(row.at("税率"), std::to_string(r.ratePercent)) << where;
            ASSERT_EQ(row.at("速算扣除数"), payroll::PlainYuan(r.quickDeduction)) << where;
            ASSERT_EQ(row.at("累计应纳税额"),
                      payroll::PlainYuan(current::AnnualTableTax(p, r.cumulativeTaxable)))
                << where;
            ASSERT_EQ(row.at("姓名"), "名, \"" + std::to_string(e) + "\"") << where;
            ++count;
        }
        std::size_t rows = 0;
        for (const Generated& g : staff) rows += g.cells.size();
        EXPECT_EQ(count, rows);
    }
}

// Without 证件号码 and 工号, a file is one employee's where keys are optional (the window's
// year) and refused where they are required (the command line); a total goes with none of
// the columns it stands for.
TEST(Withholding, KeysAndTotals) {
    using Keys = payroll::PayrollFile::Keys;
    struct Case {
        const char* name;
        const char* csv;
        Keys keys;
        std::size_t employees;  // when read
        std::vector<std::string> problems;
    };
    const std::vector<Case> cases = {
        {"keyless, optional", "月份,本期收入\n3,100\n4,200\n", Keys::Optional, 1, {}},
        {"keyless, required",
         "月份,本期收入\n3,100\n",
         Keys::Required,
         0,
         {"1: 缺少列 证件号码 或 工号 (必需的列: 月份、本期收入，以及 证件号码 或 工号)"}},
        {"optional, gross missing",
         "月份\n3\n",
         Keys::Optional,
         0,
         {"1: 缺少列 本期收入 (必需的列: 月份、本期收入)"}},
        {"optional keys present", "工号,月份,本期收入\nA,1,1\nB,1,1\n", Keys::Optional, 2, {}},
        {"optional key empty",
         "工号,月份,本期收入\nA,1,1\n ,2,1\n",
         Keys::Optional,
         0,
         {"3: 列 工号: \" \" 是空的 (每行须有员工的工号，各月的行据此归到同一员工)"}},
        {"additional total with a category",
         "月份,本期收入,累计赡养老人,累计专项附加扣除,累计个人养老金\n1,1,0,0,0\n",
         Keys::Optional,
         0,
         {"1: 列 累计专项附加扣除 与列 累计赡养老人 不能同时出现 (累计专项附加扣除 "
          "是其各项的合计，只能给出合计或各项之一)"}},
        {"special with two insurances",
         "月份,本期收入,专项扣除,失业保险费,基本医疗保险费\n1,1,0,0,0\n",
         Keys::Optional,
         0,
         {"1: 列 专项扣除 与列 基本医疗保险费 不能同时出现 (专项扣除 是其各项的合计，只能给出合计或"
          "各项之一)",
          "1: 列 专项扣除 与列 失业保险费 不能同时出现 (专项扣除 是其各项的合计，只能给出合计或各项"
          "之一)"}},
    };
    for (const Case& c : cases) {
        QByteArray bytes(c.csv);
        QBuffer device(&bytes);
        device.open(QIODevice::ReadOnly);
        payroll::PayrollFile file(current::ParametersFor(2024),
                                  current::BasicDeduction::MonthsEmployed, false, c.keys);
        const bool read = file.read(device);
        std::vector<std::string> problems;
        for (const payroll::Problem& problem : file.problems().shown()) {
            problems.push_back(std::to_string(problem.line) + ": " + problem.text);
        }
        EXPECT_EQ(problems, c.problems) << c.name;
        EXPECT_EQ(read, c.problems.empty()) << c.name;
        if (read) {
            EXPECT_EQ(file.employeeCount(), c.employees) << c.name;
        }
    }
}

// The totals give the months the same figures as the columns they stand for.
TEST(Withholding, TotalsReadAsTheirColumns) {
    const auto yearOf = [](const char* csv) {
        QByteArray bytes(csv);
        QBuffer device(&bytes);
        device.open(QIODevice::ReadOnly);
        payroll::PayrollFile file(current::ParametersFor(2024),
                                  current::BasicDeduction::MonthsEmployed, false,
                                  payroll::PayrollFile::Keys::Optional);
        EXPECT_TRUE(file.read(device)) << csv;
        return file.employeeCount() == 1 ? file.year(0) : current::PayrollYear{};
    };
    const current::PayrollYear parts = yearOf(
        "月份,本期收入,基本养老保险费,住房公积金,累计子女教育,累计住房租金,累计个人养老金\n"
        "5,9000,800,1200,2000,1500,100\n6,9000,800,1200,4000,1500,300\n");
    const current::PayrollYear totals = yearOf(
        "月份,本期收入,专项扣除,累计专项附加扣除,累计个人养老金\n"
        "5,9000,2000,3500,100\n6,9000,2000,5500,300\n");
    ASSERT_EQ(parts.months.size(), 2u);
    ASSERT_EQ(totals.months.size(), 2u);
    EXPECT_EQ(parts.firstMonth, 5);
    for (std::size_t i = 0; i < 2; ++i) {
        const current::MonthIncome& a = parts.months[i];
        const current::MonthIncome& b = totals.months[i];
        EXPECT_EQ(std::tie(a.gross, a.special, a.additional, a.other),
                  std::tie(b.gross, b.special, b.additional, b.other))
            << i;
    }
    EXPECT_EQ(totals.months[0].special, 200'000);
    EXPECT_EQ(totals.months[0].additional, 350'000);
    EXPECT_EQ(totals.months[1].additional, 200'000);
    EXPECT_EQ(totals.months[1].other, 20'000);
}

// The same file in UTF-8 with and without its byte-order mark and in GB18030 gives the same
// output; asked for in GB18030, the output is that output converted.
TEST(Withholding, EncodingsGiveTheSameOutput) {
    const QByteArray utf8 = ExampleFile();
    QStringEncoder toGb18030("GB18030");
    const QByteArray gb18030 = toGb18030.encode(QString::fromUtf8(utf8));
    ASSERT_NE(gb18030, utf8);
    const Output plain = Withhold(utf8, 2024);
    ASSERT_TRUE(plain.read);
    EXPECT_EQ(Withhold("\xEF\xBB\xBF" + utf8, 2024).bytes, plain.bytes);
    EXPECT_EQ(Withhold(gb18030, 2024).bytes, plain.bytes);
    QStringEncoder again("GB18030");
    EXPECT_EQ(Withhold(utf8, 2024, payroll::OutputEncoding::Gb18030).bytes,
              again.encode(QString::fromUtf8(plain.bytes.mid(3))));
}

}  // namespace
