#pragma once
// The year month by month as the user enters it: what each month of the year pays and deducts,
// a row a month, edited cell by cell. Months before the first month are not employed: shown as
// such, greyed and not editable.

#include "tax/current.hpp"

#include <QAbstractTableModel>
#include <QStringList>

#include <array>

namespace app::current {

// The amounts of a month, in the grid's order of columns (after the month's).
enum class MonthAmount { Gross, Exempt, Special, Additional, Other, Donation, Relief };
inline constexpr int kMonthAmounts = 7;

QStringList MonthGridHeaders();

class MonthGridModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    // The same month in every month from `firstMonth`, nothing before it.
    void fill(int firstMonth, const tax::current::MonthIncome& month);
    // `months` from `firstMonth` to December (13 - firstMonth of them), nothing before it.
    void setMonths(int firstMonth, const std::vector<tax::current::MonthIncome>& months);
    // Months before `firstMonth` keep what they hold, not employed until it moves back. Not a
    // change of the months a cell's edit is: whoever moves the first month works the year out.
    void setFirstMonth(int firstMonth);
    int firstMonth() const { return firstMonth_; }
    // The months from the first month to December.
    std::vector<tax::current::MonthIncome> months() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // An amount as ReadYuan reads it; anything else is refused, reported by `refused`, and the
    // cell keeps its amount.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    // A cell refused: its month (1 to 12) and its column's header.
    void refused(int month, const QString& column);
    // Filled, or a cell changed.
    void monthsChanged();

private:
    bool employed(int row) const { return row + 1 >= firstMonth_; }

    int firstMonth_ = 1;
    std::array<tax::current::MonthIncome, 12> months_{};
};

}  // namespace app::current
