#include "app/current/month_grid.hpp"

#include <QColor>
#include <QPalette>

#include <algorithm>

namespace app::current {
namespace {

using tax::current::Fen;
using tax::current::MonthIncome;

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

constexpr int kMonthColumn = 0;

template <typename Month>  // MonthIncome, const or not
auto& AmountOf(Month& month, int column) {
    switch (static_cast<MonthAmount>(column - 1)) {
    case MonthAmount::Gross: return month.gross;
    case MonthAmount::Exempt: return month.exempt;
    case MonthAmount::Special: return month.special;
    case MonthAmount::Additional: return month.additional;
    case MonthAmount::Other: return month.other;
    case MonthAmount::Donation: return month.donation;
    case MonthAmount::Relief: break;
    }
    return month.relief;
}

}  // namespace

QStringList MonthGridHeaders() {
    return {Text("月份"),         Text("本期收入"), Text("免税收入"),         Text("专项扣除"),
            Text("专项附加扣除"), Text("其他扣除"), Text("准予扣除的捐赠额"), Text("减免税额")};
}

void MonthGridModel::fill(int firstMonth, const MonthIncome& month) {
    beginResetModel();
    firstMonth_ = firstMonth;
    for (int row = 0; row < 12; ++row) months_[row] = employed(row) ? month : MonthIncome{};
    endResetModel();
    emit monthsChanged();
}

void MonthGridModel::setMonths(int firstMonth, const std::vector<MonthIncome>& months) {
    beginResetModel();
    firstMonth_ = firstMonth;
    months_.fill(MonthIncome{});
    std::copy_n(months.begin(), std::min<std::size_t>(months.size(), 13 - firstMonth),
                months_.begin() + (firstMonth - 1));
    endResetModel();
    emit monthsChanged();
}

void MonthGridModel::setFirstMonth(int firstMonth) {
    if (firstMonth == firstMonth_) return;
    beginResetModel();
    firstMonth_ = firstMonth;
    endResetModel();
}

std::vector<MonthIncome> MonthGridModel::months() const {
    return {months_.begin() + (firstMonth_ - 1), months_.end()};
}

int MonthGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 12; }

int MonthGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 1 + kMonthAmounts;
}

QVariant MonthGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int row = index.row();
    const bool month = index.column() == kMonthColumn;
    switch (role) {
    case Qt::DisplayRole:
        if (month) return Text("%1月").arg(row + 1);
        if (!employed(row)) return index.column() == 1 ? Text("未任职") : QString();
        return QString::fromStdString(
            tax::current::FormatYuan(AmountOf(months_[row], index.column())));
    case Qt::EditRole:
        // Plain, as ReadYuan takes it back.
        return QString::fromStdString(
                   tax::current::FormatYuan(AmountOf(months_[row], index.column())))
            .remove(QLatin1Char(','));
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(month || !employed(row) ? Qt::Alignment(Qt::AlignCenter)
                                                           : Qt::AlignRight | Qt::AlignVCenter);
    case Qt::ForegroundRole:
        if (!employed(row)) return QPalette().color(QPalette::Disabled, QPalette::Text);
        return {};
    default: return {};
    }
}

QVariant MonthGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    return MonthGridHeaders().value(section);
}

Qt::ItemFlags MonthGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid() || !employed(index.row())) return Qt::NoItemFlags;
    if (index.column() == kMonthColumn) return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

bool MonthGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) return false;
    const std::optional<Fen> amount = tax::current::ReadYuan(value.toString().toStdString());
    if (!amount) {
        emit refused(index.row() + 1, MonthGridHeaders().value(index.column()));
        return false;
    }
    Fen& cell = AmountOf(months_[index.row()], index.column());
    if (cell == *amount) return true;
    cell = *amount;
    emit dataChanged(index, index);
    emit monthsChanged();
    return true;
}

}  // namespace app::current
