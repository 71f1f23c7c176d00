#pragma once
// The pages of the current-rules window: one per kind of income, and the bonus's planner.

#include "app/current/charts.hpp"
#include "app/current/month_grid.hpp"
#include "app/current/page.hpp"
#include "app/current/schedule.hpp"

#include <array>
#include <optional>

class QStandardItemModel;
class QLabel;
class QRadioButton;
class QTableView;

namespace app::current {

// Wages: the year month by month and its withholding schedule by the cumulative method. The
// quick form fills every month alike; the grid then takes each month's own amounts, and every
// change to it works the year out again at once.
class WagePage : public Page {
public:
    explicit WagePage(const Parameters& p);
    void calculate() override;

    // The year's cumulative taxable income from the quick form as it stands, 0 when the gross
    // wage is empty; nullopt when a field is refused (and reported).
    std::optional<Fen> annualTaxable();

    // The year the page has worked out: the grid's months with the first month and the basic
    // deduction chosen; nullopt until a year is worked out, and again once the tax year changes.
    std::optional<tax::current::PayrollYear> payrollYear() const;
    // Its schedule, empty as long as payrollYear() is nullopt.
    const Schedule& schedule() const;

    // Writes the year the grid holds and the schedule the table shows to `path` as CSV (in the
    // payroll columns tovarin-tax reads); a failure is reported in a box.
    bool exportCsv(const QString& path);
    // Reads one employee's year from the CSV file at `path` into the grid, with its first month
    // and rule, and works it out; a file refused is reported, line by line, and nothing changes.
    bool importCsv(const QString& path);

    // The rule of the basic deduction chosen.
    tax::current::BasicDeduction basicDeduction() const;

protected:
    void clearResults() override;
    void yearChosen() override;

private:
    std::optional<tax::current::PayrollYear> readInput(Need grossNeed);
    tax::current::PayrollYear gridYear() const;
    void addBasicRules();
    QWidget* makeScheduleTab();
    QWidget* makeMonthsTab();
    QWidget* makeTargetTab();
    void offerBasicRules();
    void workOutYear();
    void reportRefusedCell(int month, const QString& column);
    void chooseAdditionalItems();
    void grossForNet();
    void chooseExportFile();
    void chooseImportFile();

    QLineEdit* gross_;
    QLineEdit* special_;
    QLineEdit* additional_;
    QLineEdit* other_;
    QSpinBox* firstMonth_;
    std::array<QRadioButton*, 3> basic_{};  // in the order of BasicDeduction
    std::array<QLabel*, 3> basicLines_{};
    QLineEdit* firstWithheld_;
    QLineEdit* firstNetPay_;
    QLineEdit* yearWithheld_;
    QLineEdit* annualTaxable_;
    QLineEdit* targetNet_;
    QLineEdit* neededGross_;
    QLineEdit* targetFirstNetPay_;
    QLineEdit* targetDecemberNetPay_;
    MonthGridModel* months_;
    QTableView* monthsTable_;
    ScheduleModel* model_;
    QTableView* table_;
    YearChart* chart_;
    QPushButton* import_;
    QPushButton* export_;
};

class BonusChart;

// The annual one-time bonus, taxed on its own and, beside it, added to the year's wages; the
// dead zone it falls in, if any.
class BonusPage : public Page {
public:
    BonusPage(WagePage& wages, const Parameters& p);
    void calculate() override;

    // The bonus as typed, for the planner.
    QLineEdit& bonusField() const { return *bonus_; }

protected:
    void clearResults() override;

private:
    WagePage& wages_;
    QLineEdit* bonus_;
    QLineEdit* separate_;
    QLineEdit* wageTaxable_;
    QLineEdit* combined_;
    QLineEdit* lower_;
    QLineEdit* deadZone_;
    BonusChart* chart_;
};

class LabourPage : public Page {
public:
    explicit LabourPage(const Parameters& p);
    void calculate() override;

private:
    QLineEdit* income_;
    QLineEdit* tax_;
};

class AuthorRoyaltyPage : public Page {
public:
    explicit AuthorRoyaltyPage(const Parameters& p);
    void calculate() override;

private:
    QLineEdit* author_;
    QLineEdit* royalty_;
    QLineEdit* authorTax_;
    QLineEdit* royaltyTax_;
};

class BusinessPage : public Page {
public:
    explicit BusinessPage(const Parameters& p);
    void calculate() override;

private:
    QLineEdit* revenue_;
    QLineEdit* costs_;
    QCheckBox* basicDeduction_;
    QLineEdit* tax_;
};

class InterestIncidentalPage : public Page {
public:
    explicit InterestIncidentalPage(const Parameters& p);
    void calculate() override;

private:
    QLineEdit* interest_;
    QLineEdit* incidental_;
    QCheckBox* lottery_;
    QLineEdit* interestTax_;
    QLineEdit* incidentalTax_;
};

// The annual settlement of comprehensive income, with the bonus taxed on its own and merged,
// side by side.
class SettlementPage : public Page {
public:
    SettlementPage(WagePage& wages, const Parameters& p);
    void calculate() override;

private:
    // One treatment's results.
    struct Outcome {
        QLineEdit* taxable;
        QLineEdit* tax;
        QLineEdit* balance;
        QLineEdit* conclusion;
    };
    void show(const Outcome& outcome, const tax::current::Settlement& settlement);
    void fillFromWages();

    WagePage& wagePage_;
    QLineEdit* wages_;
    QLineEdit* labour_;
    QLineEdit* author_;
    QLineEdit* royalty_;
    QLineEdit* bonus_;
    QLineEdit* special_;
    QLineEdit* additional_;
    QLineEdit* other_;
    QLineEdit* donation_;
    QLineEdit* withheld_;
    Outcome separate_;
    Outcome merged_;
    QLineEdit* better_;
};

// How one employer's pay for the year is best split between wages and the one-time bonus.
class BonusPlanPage : public Page {
public:
    BonusPlanPage(WagePage& wages, BonusPage& bonus, const Parameters& p);
    void calculate() override;

protected:
    void clearResults() override;

private:
    void fillFromWages();

    WagePage& wagePage_;
    BonusPage& bonusPage_;
    QLineEdit* pay_;
    QLineEdit* deductions_;
    QLineEdit* best_;
    QLineEdit* bestTotal_;
    QLineEdit* noBonusTotal_;
    QLineEdit* enteredTotal_;
    QLineEdit* conclusion_;
    QStandardItemModel* alternatives_;
};

}  // namespace app::current
