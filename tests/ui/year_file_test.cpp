// The year's CSV file: exported and read back exactly, read by tovarin-tax's reader to the same
// withholding, and every refusal with its file, line and column.

#include "app/current/year_file.hpp"
#include "csv_rows.hpp"
#include "payroll/amount.hpp"
#include "payroll/withholding.hpp"

#include <QBuffer>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace {

namespace current = tax::current;
using app::current::ReadYearCsv;
using app::current::YearCsv;
using app::current::YearImport;
using current::BasicDeduction;
using current::Fen;
using current::MonthIncome;
using current::PayrollYear;

struct Sample {
    const char* name;
    int taxYear;
    PayrollYear year;
};

// Years with every figure the grid holds: a raise, a late special additional claim, exempt
// pay, donations and a relief, under each basic-deduction rule.
std::vector<Sample> Samples() {
    PayrollYear whole{1, BasicDeduction::WholeYear, {}};
    for (int m = 1; m <= 12; ++m) {
        const Fen gross = m < 4 ? 1'500'000 : 2'234'567;
        whole.months.push_back({gross, m == 6 ? 50'000 : 0, 337'512, m == 5 ? 1'000'000 : 200'000,
                                m == 12 ? 12'345 : 0, m == 9 ? 100'001 : 0, m == 10 ? 2'500 : 0});
    }
    PayrollYear employed{4, BasicDeduction::MonthsEmployed, {}};
    for (int m = 4; m <= 12; ++m) employed.months.push_back({3'000'000, 0, 675'000, 0, 0, 0, 0});
    PayrollYear fromJanuary{8, BasicDeduction::FromJanuary, {}};
    for (int m = 8; m <= 12; ++m) {
        fromJanuary.months.push_back({m == 12 ? 0 : 987'654, 1, 2, 3, 4, 5, 6});
    }
    return {{"whole year, 2024", 2024, whole},
            {"from April, 2024", 2024, employed},
            {"from January, August 2020", 2020, fromJanuary}};
}

std::vector<std::string> Problems(const YearImport& imported) {
    std::vector<std::string> problems;
    for (const QString& problem : imported.problems) problems.push_back(problem.toStdString());
    return problems;
}

auto Fields(const MonthIncome& m) {
    return std::tie(m.gross, m.exempt, m.special, m.additional, m.other, m.donation, m.relief);
}

void ExpectSameYear(const PayrollYear& got, const PayrollYear& want, const char* name) {
    EXPECT_EQ(got.firstMonth, want.firstMonth) << name;
    EXPECT_EQ(got.basic, want.basic) << name;
    ASSERT_EQ(got.months.size(), want.months.size()) << name;
    for (std::size_t i = 0; i < want.months.size(); ++i) {
        EXPECT_EQ(Fields(got.months[i]), Fields(want.months[i])) << name << " month " << i;
    }
}

TEST(YearFile, ExportReadsBackExactly) {
    for (const Sample& s : Samples()) {
        const current::Parameters& p = current::ParametersFor(s.taxYear);
        const QByteArray csv = YearCsv(s.year, current::WageWithholding(p, s.year));
        const YearImport imported = ReadYearCsv(csv, "year.csv", p);
        ASSERT_TRUE(imported.year) << s.name << ::testing::PrintToString(Problems(imported));
        EXPECT_TRUE(imported.problems.isEmpty()) << s.name;
        ExpectSameYear(*imported.year, s.year, s.name);
    }
}

TEST(YearFile, ExportsTheGridAndTheScheduleInOneRowPerMonth) {
    const Sample s = Samples()[1];
    const current::Parameters& p = current::ParametersFor(s.taxYear);
    const QByteArray csv = YearCsv(s.year, current::WageWithholding(p, s.year));
    const QList<QByteArray> lines = csv.split('\n');
    ASSERT_EQ(lines.size(), 11);  // the header, April to December, nothing after the last CRLF
    EXPECT_EQ(lines[0],
              "\xEF\xBB\xBF"
              "月份,工号,本期收入,本期免税收入,专项扣除,累计专项附加扣除,其他,准予扣除的捐赠额,"
              "减免税额,减除费用方式,累计收入,累计减除费用,累计扣除,累计应纳税所得额,税率（%）,"
              "速算扣除数,累计应纳税额,本月预扣税额,本月税后收入\r");
    EXPECT_EQ(lines[1],
              "4,1,30000.00,0.00,6750.00,0.00,0.00,0.00,0.00,按任职月份,30000.00,5000.00,6750.00,"
              "18250.00,3,0.00,547.50,547.50,22702.50\r");
    EXPECT_TRUE(lines[10].isEmpty());
}

// The file as the command line reads it: the same withholding, month by month, as the schedule
// the window wrote beside it.
TEST(YearFile, TovarinTaxReadsTheExportToTheSameWithholding) {
    for (const Sample& s : Samples()) {
        const current::Parameters& p = current::ParametersFor(s.taxYear);
        const std::vector<current::MonthRow> schedule = current::WageWithholding(p, s.year);
        QByteArray exported = YearCsv(s.year, schedule);
        QBuffer input(&exported);
        input.open(QIODevice::ReadOnly);
        payroll::PayrollFile file(p, BasicDeduction::MonthsEmployed, false);
        ASSERT_TRUE(file.read(input)) << s.name;
        QByteArray output;
        QBuffer out(&output);
        out.open(QIODevice::WriteOnly);
        QString error;
        ASSERT_TRUE(file.write(input, out, payroll::OutputEncoding::Utf8, error)) << s.name;
        const auto rows = payrolltest::CsvRows(output);
        ASSERT_EQ(rows.size(), schedule.size()) << s.name;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const auto& row = rows[i];
            const current::MonthRow& r = schedule[i];
            EXPECT_EQ(row.at("本期应预扣预缴税额"), row.at("本月预扣税额")) << s.name << i;
            EXPECT_EQ(row.at("本期应预扣预缴税额"), payroll::PlainYuan(r.withheld)) << s.name << i;
            EXPECT_EQ(row.at("累计应纳税所得额"), payroll::PlainYuan(r.cumulativeTaxable))
                << s.name << i;
            EXPECT_EQ(row.at("累计减除费用"), payroll::PlainYuan(r.cumulativeBasic)) << s.name;
            EXPECT_EQ(row.at("税率"), std::to_string(r.ratePercent)) << s.name << i;
        }
    }
}

const std::string kText =
    "工号,姓名,月份,本期收入,专项扣除,累计子女教育,减除费用方式\r\n"
    "A01,\"张, 三\",11,20000.00,4000,2000,自1月\r\n"
    "A01,\"张, 三\",12,20000.5,4000,4000,自1月\r\n";

TEST(YearFile, ReadsEachEncodingAlike) {
    QStringEncoder toGb18030("GB18030");
    const QByteArray utf8 = QByteArray::fromStdString(kText);
    const QByteArray gb18030 = toGb18030.encode(QString::fromStdString(kText));
    ASSERT_NE(gb18030, utf8);
    const PayrollYear want{11,
                           BasicDeduction::FromJanuary,
                           {{2'000'000, 0, 400'000, 200'000}, {2'000'050, 0, 400'000, 200'000}}};
    const std::vector<std::pair<const char*, QByteArray>> variants = {
        {"UTF-8", utf8}, {"UTF-8 with BOM", "\xEF\xBB\xBF" + utf8}, {"GB18030", gb18030}};
    for (const auto& [name, bytes] : variants) {
        const YearImport imported = ReadYearCsv(bytes, "f.csv", current::ParametersFor(2024));
        ASSERT_TRUE(imported.year) << name << ::testing::PrintToString(Problems(imported));
        ExpectSameYear(*imported.year, want, name);
    }
}

TEST(YearFile, RefusesWithFileLineAndColumn) {
    const std::string rule =
        "不是金额 (金额只含数字和至多一个小数点，最多两位小数，如 1234.56；不带正负号、千位分隔符或"
        "单位，不超过 1000000000000)";
    std::string badSeventh = "月份,本期收入,其他\n";
    for (int m = 1; m <= 5; ++m) badSeventh += std::to_string(m) + ",100,1\n";
    badSeventh += "6,\"12,3\",1\n7,100,1\n";
    struct Case {
        const char* name;
        QByteArray bytes;
        std::vector<std::string> problems;
    };
    const std::vector<Case> cases = {
        {"neither UTF-8 nor GB18030",
         QStringEncoder("GB18030").encode(QString::fromUtf8("月份,本期收入\n1,100\n")) +
             "2,\x80\xFF\n",
         {"f.csv:3: 无法识别的编码: 此行既不是有效的 UTF-8，也不是有效的 GB18030 (可读的编码: "
          "UTF-8，带或不带 BOM；GB18030)"}},
        {"UTF-8 after a byte-order mark, then not",
         "\xEF\xBB\xBF月份,本期收入\n1,1\n2,\xFF\n",
         {"f.csv:3: 编码错误: 此行不是有效的 UTF-8 (文件以 UTF-8 的 BOM 开头，其余部分也须是 "
          "UTF-8)"}},
        {"no gross", "工号,月份\nA,1\n", {"f.csv:1: 缺少列 本期收入 (必需的列: 月份、本期收入)"}},
        {"bad amount on line 7",
         QByteArray::fromStdString(badSeventh),
         {"f.csv:7: 列 本期收入: \"12,3\" " + rule}},
        {"two employees",
         "证件号码,月份,本期收入\nA,1,100\nA,2,100\nb,1,100\n",
         {"f.csv:4: 另一名员工 \"B\" (此文件只能有一名员工的各月；第 2 行起是员工 \"A\" 的)"}},
        {"header only",
         "月份,本期收入\r\n",
         {"f.csv: 没有数据行 (表头之后应是各月的行，每月一行)"}},
        {"a month missing",
         "月份,本期收入\n3,1\n5,1\n",
         {"f.csv:3: 列 月份: \"5\" 不连续: 该员工缺少 4 月 (该员工的首月是 3 月，此后各月须连续，"
          "每月一行)"}},
        {"a rule the year lacks",
         "月份,本期收入,减除费用方式\n1,1,全年6万\n",
         {"f.csv:2: 列 减除费用方式: \"全年6万\" 在 2019 年不可用 (2021 年起才有这一减除方式)"}},
    };
    for (const Case& c : cases) {
        const YearImport imported = ReadYearCsv(c.bytes, "f.csv", current::ParametersFor(2019));
        EXPECT_FALSE(imported.year) << c.name;
        EXPECT_EQ(Problems(imported), c.problems) << c.name;
    }
}

// As on the command line: the first 50 problems by line, then how many there were.
TEST(YearFile, ShowsFiftyProblemsAndTheirCount) {
    std::string csv = "工号,月份,本期收入,其他\n";
    for (int e = 0; e < 30; ++e) csv += "E" + std::to_string(e) + ",1,x,-1\n";
    const YearImport imported =
        ReadYearCsv(QByteArray::fromStdString(csv), "f.csv", current::ParametersFor(2024));
    EXPECT_FALSE(imported.year);
    ASSERT_EQ(imported.problems.size(), 51);
    EXPECT_TRUE(imported.problems[0].startsWith(QString::fromUtf8("f.csv:2: 列 本期收入: \"x\" ")));
    EXPECT_TRUE(imported.problems[1].startsWith(QString::fromUtf8("f.csv:2: 列 其他: \"-1\" ")));
    EXPECT_EQ(imported.problems[50].toStdString(), "f.csv: 共 60 处错误，以上是前 50 处");
}

// The grid holds every month to December: those after the last row are 0, as tovarin-tax
// counts them.
TEST(YearFile, MonthsAfterTheLastRowAreZero) {
    const YearImport imported =
        ReadYearCsv("月份,本期收入\n3,100\n4,200.5\n", "f.csv", current::ParametersFor(2024));
    ASSERT_TRUE(imported.year);
    const PayrollYear want{3, BasicDeduction::MonthsEmployed,
                           std::vector<MonthIncome>(10, MonthIncome{})};
    PayrollYear expected = want;
    expected.months[0].gross = 10'000;
    expected.months[1].gross = 20'050;
    ExpectSameYear(*imported.year, expected, "to December");
}

TEST(YearFile, AFileThatCannotBeOpenedIsNamed) {
    QTemporaryDir dir;
    const QString path = dir.filePath("missing.csv");
    const YearImport imported = app::current::ReadYearCsvFile(path, current::ParametersFor(2024));
    EXPECT_FALSE(imported.year);
    ASSERT_EQ(imported.problems.size(), 1);
    EXPECT_TRUE(imported.problems[0].startsWith(path + QString::fromUtf8(": 无法读取: ")))
        << imported.problems[0].toStdString();
}

}  // namespace
