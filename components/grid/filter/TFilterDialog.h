/// \file
/// The custom filter dialog: up to two conditions on one filterable column, joined by "and" or
/// "or"; OK sets, changes or clears that column's part of the view filter.
#pragma once

#include <QDialog>
#include <array>

class QComboBox;
class QLineEdit;
class QRadioButton;

namespace trevalo {

class TDBColumn;
class TDBTableView;

class TFilterDialog : public QDialog {
    Q_OBJECT
public:
    /// Opens on \p column, or on the first filtered (else filterable) column when null.
    TFilterDialog(TDBTableView& view, TDBColumn* column, QWidget* parent);

    void accept() override;

private:
    struct ConditionRow {
        QComboBox* Operator;
        QLineEdit* Value;
    };

    TDBColumn* SelectedColumn() const;
    void ShowColumnFilter();
    /// The first column offered that a view filter is set on, or null.
    TDBColumn* FilteredColumn() const;
    void LayOut();

    TDBTableView& view_;
    QList<TDBColumn*> columns_;
    QComboBox* column_;
    std::array<ConditionRow, 2> rows_{};
    QRadioButton* and_;
    QRadioButton* or_;
};

} // namespace trevalo
