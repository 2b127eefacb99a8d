/// \file
/// A data-bound table view: its columns, options and styles, the data controller that keeps its
/// sorted copy of the working view, and the operations that the grid's input turns into.
/// Nothing here paints; the grid control shows the view and hands it the user's clicks and keys.
#pragma once

#include "components/data/TDataSource.h"
#include "components/forms/TComponent.h"
#include "components/grid/model/TDBDataController.h"
#include "components/grid/view/TDBColumn.h"
#include "components/grid/view/TGridStyle.h"
#include "components/grid/view/TNavigatorButtons.h"
#include "components/grid/view/TViewOptions.h"

#include <QObject>
#include <functional>

namespace trevalo {

class TDBTableView : public QObject, public TComponent {
    Q_OBJECT
    Q_PROPERTY(trevalo::TDataSource* DataSource READ DataSource WRITE SetDataSource)
    Q_PROPERTY(QObject* NavigatorButtons READ NavigatorButtonsObject)
    Q_PROPERTY(QObject* OptionsView READ OptionsViewObject)
    Q_PROPERTY(QObject* OptionsBehavior READ OptionsBehaviorObject)
    Q_PROPERTY(QObject* OptionsData READ OptionsDataObject)
    Q_PROPERTY(QObject* Styles READ StylesObject)
public:
    explicit TDBTableView(QObject* parent = nullptr);
    ~TDBTableView() override;

    TDataSource* DataSource() const { return dataSource_; }
    void SetDataSource(TDataSource* source);
    void Loaded() override;

    TDBDataController& DataController() { return controller_; }
    const TDBDataController& DataController() const { return controller_; }
    TNavigatorButtons& NavigatorButtons() { return navigatorButtons_; }
    const TOptionsView& OptionsView() const { return optionsView_; }
    const TOptionsBehavior& OptionsBehavior() const { return optionsBehavior_; }
    const TOptionsData& OptionsData() const { return optionsData_; }
    const TViewStyles& Styles() const { return styles_; }

    /// Called after anything the grid shows may have changed.
    std::function<void()> OnChanged;

    /// The columns of the header row, left to right: visible and not grouped.
    QList<TDBColumn*> VisibleColumns() const;
    /// The grouped columns, in grouping order.
    QList<TDBColumn*> GroupedColumns() const;
    /// The controller's field index of \p column's field, or -1 for an unbound column.
    int ColumnFieldIndex(const TDBColumn& column) const;
    TField* ColumnField(const TDBColumn& column) const;
    /// The width rule, with \p digitWidth the width of "0" in the content font.
    int ColumnWidth(const TDBColumn& column, int digitWidth) const;
    /// The sort direction the header of \p column marks.
    SortOrder ColumnSortOrder(const TDBColumn& column) const;

    TDBColumn* FocusedColumn() const { return focusedColumn_; }
    void SetFocusedColumn(TDBColumn* column);
    /// Moves the focused cell by \p step focusable columns within the row, without wrapping;
    /// answers whether it moved.
    bool StepFocusedColumn(int step);
    void FocusEdgeColumn(bool last);
    /// Focuses \p row, moving the working view there (it settles a pending edit first).
    void FocusRow(int row);
    /// Algorithms of header-click sorting; a column that may not be sorted ignores it.
    void ClickHeader(const TDBColumn& column, bool shift, bool ctrl);

    /// Header actions the column and the view allow.
    bool MayGroup(const TDBColumn& column) const;
    bool MayMove(const TDBColumn& column) const;
    bool MaySize(const TDBColumn& column) const;
    bool MayFilter(const TDBColumn& column) const;
    /// Moves \p column to \p position among the header row's columns.
    void MoveColumn(TDBColumn& column, int position);
    /// Sets the width the user dragged, not below the minimum.
    void SizeColumn(TDBColumn& column, int width);
    /// Groups by \p column at \p level of the grouping list; it leaves the header row.
    void GroupBy(TDBColumn& column, int level);
    /// Ungroups \p column, putting it back into the header row at \p position.
    void Ungroup(TDBColumn& column, int position);

    /// The entries of \p column's filter drop-down: "(All)", "(Custom...)", "(Blanks)" and
    /// "(NonBlanks)" when a cached value of the column is null, then its distinct values.
    QStringList FilterEntries(const TDBColumn& column) const;
    /// Applies entry \p index of FilterEntries(); answers false for "(Custom...)", which
    /// only a dialog can answer.
    bool ChooseFilterEntry(const TDBColumn& column, int index);

    bool MayInsert() const;
    bool MayEdit() const;
    bool MayDelete() const;
    bool IsEditing() const;
    bool MayEditColumn(const TDBColumn& column) const;

    /// The navigator's Insert: the working view settles a pending edit or insert, then begins a
    /// new record.
    void InsertRecord();
    void PostRecord();
    /// Cancels the edit; the focus stays at the same row position where one is left.
    void CancelRecord();
    void DeleteFocusedRecord();

private:
    QObject* NavigatorButtonsObject() { return &navigatorButtons_; }
    QObject* OptionsViewObject() { return &optionsView_; }
    QObject* OptionsBehaviorObject() { return &optionsBehavior_; }
    QObject* OptionsDataObject() { return &optionsData_; }
    QObject* StylesObject() { return &styles_; }
    TWorkingView* View() const { return controller_.View(); }
    QList<TDBColumn*> FocusableColumns() const;
    /// Puts \p column in front of \p before (at the end for null) in the user's order.
    void PlaceBefore(TDBColumn& column, TDBColumn* before);

    TDataSource* dataSource_ = nullptr;
    TDBDataController controller_;
    TNavigatorButtons navigatorButtons_;
    TOptionsView optionsView_;
    TOptionsBehavior optionsBehavior_;
    TOptionsData optionsData_;
    TViewStyles styles_;
    TDBColumn* focusedColumn_ = nullptr;
    QList<TDBColumn*> columnOrder_; ///< every column, in the order the user arranged
};

} // namespace trevalo
