#pragma once
// The monthly withholding schedule as a table: its cells, the model a view shows, and the CSV
// file it is exported to.

#include "tax/current.hpp"

#include <QAbstractTableModel>
#include <QByteArray>
#include <QStringList>

#include <vector>

namespace app::current {

using Schedule = std::vector<tax::current::MonthRow>;

QStringList ScheduleHeaders();

// The year's sums of what the months withhold and pay out.
struct YearSums {
    tax::current::Fen withheld = 0, netPay = 0;
};
YearSums SumsOf(const Schedule& schedule);

// Amounts grouped as the window shows them ("15,730.00"), or plain for a spreadsheet
// ("15730.00").
enum class Amounts { Grouped, Plain };

// One row a month, then the year's row: the cumulative figures of the last month, the sums of
// the withholding and the pay after tax, and no rate or quick deduction. No rows for an empty
// schedule.
std::vector<QStringList> ScheduleCells(const Schedule& schedule, Amounts amounts);

// UTF-8 with a byte-order mark, so that spreadsheet programs read the Chinese headers; comma
// separated, CRLF line ends; plain amounts, which contain no comma, so no field is quoted.
QByteArray ScheduleCsv(const Schedule& schedule);

// Writes `bytes` to `path` through a temporary file that replaces it only when complete; on
// failure nothing is left at `path` but what stood there before, and `error` says why.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString& error);

// Read-only; the year's row in bold, amounts to the right.
class ScheduleModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    void setSchedule(Schedule schedule);
    const Schedule& schedule() const { return schedule_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    Schedule schedule_;
    std::vector<QStringList> cells_;
};

}  // namespace app::current
