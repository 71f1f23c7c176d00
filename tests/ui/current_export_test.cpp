// The schedule's CSV export: the bytes written, and failures that leave nothing behind.

#include "app/current/pages.hpp"
#include "current_fixture.hpp"

#include <QDir>
#include <QFile>
#include <QPushButton>
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

const char* const kHeader =
    "月份,累计收入,累计减除费用,累计扣除,累计应纳税所得额,税率（%）,速算扣除数,累计应纳税额,"
    "本月预扣税额,本月税后收入\r\n";

TEST_F(CsvExport, ExportIsOnlyOfferedOnceThereIsASchedule) {
    QPushButton& button = window.control<Control::WageExportCsv>();
    EXPECT_FALSE(button.isEnabled());
    enter({{Control::WageGross, "20000"}});
    calculate(PageId::Wage);
    EXPECT_TRUE(button.isEnabled());
}

TEST_F(CsvExport, EveryByteOfAScheduleFromJuly) {
    const QByteArray csv = exported({{Control::WageGross, "20000"},
                                     {Control::WageSpecial, "4000"},
                                     {Control::WageAdditional, "2000"},
                                     {Control::WageOther, "1000.5"},
                                     {Control::WageFirstMonth, "7"}});
    const QByteArray expected =
        QByteArray("\xEF\xBB\xBF") + kHeader +
        U("7月,20000.00,5000.00,7000.50,7999.50,3,0.00,239.99,239.99,15760.01\r\n"
          "8月,40000.00,10000.00,14001.00,15999.00,3,0.00,479.97,239.98,15760.02\r\n"
          "9月,60000.00,15000.00,21001.50,23998.50,3,0.00,719.96,239.99,15760.01\r\n"
          "10月,80000.00,20000.00,28002.00,31998.00,3,0.00,959.94,239.98,15760.02\r\n"
          "11月,100000.00,25000.00,35002.50,39997.50,10,2520.00,1479.75,519.81,15480.19\r\n"
          "12月,120000.00,30000.00,42003.00,47997.00,10,2520.00,2279.70,799.95,15200.05\r\n"
          "全年合计,120000.00,30000.00,42003.00,47997.00,,,2279.70,2279.70,93720.30\r\n")
            .toUtf8();
    EXPECT_EQ(csv, expected);
}

TEST_F(CsvExport, AYearOfTheWageExampleHasPlainAmountsAndItsTotals) {
    const QByteArray csv = exported({{Control::WageGross, "20000"},
                                     {Control::WageSpecial, "4000"},
                                     {Control::WageAdditional, "2000"}});
    ASSERT_TRUE(csv.startsWith("\xEF\xBB\xBF"));
    const QList<QByteArray> lines = csv.mid(3).split('\n');
    ASSERT_EQ(lines.size(), 15);  // header, twelve months, the year, and nothing after the last end
    EXPECT_EQ(lines[0] + '\n', QByteArray(kHeader));
    EXPECT_EQ(lines[1],
              U("1月,20000.00,5000.00,6000.00,9000.00,3,0.00,270.00,270.00,15730.00\r").toUtf8());
    EXPECT_EQ(
        lines[13],
        U("全年合计,240000.00,60000.00,72000.00,108000.00,,,8280.00,8280.00,183720.00\r").toUtf8());
    EXPECT_TRUE(lines[14].isEmpty());
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

}  // namespace
}  // namespace uitest
