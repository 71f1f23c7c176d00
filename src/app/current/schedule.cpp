#include "app/current/schedule.hpp"

#include <QFont>
#include <QSaveFile>

namespace app::current {
namespace {

using tax::current::Fen;
using tax::current::MonthRow;

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

QString Amount(Fen fen, Amounts amounts) {
    QString text = QString::fromStdString(tax::current::FormatYuan(fen));
    if (amounts == Amounts::Plain) text.remove(QLatin1Char(','));
    return text;
}

constexpr int kMonthColumn = 0;

QStringList MonthCells(const MonthRow& row, Amounts amounts) {
    return {Text("%1月").arg(row.month),
            Amount(row.cumulativeIncome, amounts),
            Amount(row.cumulativeBasic, amounts),
            Amount(row.cumulativeDeductions, amounts),
            Amount(row.cumulativeTaxable, amounts),
            QString::number(row.ratePercent),
            Amount(row.quickDeduction, amounts),
            Amount(row.cumulativeTax, amounts),
            Amount(row.withheld, amounts),
            Amount(row.netPay, amounts)};
}

QStringList YearCells(const Schedule& schedule, Amounts amounts) {
    const YearSums sums = SumsOf(schedule);
    const MonthRow& last = schedule.back();
    return {Text("全年合计"),
            Amount(last.cumulativeIncome, amounts),
            Amount(last.cumulativeBasic, amounts),
            Amount(last.cumulativeDeductions, amounts),
            Amount(last.cumulativeTaxable, amounts),
            QString(),
            QString(),
            Amount(last.cumulativeTax, amounts),
            Amount(sums.withheld, amounts),
            Amount(sums.netPay, amounts)};
}

}  // namespace

YearSums SumsOf(const Schedule& schedule) {
    YearSums sums;
    for (const MonthRow& row : schedule) {
        sums.withheld += row.withheld;
        sums.netPay += row.netPay;
    }
    return sums;
}

QStringList ScheduleHeaders() {
    return {Text("月份"),        Text("累计收入"),         Text("累计减除费用"),
            Text("累计扣除"),    Text("累计应纳税所得额"), Text("税率（%）"),
            Text("速算扣除数"),  Text("累计应纳税额"),     Text("本月预扣税额"),
            Text("本月税后收入")};
}

std::vector<QStringList> ScheduleCells(const Schedule& schedule, Amounts amounts) {
    std::vector<QStringList> cells;
    if (schedule.empty()) return cells;
    for (const MonthRow& row : schedule) cells.push_back(MonthCells(row, amounts));
    cells.push_back(YearCells(schedule, amounts));
    return cells;
}

QByteArray ScheduleCsv(const Schedule& schedule) {
    QByteArray csv("\xEF\xBB\xBF");
    const auto addLine = [&csv](const QStringList& fields) {
        csv += fields.join(QLatin1Char(',')).toUtf8() + "\r\n";
    };
    addLine(ScheduleHeaders());
    for (const QStringList& row : ScheduleCells(schedule, Amounts::Plain)) addLine(row);
    return csv;
}

// The buffer is flushed and checked before the commit: Qt's commit ignores a failed flush of
// the last buffered bytes and would put a truncated file in place, reporting success. A file
// not committed is discarded with its temporary file when `file` goes out of scope.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString& error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush()) {
        error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

void ScheduleModel::setSchedule(Schedule schedule) {
    beginResetModel();
    schedule_ = std::move(schedule);
    cells_ = ScheduleCells(schedule_, Amounts::Grouped);
    endResetModel();
}

int ScheduleModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(cells_.size());
}

int ScheduleModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(ScheduleHeaders().size());
}

QVariant ScheduleModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    switch (role) {
    case Qt::DisplayRole: return cells_[static_cast<std::size_t>(index.row())][index.column()];
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(index.column() == kMonthColumn
                                       ? Qt::Alignment(Qt::AlignCenter)
                                       : Qt::AlignRight | Qt::AlignVCenter);
    case Qt::FontRole:
        if (index.row() + 1 == rowCount()) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    default: return {};
    }
}

QVariant ScheduleModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    return ScheduleHeaders().value(section);
}

}  // namespace app::current
