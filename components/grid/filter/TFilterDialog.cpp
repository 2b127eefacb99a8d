#include "components/grid/filter/TFilterDialog.h"

#include "components/data/IntegerText.h"
#include "components/data/TField.h"
#include "components/grid/view/TDBTableView.h"
#include "platform/Failures.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace trevalo {

namespace {

/// In the order of FilterOperator, after the empty choice that means "no condition".
const QStringList kOperators = {
    QString(),
    QStringLiteral("equals"),
    QStringLiteral("does not equal"),
    QStringLiteral("is less than"),
    QStringLiteral("is less than or equal to"),
    QStringLiteral("is greater than"),
    QStringLiteral("is greater than or equal to"),
    QStringLiteral("is blank"),
    QStringLiteral("is not blank"),
};

bool TakesValue(FilterOperator op) {
    return op != FilterOperator::Blank && op != FilterOperator::NonBlank;
}

} // namespace

TFilterDialog::TFilterDialog(TDBTableView& view, TDBColumn* column, QWidget* parent)
    : QDialog(parent)
    , view_(view)
    , column_(new QComboBox(this))
    , and_(new QRadioButton(QStringLiteral("And"), this))
    , or_(new QRadioButton(QStringLiteral("Or"), this)) {
    setWindowTitle(QStringLiteral("Custom Filter"));
    setObjectName(QStringLiteral("CustomFilter"));
    for (TDBColumn* each : view.VisibleColumns() + view.GroupedColumns()) {
        if (view.MayFilter(*each))
            columns_.append(each);
    }
    for (TDBColumn* each : columns_)
        column_->addItem(each->HeaderText(view.ColumnField(*each)));
    column_->setCurrentIndex(
        std::max<int>(columns_.indexOf(column ? column : FilteredColumn()), 0));
    LayOut();
    connect(column_, &QComboBox::currentIndexChanged, this, &TFilterDialog::ShowColumnFilter);
    ShowColumnFilter();
}

TDBColumn* TFilterDialog::FilteredColumn() const {
    const auto& filtered = view_.DataController().Filter().Columns();
    for (TDBColumn* each : columns_) {
        if (filtered.contains(view_.ColumnFieldIndex(*each)))
            return each;
    }
    return nullptr;
}

void TFilterDialog::LayOut() {
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Show rows where:"), this), 0, 0);
    grid->addWidget(column_, 0, 1);
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        rows_[i] = {new QComboBox(this), new QLineEdit(this)};
        rows_[i].Operator->addItems(kOperators);
        const int line = static_cast<int>(1 + 2 * i);
        grid->addWidget(rows_[i].Operator, line, 0);
        grid->addWidget(rows_[i].Value, line, 1);
    }
    auto* joins = new QHBoxLayout;
    joins->addWidget(and_);
    joins->addWidget(or_);
    grid->addLayout(joins, 2, 0, 1, 2);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    grid->addWidget(buttons, 5, 0, 1, 2);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

TDBColumn* TFilterDialog::SelectedColumn() const {
    const int index = column_->currentIndex();
    return index < 0 ? nullptr : columns_[index];
}

void TFilterDialog::ShowColumnFilter() {
    const TDBColumn* column = SelectedColumn();
    const auto& filtered = view_.DataController().Filter().Columns();
    const ColumnFilter filter =
        column ? filtered.value(view_.ColumnFieldIndex(*column)) : ColumnFilter{};
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const bool set = static_cast<qsizetype>(i) < filter.Conditions.size();
        const FilterCondition* condition =
            set ? &filter.Conditions[static_cast<qsizetype>(i)] : nullptr;
        rows_[i].Operator->setCurrentIndex(condition ? static_cast<int>(condition->Operator) + 1
                                                     : 0);
        rows_[i].Value->setText(condition ? DisplayText(condition->Value) : QString());
    }
    (filter.Or ? or_ : and_)->setChecked(true);
}

void TFilterDialog::accept() {
    TDBColumn* column = SelectedColumn();
    if (!column) {
        QDialog::accept();
        return;
    }
    const TField* field = view_.ColumnField(*column);
    ColumnFilter filter{{}, or_->isChecked()};
    const bool read = Guard([&] {
        for (const ConditionRow& row : rows_) {
            if (row.Operator->currentIndex() <= 0)
                continue;
            const auto op = static_cast<FilterOperator>(row.Operator->currentIndex() - 1);
            CacheValue value;
            if (TakesValue(op) && field->DataType() == engine::FieldType::Integer) {
                if (const auto number = ParseIntegerText(row.Value->text(), field->FieldName()))
                    value = *number;
            } else if (TakesValue(op)) {
                value = row.Value->text();
            }
            filter.Conditions.append({op, value});
        }
    });
    if (!read)
        return;
    const int index = view_.ColumnFieldIndex(*column);
    view_.DataController().SetColumnFilter(
        index, filter.Conditions.isEmpty() ? std::nullopt : std::optional(filter));
    QDialog::accept();
}

} // namespace trevalo
