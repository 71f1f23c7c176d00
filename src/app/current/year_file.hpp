#pragma once
// The wage page's year as a CSV file in the payroll columns that tovarin-tax reads, so that one
// file serves both: the window exports it with the schedule after each month and reads it back,
// and `tovarin-tax withhold` computes the same withholding from it.

#include "app/current/schedule.hpp"
#include "tax/current.hpp"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace app::current {

// One row per month from the first month: 月份, 工号 (always 1: the window holds one employee,
// and tovarin-tax needs a key), the year's figures, 减除费用方式, then the schedule's columns
// but its month (the row's own) and without the year's row. UTF-8 with a byte-order mark, CRLF
// line ends, plain amounts. A month the schedule has no row for has those cells empty.
QByteArray YearCsv(const tax::current::PayrollYear& year, const Schedule& schedule);

// Either the year or why not, never part of it.
struct YearImport {
    std::optional<tax::current::PayrollYear> year;
    QStringList problems;  // "FILE:LINE: …" as tovarin-tax words them, by line
};

// One employee's year, read as tovarin-tax reads a payroll file for `parameters`' year: UTF-8
// with or without a byte-order mark, else GB18030; 月份 and 本期收入 required, 证件号码 or 工号
// optional but one employee throughout; rows month after month from the first month, which is
// the year's; 减除费用方式 按任职月份 where no row gives one. The months after the last row count
// 0 to December, as tovarin-tax counts them.
YearImport ReadYearCsv(const QByteArray& bytes, const QString& fileName,
                       const tax::current::Parameters& parameters);
// The file at `path`, named by it in the problems.
YearImport ReadYearCsvFile(const QString& path, const tax::current::Parameters& parameters);

}  // namespace app::current
