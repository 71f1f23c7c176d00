#include "app/current/year_file.hpp"

#include "payroll/amount.hpp"
#include "payroll/columns.hpp"
#include "payroll/withholding.hpp"

#include <QBuffer>
#include <QFile>

#include <string>

namespace app::current {
namespace {

using payroll::Column;
using tax::current::Fen;
using tax::current::MonthIncome;

// The figures the grid holds a month of, under the payroll columns that give them back exactly:
// the special deduction as 专项扣除 (the four insurance and fund columns' total, which the
// reader takes instead of them) and the special additional deduction as 累计专项附加扣除, summed
// from the first month, whose increase the reader takes as the month's amount. The template's
// columns per category cannot be filled: the grid keeps one monthly total.
constexpr std::array kYearColumns = {Column::Month,    Column::StaffNumber, Column::Gross,
                                     Column::Exempt,   Column::Special,     Column::AdditionalTotal,
                                     Column::Other,    Column::Donation,    Column::Relief,
                                     Column::BasicRule};

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString Plain(Fen amount) { return QString::fromStdString(payroll::PlainYuan(amount)); }

QStringList MonthFields(const tax::current::PayrollYear& year, std::size_t index,
                        Fen cumulativeAdditional) {
    const MonthIncome& m = year.months[index];
    return {QString::number(year.firstMonth + static_cast<int>(index)),
            QStringLiteral("1"),
            Plain(m.gross),
            Plain(m.exempt),
            Plain(m.special),
            Plain(cumulativeAdditional),
            Plain(m.other),
            Plain(m.donation),
            Plain(m.relief),
            Utf8(payroll::BasicRuleName(year.basic))};
}

QStringList Listed(const QString& fileName, const payroll::Problems& problems) {
    QStringList listed;
    for (const payroll::Problem& problem : problems.shown()) {
        const QString place = problem.line > 0
                                  ? fileName + QLatin1Char(':') + QString::number(problem.line)
                                  : fileName;
        listed << place + QStringLiteral(": ") + QString::fromStdString(problem.text);
    }
    if (problems.total() > static_cast<std::int64_t>(payroll::Problems::kShown)) {
        listed << fileName + QStringLiteral(": 共 %1 处错误，以上是前 %2 处")
                                 .arg(problems.total())
                                 .arg(payroll::Problems::kShown);
    }
    return listed;
}

YearImport Refused(const QString& fileName, std::int64_t line, const std::string& text) {
    payroll::Problems problems;
    problems.add(line, text);
    return {std::nullopt, Listed(fileName, problems)};
}

}  // namespace

QByteArray YearCsv(const tax::current::PayrollYear& year, const Schedule& schedule) {
    QByteArray csv("\xEF\xBB\xBF");
    const auto addLine = [&csv](const QStringList& fields) {
        csv += fields.join(QLatin1Char(',')).toUtf8() + "\r\n";
    };
    QStringList header;
    for (Column column : kYearColumns) header << Utf8(payroll::ColumnName(column));
    const QStringList scheduleHeaders = ScheduleHeaders().mid(1);
    addLine(header + scheduleHeaders);

    const std::vector<QStringList> scheduleRows = ScheduleCells(schedule, Amounts::Plain);
    Fen cumulativeAdditional = 0;
    for (std::size_t i = 0; i < year.months.size(); ++i) {
        cumulativeAdditional += year.months[i].additional;
        const bool scheduled = i < schedule.size();
        const QStringList scheduleFields =
            scheduled ? scheduleRows[i].mid(1) : QStringList(scheduleHeaders.size(), {});
        addLine(MonthFields(year, i, cumulativeAdditional) + scheduleFields);
    }
    return csv;
}

YearImport ReadYearCsv(const QByteArray& bytes, const QString& fileName,
                       const tax::current::Parameters& parameters) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    payroll::PayrollFile file(parameters, tax::current::BasicDeduction::MonthsEmployed, false,
                              payroll::PayrollFile::Keys::Optional);
    if (!file.read(buffer)) return {std::nullopt, Listed(fileName, file.problems())};
    if (file.employeeCount() == 0) {
        return Refused(fileName, 0, "没有数据行 (表头之后应是各月的行，每月一行)");
    }
    if (file.employeeCount() > 1) {
        return Refused(fileName, file.firstLine(1),
                       "另一名员工 \"" + std::string(file.key(1)) +
                           "\" (此文件只能有一名员工的各月；第 " +
                           std::to_string(file.firstLine(0)) + " 行起是员工 \"" +
                           std::string(file.key(0)) + "\" 的)");
    }
    tax::current::PayrollYear year = file.year(0);
    year.months.resize(static_cast<std::size_t>(13 - year.firstMonth));
    return {std::move(year), {}};
}

YearImport ReadYearCsvFile(const QString& path, const tax::current::Parameters& parameters) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return Refused(path, 0, "无法读取: " + file.errorString().toStdString());
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return Refused(path, 0, "读取失败: " + file.errorString().toStdString());
    }
    return ReadYearCsv(bytes, path, parameters);
}

}  // namespace app::current
