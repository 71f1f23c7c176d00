// The year's CSV file: the bytes exported, failures that leave nothing behind, and the import
// of such a file into the grid, or its refusal that changes nothing.

#include "app/current/pages.hpp"
#include "current_fixture.hpp"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStringEncoder>
#include <QTableView>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

namespace uitest {
namespace {

class CsvExport : public CurrentWindowTest {
protected:
    app::current::WagePage& wages() {
        return static_cast<app::current::WagePage&>(page(PageId::Wage));
    }

    QByteArray exported(const Entries& entries) {
        enter(entries);
        calculate(PageId::Wage);
        return ExportNow();
    }

    QByteArray ExportNow() {
        const QString path = dir.filePath("schedule.csv");
        EXPECT_TRUE(wages().exportCsv(path));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    QStringList Listing() const {
        return QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden);
    }

    ui::Box Failed(const QString& path, const char* reason) const {
        return {U("CSV 文件没有导出：无法写入“") + path + U("”（") + U(reason) +
                    U("）。\n该位置没有留下不完整的文件。"),
                U("导出失败"), ui::BoxIcon::Exclamation};
    }

    QTemporaryDir dir;
};

// The grid's columns under the payroll file's names, then the schedule's.
const char* const kHeader =
    "月份,工号,本期收入,本期免税收入,专项扣除,累计专项附加扣除,其他,准予扣除的捐赠额,减免税额,"
    "减除费用方式,累计收入,累计减除费用,累计扣除,累计应纳税所得额,税率（%）,速算扣除数,"
    "累计应纳税额,本月预扣税额,本月税后收入\r\n";

TEST_F(CsvExport, ExportIsOnlyOfferedOnceThereIsASchedule) {
    QPushButton& button = window.control<Control::WageExportCsv>();
    EXPECT_FALSE(button.isEnabled());
    enter({{Control::WageGross, "20000"}});
    calculate(PageId::Wage);
    EXPECT_TRUE(button.isEnabled());
}

// The special additional deduction as the payroll file has it: cumulative from the first month.
TEST_F(CsvExport, EveryByteOfAScheduleFromJuly) {
    const QByteArray csv = exported({{Control::WageGross, "20000"},
                                     {Control::WageSpecial, "4000"},
                                     {Control::WageAdditional, "2000"},
                                     {Control::WageOther, "1000.5"},
                                     {Control::WageFirstMonth, "7"}});
    const QByteArray expected =
        QByteArray("\xEF\xBB\xBF") + kHeader +
        U("7,1,20000.00,0.00,4000.00,2000.00,1000.50,0.00,0.00,按任职月份,"
          "20000.00,5000.00,7000.50,7999.50,3,0.00,239.99,239.99,15760.01\r\n"
          "8,1,20000.00,0.00,4000.00,4000.00,1000.50,0.00,0.00,按任职月份,"
          "40000.00,10000.00,14001.00,15999.00,3,0.00,479.97,239.98,15760.02\r\n"
          "9,1,20000.00,0.00,4000.00,6000.00,1000.50,0.00,0.00,按任职月份,"
          "60000.00,15000.00,21001.50,23998.50,3,0.00,719.96,239.99,15760.01\r\n"
          "10,1,20000.00,0.00,4000.00,8000.00,1000.50,0.00,0.00,按任职月份,"
          "80000.00,20000.00,28002.00,31998.00,3,0.00,959.94,239.98,15760.02\r\n"
          "11,1,20000.00,0.00,4000.00,10000.00,1000.50,0.00,0.00,按任职月份,"
          "100000.00,25000.00,35002.50,39997.50,10,2520.00,1479.75,519.81,15480.19\r\n"
          "12,1,20000.00,0.00,4000.00,12000.00,1000.50,0.00,0.00,按任职月份,"
          "120000.00,30000.00,42003.00,47997.00,10,2520.00,2279.70,799.95,15200.05\r\n")
            .toUtf8();
    EXPECT_EQ(csv, expected);
}

TEST_F(CsvExport, AYearOfTheWageExampleHasPlainAmountsAndAMonthARow) {
    const QByteArray csv = exported({{Control::WageGross, "20000"},
                                     {Control::WageSpecial, "4000"},
                                     {Control::WageAdditional, "2000"}});
    ASSERT_TRUE(csv.startsWith("\xEF\xBB\xBF"));
    const QList<QByteArray> lines = csv.mid(3).split('\n');
    ASSERT_EQ(lines.size(), 14);  // header, twelve months, and nothing after the last end
    EXPECT_EQ(lines[0] + '\n', QByteArray(kHeader));
    EXPECT_EQ(lines[1], U("1,1,20000.00,0.00,4000.00,2000.00,0.00,0.00,0.00,按任职月份,"
                          "20000.00,5000.00,6000.00,9000.00,3,0.00,270.00,270.00,15730.00\r")
                            .toUtf8());
    EXPECT_TRUE(lines[12].startsWith(U("12,1,20000.00,0.00,4000.00,24000.00,").toUtf8()));
    EXPECT_TRUE(lines[12].endsWith(",108000.00,10,2520.00,8280.00,900.00,15100.00\r"))
        << lines[12].toStdString();
    EXPECT_TRUE(lines[13].isEmpty());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(CsvExport, TheExportIsWhatTheTableShowsNotWhatWasTypedSince) {
    const QByteArray first = exported({{Control::WageGross, "20000"}});
    enter({{Control::WageGross, "50000"}});  // typed, not calculated
    EXPECT_EQ(ExportNow(), first);
    EXPECT_NE(exported({{Control::WageGross, "50000"}}), first);
}

struct FailedWrite {
    const char* what;
    const char* target;  // inside the scratch folder
    const char* reason;

    friend void PrintTo(const FailedWrite& f, std::ostream* os) { *os << f.what; }
};

class CsvExportFails : public CsvExport, public testing::WithParamInterface<FailedWrite> {};

TEST_P(CsvExportFails, SaysSoAndLeavesNoFile) {
    const FailedWrite& f = GetParam();
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    enter({{Control::WageGross, "20000"}});
    calculate(PageId::Wage);
    const QString path = dir.filePath(f.target);
    EXPECT_FALSE(wages().exportCsv(path));
    EXPECT_EQ(boxes, std::vector<ui::Box>{Failed(QDir::toNativeSeparators(path), f.reason)});
    EXPECT_EQ(Listing(), QStringList{"folder"});
    EXPECT_TRUE(QDir(dir.filePath("folder")).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Targets, CsvExportFails,
    // clang-format off
    testing::Values(
        FailedWrite{"MissingFolder", "missing/schedule.csv", "No such file or directory"},
        FailedWrite{"AFolder", "folder", "Filename refers to a directory"}),
    // clang-format on
    [](const testing::TestParamInfo<FailedWrite>& info) { return std::string(info.param.what); });

// A file size limit makes the write itself fail, after the temporary file was made.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit saved_{};
    void (*previousHandler_)(int);
};

TEST_F(CsvExport, AWriteThatFailsHalfWayKeepsTheOldFileAndLeavesNoTemporaryOne) {
    const QString path = dir.filePath("schedule.csv");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old content\n");
    }
    enter({{Control::WageGross, "20000"}});
    calculate(PageId::Wage);
    bool written = true;
    {
        FileSizeLimit limit(100);
        written = wages().exportCsv(path);
    }
    EXPECT_FALSE(written);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, U("导出失败"));
    EXPECT_TRUE(boxes[0].prompt.contains(path)) << boxes[0].prompt.toStdString();
    EXPECT_EQ(Listing(), QStringList{"schedule.csv"});
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "old content\n");
}

