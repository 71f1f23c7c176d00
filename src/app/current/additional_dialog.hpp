#pragma once
// The special additional deductions item by item: the month's total built from what the
// employee knows (children, education, housing, elderly parents) by the year's standards. A
// combination that cannot go together is named, and OK stays disabled until it is resolved.

#include "tax/current.hpp"

#include <QDialog>

#include <optional>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace app::current {

class AdditionalDialog : public QDialog {
    Q_OBJECT

public:
    AdditionalDialog(const tax::current::Parameters& p, QWidget* parent = nullptr);

    // The month's total as entered; nullopt while the claims cannot go together.
    std::optional<tax::current::Fen> total() const { return total_; }
    // Why OK is disabled; empty while it is not.
    QString refusal() const;

    QSpinBox& childrenInEducation() const { return *children_; }
    QSpinBox& childrenUnder3() const { return *infants_; }
    QComboBox& childShare() const { return *share_; }
    QCheckBox& degreeEducation() const { return *degree_; }
    QCheckBox& housingLoan() const { return *loan_; }
    QComboBox& rent() const { return *rent_; }
    QCheckBox& onlyChild() const { return *onlyChild_; }
    QLineEdit& elderlyShare() const { return *elderlyShare_; }
    QPushButton& okButton() const;

private:
    void update();

    const tax::current::Parameters& parameters_;
    QSpinBox* children_;
    QSpinBox* infants_;
    QComboBox* share_;
    QCheckBox* degree_;
    QCheckBox* loan_;
    QComboBox* rent_;
    QCheckBox* onlyChild_;
    QLineEdit* elderlyShare_;
    QLineEdit* totalField_;
    QLabel* refusal_;
    QDialogButtonBox* buttons_;
    std::optional<tax::current::Fen> total_;
};

}  // namespace app::current