class CsvImport : public CsvExport {
protected:
    QString Write(const QByteArray& bytes) {
        const QString path = dir.filePath("year.csv");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    // What the grid and the schedule show, cell by cell.
    QStringList Shown() {
        QStringList cells;
        for (QAbstractItemModel* model : {window.control<Control::WageMonths>().model(),
                                          window.control<Control::WageSchedule>().model()}) {
            for (int row = 0; row < model->rowCount(); ++row) {
                for (int column = 0; column < model->columnCount(); ++column) {
                    cells << model->index(row, column).data().toString();
                }
            }
        }
        return cells;
    }
};

// A year from July with the basic deduction from January and one month of its own, exported
// and read back into a window that held another year: the same grid, rule and schedule.
TEST_F(CsvImport, AnExportedYearComesBackWholeWithItsFirstMonthAndRule) {
    enter({{Control::WageGross, "10000"},
           {Control::WageSpecial, "1500"},
           {Control::WageFirstMonth, "7"},
           {Control::WageBasicFromJanuary, "1"}});
    calculate(PageId::Wage);
    QAbstractItemModel& months = *window.control<Control::WageMonths>().model();
    ASSERT_TRUE(months.setData(months.index(11, 1), "25000"));
    const QByteArray exported = ExportNow();
    const QStringList shown = Shown();

    enter({{Control::WageGross, "3000"},
           {Control::WageFirstMonth, "1"},
           {Control::WageBasicMonthsEmployed, "1"}});
    calculate(PageId::Wage);
    ASSERT_NE(Shown(), shown);

    EXPECT_TRUE(wages().importCsv(Write(exported)));
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(window.control<Control::WageFirstMonth>().value(), 7);
    EXPECT_TRUE(window.control<Control::WageBasicFromJanuary>().isChecked());
    EXPECT_EQ(Shown(), shown);
    EXPECT_EQ(ExportNow(), exported);
}

TEST_F(CsvImport, AFileInGb18030IsReadAsSpreadsheetsSaveIt) {
    const QByteArray gb18030 =
        QStringEncoder("GB18030").encode(U("月份,本期收入,专项扣除\r\n1,20000,4000\r\n"));
    EXPECT_TRUE(wages().importCsv(Write(gb18030)));
    const QAbstractItemModel& schedule = *window.control<Control::WageSchedule>().model();
    ASSERT_EQ(schedule.rowCount(), 13);  // January's figures, then nothing to December, the year
    EXPECT_EQ(schedule.index(0, 8).data().toString(), U("330.00"));
}

struct RefusedFile {
    const char* what;
    QByteArray bytes;
    const char* problem;  // after the file's path
};

// A file refused says where and why, and the grid, the first month, the rule and the schedule
// stay as they were.
TEST_F(CsvImport, ARefusedFileIsReportedByLineAndChangesNothing) {
    QByteArray badSeventh = "月份,本期收入\n";
    for (int m = 1; m <= 5; ++m) badSeventh += QByteArray::number(m) + ",100\n";
    badSeventh += "6,\"12,3\"\n";
    const RefusedFile files[] = {
        {"UTF-8, then a line that is not", QByteArray("月份,本期收入\n1,100\n2,\x80\xFF\n"),
         ":3: 编码错误: 此行不是有效的 UTF-8"},
        {"no gross", QByteArray("工号,月份\nA,1\n"), ":1: 缺少列 本期收入"},
        {"a bad amount on line 7", badSeventh, ":7: 列 本期收入: \"12,3\" 不是金额"},
    };
    enter({{Control::WageGross, "20000"}, {Control::WageFirstMonth, "3"}});
    calculate(PageId::Wage);
    const QStringList shown = Shown();
    for (const RefusedFile& f : files) {
        SCOPED_TRACE(f.what);
        boxes.clear();
        const QString path = Write(f.bytes);
        EXPECT_FALSE(wages().importCsv(path));
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].title, U("导入失败"));
        EXPECT_TRUE(boxes[0].prompt.startsWith(U("CSV 文件没有导入，逐月收入保持原样：\n")));
        EXPECT_TRUE(boxes[0].prompt.contains(path + U(f.problem))) << boxes[0].prompt.toStdString();
        EXPECT_EQ(window.control<Control::WageFirstMonth>().value(), 3);
        EXPECT_TRUE(window.control<Control::WageBasicMonthsEmployed>().isChecked());
        EXPECT_EQ(Shown(), shown);
    }
}

}  // namespace
}  // namespace uitest
