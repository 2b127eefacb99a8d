// A long seeded session on the main window: mouse clicks, keys, menu commands and check boxes in
// random order, modal boxes answered at random, and both grids checked against their working
// views after every event. A failure names the seed, the step and the events before it.
#include "components/controls/TStyledCheckBox.h"
#include "components/data/TDataSource.h"
#include "components/data/TField.h"
#include "components/grid/model/CacheValue.h"
#include "tests/support/GridDriver.h"
#include "tests/support/RandomRun.h"
#include "tests/support/TrackerFixture.h"

#include <QApplication>
#include <QKeySequence>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTest>
#include <array>
#include <numeric>
#include <random>

namespace trevalo {
namespace {

// Shared among the sessions; session i runs from seed TREVALO_SEED + i.
constexpr int kSessions = 3;
constexpr std::uint64_t kEventsInTest = 10'200;
constexpr int kLogLength = 10;
constexpr int kStartRows = 40;
/// Timer ticks a box may stay open after being answered before it counts as stuck.
constexpr int kStuckTicks = 50;

/// One sort key as the header clicks so far make it.
struct Key {
    int Field;
    bool Descending;
    friend bool operator==(const Key&, const Key&) = default;
};

/// A record as read from the working view itself: its bookmark and the grid's bound fields.
struct ViewRecord {
    QByteArray Bookmark;
    QVariantList Values;
};

QVariant ToVariant(const CacheValue& value) {
    return std::visit(
        [](const auto& held) -> QVariant {
            if constexpr (std::is_same_v<std::decay_t<decltype(held)>, std::monostate>)
                return {};
            else
                return QVariant::fromValue(held);
        },
        value);
}

/// The order the grid promises: blank first, numbers by value, False before True, strings by
/// character code.
int CompareValues(const QVariant& a, const QVariant& b) {
    if (!a.isValid() || !b.isValid())
        return int(a.isValid()) - int(b.isValid());
    if (a.typeId() == QMetaType::QString) {
        const int result = a.toString().compare(b.toString(), Qt::CaseSensitive);
        return (result > 0) - (result < 0);
    }
    if (a.typeId() == QMetaType::Bool)
        return int(a.toBool()) - int(b.toBool());
    return (a.toInt() > b.toInt()) - (a.toInt() < b.toInt());
}

/// Whether \p a comes before \p b under \p keys; equal records keep their stored order.
bool ComesBefore(const QVariantList& a, int indexA, const QVariantList& b, int indexB,
                 const QList<Key>& keys) {
    for (const Key& key : keys) {
        const int result = CompareValues(a[key.Field], b[key.Field]);
        if (result != 0)
            return key.Descending ? result > 0 : result < 0;
    }
    return indexA < indexB;
}

/// The header-click rule: Ctrl drops the column; otherwise, without Shift, it becomes the
/// only key; it turns descending when it was ascending, else ascending, keeping its place.
void ApplyClick(QList<Key>& keys, int field, Qt::KeyboardModifiers modifiers) {
    const auto at = std::find_if(keys.begin(), keys.end(),
                                 [field](const Key& key) { return key.Field == field; });
    const bool wasAscending = at != keys.end() && !at->Descending;
    if (modifiers & Qt::ControlModifier) {
        keys.removeIf([field](const Key& key) { return key.Field == field; });
        return;
    }
    if (!(modifiers & Qt::ShiftModifier))
        keys.removeIf([field](const Key& key) { return key.Field != field; });
    const auto place = std::find_if(keys.begin(), keys.end(),
                                    [field](const Key& key) { return key.Field == field; });
    if (place != keys.end())
        place->Descending = wasAscending;
    else
        keys.append({field, wasAscending});
}

/// The indexes of \p records in the order the grid must show them.
QList<int> SortedOrder(const QList<ViewRecord>& records, const QList<Key>& keys) {
    QList<int> order(records.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        return ComesBefore(records[a].Values, a, records[b].Values, b, keys);
    });
    return order;
}

QString Describe(const QList<QVariantList>& rows) {
    QStringList texts;
    for (const QVariantList& row : rows) {
        QStringList values;
        for (const QVariant& value : row)
            values.append(value.isValid() ? value.toString() : QStringLiteral("-"));
        texts.append(QLatin1Char('(') + values.join(QLatin1Char(',')) + QLatin1Char(')'));
    }
    return texts.join(QLatin1Char(' '));
}

/// Notes that the working view's stored records may have changed: while it browses, every
/// post, delete, cancel and filter change announces itself this way.
class ChangeWatch final : public TDataLink {
public:
    ChangeWatch(TDataSource& source, const TWorkingView& view)
        : source_(source)
        , view_(view) {
        source_.AddLink(this);
    }
    ~ChangeWatch() { source_.RemoveLink(this); }
    ChangeWatch(const ChangeWatch&) = delete;
    ChangeWatch& operator=(const ChangeWatch&) = delete;

    void DataSetChanged() override {
        if (view_.State() == TDataSetState::dsBrowse)
            Changed = true;
    }

    bool Changed = true;

private:
    TDataSource& source_;
    const TWorkingView& view_;
};

/// One grid with its working view and what the test expects of it.
struct Subject {
    TDataGrid* Grid = nullptr;
    std::unique_ptr<GridDriver> Driver;
    TWorkingView* View = nullptr;
    TDataSource* Source = nullptr;
    QStringList Fields;        ///< the grid's bound fields, in its data controller's order
    QStringList Sortable;      ///< the columns whose header sorts
    QList<Key> Sort;           ///< the sort list as the header clicks so far make it
    QList<ViewRecord> Records; ///< the working view's records when it last browsed at a check
    std::unique_ptr<ChangeWatch> Watch;

    const TDBDataController& Data() const { return Driver->View().DataController(); }
};

class GridRandom : public TrackerFixture, public ::testing::WithParamInterface<unsigned> {
protected:
    void SetUp() override;
    void TearDown() override;

    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(events_); }
    bool Chance(int percent) { return Pick(100) < percent; }

    /// Performs one random event and answers what it is.
    QString Act();
    QString ClickCell(Subject& subject);
    QString ClickHeader(Subject& subject);
    QString ClickNavigator(Subject& subject);
    QString PressKey(Subject& subject);
    QString ClickMenu();
    QString ClickCheckBox();
    /// Scrolls \p column of \p subject's grid into view horizontally.
    void ShowColumn(Subject& subject, const TDBColumn& column);
    Subject* FocusedSubject();
    /// After a move of \p subject aimed at \p row, the working view must stand on that record.
    void ExpectMoveTo(Subject& subject, int row);

    /// Subject's records from the last check while browsing, but the one being edited, as
    /// indexes in the order the grid must show them.
    QList<int> ExpectedOrder(const Subject& subject) const;
    QString Check(Subject& subject);
    QString CheckBrowsing(Subject& subject, const QList<QVariantList>& shown);
    QString CheckEditing(Subject& subject, const QList<QVariantList>& shown);
    /// The clicked combatant, not another, was marked done: it left the filtered view, or it
    /// shows Active False.
    QString CheckDone() const;
    QList<ViewRecord> ReadView(Subject& subject) const;
    QVariantList CurrentValues(const Subject& subject) const;

    void AnswerBox();

    test::RandomRun run_{};
    unsigned seed_ = 0;
    std::mt19937 events_;
    std::mt19937 answers_;
    QTimer boxTimer_;
    std::array<Subject, 2> subjects_;
    QString problem_;    ///< the first fault seen, empty while all is well
    int errorBoxes_ = 0; ///< error boxes shown during the current event
    /// The grid the current event clicks or keys had an editor open: when its text cannot be
    /// written, the error box ends the event there. An error of the other grid's editor does not.
    bool hadEditor_ = false;
    QWidget* lastBox_ = nullptr;
    int lastBoxTicks_ = 0;
    struct {
        Subject* Target = nullptr;
        QByteArray Bookmark;
        QVariantList Values;
    } move_;          ///< the record the current event's move must reach
    QByteArray done_; ///< the combatant whose Done button the current event clicked
};

void GridRandom::SetUp() {
    TrackerFixture::SetUp();
    run_ = test::RandomRunSettings("TREVALO_GRID_EVENTS", kEventsInTest);
    seed_ = run_.Seed + GetParam();
    events_.seed(seed_);
    answers_.seed(seed_ * 7919u + 1u);
    main_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main_.get()));

    const struct {
        const char* Grid;
        QStringList Sortable;
        const char* SortedBy; ///< at start
        bool Descending;
    } grids[] = {{"grdInit", {"tvInitName", "tvInitInit"}, "Init", true},
                 {"grdEffects", {"tvEffectsEffectName", "tvEffectsEndOnTurn"}, "EndOnTurn", false}};
    for (std::size_t i = 0; i < subjects_.size(); ++i) {
        Subject& subject = subjects_[i];
        subject.Grid = &Component<TDataGrid>(grids[i].Grid);
        subject.Driver = std::make_unique<GridDriver>(*subject.Grid);
        const TDBDataController& data = subject.Data();
        subject.View = data.View();
        subject.Source = data.DataSource();
        subject.Sortable = grids[i].Sortable;
        for (int field = 0; field < data.FieldCount(); ++field)
            subject.Fields.append(data.Field(field)->FieldName());
        subject.Sort = {{data.FieldIndex(QLatin1String(grids[i].SortedBy)), grids[i].Descending}};
        subject.Watch = std::make_unique<ChangeWatch>(*subject.Source, *subject.View);
    }
    // Start with more rows than a page holds: blanks, ties, extremes and mixed case included.
    const QVariantList numbers = {QVariant(), 0, 1, 2, 3, 7, 12, -5, INT32_MIN, INT32_MAX};
    for (int i = 0; i < kStartRows; ++i) {
        const QString name =
            QChar(Chance(50) ? 'a' + Pick(26) : 'A' + Pick(26)) + QString::number(i);
        AddCombatant(name, numbers[Pick(int(numbers.size()))], 1 + Pick(3));
        AddEffect(name, numbers[Pick(int(numbers.size()))]);
    }
    main_->UpdateFilter();
    QObject::connect(&boxTimer_, &QTimer::timeout, &boxTimer_, [this] { AnswerBox(); });
    boxTimer_.setInterval(1);
}

void GridRandom::TearDown() {
    boxTimer_.stop();
    for (Subject& subject : subjects_)
        subject = {};
    TrackerFixture::TearDown();
}

// ---- modal boxes ---------------------------------------------------------------------------

void GridRandom::AnswerBox() {
    QWidget* box = QApplication::activeModalWidget();
    if (!box || !box->isVisible())
        return;
    if (box == lastBox_ && ++lastBoxTicks_ > kStuckTicks) {
        problem_ = QStringLiteral("a modal box does not close on Enter or Esc");
        box->close();
        return;
    }
    lastBox_ = box;
    lastBoxTicks_ = 0;
    static const QRegularExpression integerError(QStringLiteral(
        "^'.*' is not a valid integer value for field '(Init|Passes|EndOnTurn)'\\.?$"));
    static const QRegularExpression question(
        QStringLiteral("^(Delete record\\?|Are you sure that you wish to delete this (character|"
                       "effect) from the table\\?|Delete This Effect\\? - .*)$"));
    const auto* message = qobject_cast<QMessageBox*>(box);
    const auto* label = box->findChild<QLabel*>(QStringLiteral("Message"));
    const QString text = message ? message->text() : label ? label->text() : QString();
    if (message && message->icon() == QMessageBox::Critical) {
        ++errorBoxes_;
        if (!integerError.match(text).hasMatch() && problem_.isEmpty())
            problem_ = QStringLiteral("unexpected error box: ") + text;
    } else if (!question.match(text).hasMatch() && problem_.isEmpty()) {
        problem_ = QStringLiteral("unexpected box: ") + text;
    }
    QTest::keyClick(box, answers_() % 2 ? Qt::Key_Return : Qt::Key_Escape);
}

// ---- events --------------------------------------------------------------------------------

QString GridRandom::Act() {
    Subject& subject = subjects_[static_cast<std::size_t>(Pick(2))];
    const int pick = Pick(100);
    if (pick < 26)
        return ClickCell(subject);
    if (pick < 32)
        return ClickHeader(subject);
    if (pick < 42)
        return ClickNavigator(subject);
    if (pick < 93)
        return PressKey(subject);
    if (pick < 96)
        return ClickMenu();
    return ClickCheckBox();
}

void GridRandom::ShowColumn(Subject& subject, const TDBColumn& column) {
    const GridGeometry& geometry = subject.Grid->Geometry();
    for (const ColumnSpan& span : geometry.Columns) {
        if (span.Column != &column ||
            (span.Left >= geometry.Rows.left() && span.Left + span.Width <= geometry.Rows.right()))
            continue;
        for (QScrollBar* bar : subject.Grid->findChildren<QScrollBar*>())
            if (bar->orientation() == Qt::Horizontal)
                bar->setValue(bar->value() + span.Left - geometry.Rows.left());
    }
}

void GridRandom::ExpectMoveTo(Subject& subject, int row) {
    // While editing, the other rows are known only when nothing was stored since the last check;
    // aiming at the edited row itself moves nothing.
    const TDBDataController& data = subject.Data();
    if (data.RowCount() == 0 || (subject.View->IsEditing() && subject.Watch->Changed))
        return;
    row = std::clamp(row, 0, data.RowCount() - 1);
    const int pinned = data.RecordRow(data.PinnedRecord());
    const QList<int> order = ExpectedOrder(subject);
    const int other = row - (pinned >= 0 && row > pinned);
    if (row != pinned && other < order.size())
        move_ = {&subject, subject.Records[order[other]].Bookmark,
                 subject.Records[order[other]].Values};
}

QString GridRandom::ClickCell(Subject& subject) {
    const int rows = subject.Data().RowCount();
    if (rows == 0)
        return ClickNavigator(subject);
    // Button cells, which end in a handler that may remove the row, are clicked less often.
    QList<TDBColumn*> columns = subject.Driver->View().VisibleColumns();
    if (Chance(60))
        columns.removeIf(
            [](const TDBColumn* c) { return c->CellKind() == TDBColumn::Kind::Button; });
    TDBColumn* column = columns[Pick(int(columns.size()))];
    const int row = Pick(rows);
    const int modifier = Pick(10);
    const Qt::KeyboardModifiers modifiers = modifier == 0   ? Qt::ShiftModifier
                                            : modifier == 1 ? Qt::ControlModifier
                                                            : Qt::NoModifier;
    // A button cell clicked without Shift or Ctrl runs the tracker's handler, which moves on.
    if (column->CellKind() != TDBColumn::Kind::Button || modifiers != Qt::NoModifier)
        ExpectMoveTo(subject, row);
    else if (column->objectName() == QLatin1String("tvInitDoneButton") &&
             subject.View->State() == TDataSetState::dsBrowse)
        done_ = subject.Records[ExpectedOrder(subject)[row]].Bookmark;
    ShowColumn(subject, *column);
    const QByteArray name = column->objectName().toLatin1();
    hadEditor_ = subject.Grid->Editor() != nullptr;
    subject.Driver->ClickCell(row, name.constData(), modifiers);
    return QStringLiteral("click row %1 %2 mods %3")
        .arg(row)
        .arg(column->objectName())
        .arg(modifier);
}

QString GridRandom::ClickHeader(Subject& subject) {
    const QList<TDBColumn*> columns = subject.Driver->View().VisibleColumns();
    TDBColumn* column = columns[Pick(int(columns.size()))];
    const int modifier = Pick(4);
    const Qt::KeyboardModifiers modifiers = modifier == 1   ? Qt::ShiftModifier
                                            : modifier == 2 ? Qt::ControlModifier
                                                            : Qt::NoModifier;
    ShowColumn(subject, *column);
    const QByteArray name = column->objectName().toLatin1();
    hadEditor_ = subject.Grid->Editor() != nullptr;
    subject.Driver->ClickHeader(name.constData(), modifiers);
    if (!(errorBoxes_ > 0 && hadEditor_) && subject.Sortable.contains(column->objectName()))
        ApplyClick(subject.Sort, subject.Data().FieldIndex(column->FieldName()), modifiers);
    return QStringLiteral("header %1 mods %2").arg(column->objectName()).arg(modifier);
}

QString GridRandom::ClickNavigator(Subject& subject) {
    static const NavigatorButton buttons[] = {NavigatorButton::Insert, NavigatorButton::Post,
                                              NavigatorButton::Cancel};
    const int pick = Pick(10);
    const int button = pick < 5 ? 0 : pick < 8 ? 1 : 2;
    subject.Driver->ClickNavigator(buttons[button]);
    return QStringLiteral("%1 navigator %2")
        .arg(subject.Grid->objectName(), QStringList{"Insert", "Post", "Cancel"}[button]);
}

Subject* GridRandom::FocusedSubject() {
    const QWidget* focus = QApplication::focusWidget();
    for (Subject& subject : subjects_)
        if (focus && (focus == subject.Grid || subject.Grid->isAncestorOf(focus)))
            return &subject;
    return nullptr;
}

QString GridRandom::PressKey(Subject& fallback) {
    // Keys go where the keyboard focus is; with no grid holding it, the user clicks one first.
    Subject* subject = FocusedSubject();
    if (!subject)
        return ClickCell(fallback);
    struct Press {
        Qt::Key Key;
        Qt::KeyboardModifiers Modifiers;
        int Weight;
        int Rows; ///< how far the key moves the focused row; 0: it does not
    };
    const int page = subject->Grid->Geometry().PageRows;
    const int last = subject->Data().RowCount();
    const Press presses[] = {
        {Qt::Key_Up, Qt::NoModifier, 4, -1},
        {Qt::Key_Down, Qt::NoModifier, 4, 1},
        {Qt::Key_PageUp, Qt::NoModifier, 1, -page},
        {Qt::Key_PageDown, Qt::NoModifier, 1, page},
        {Qt::Key_Home, Qt::NoModifier, 1, 0},
        {Qt::Key_End, Qt::NoModifier, 1, 0},
        {Qt::Key_Home, Qt::ControlModifier, 1, -last},
        {Qt::Key_End, Qt::ControlModifier, 1, last},
        {Qt::Key_Left, Qt::NoModifier, 1, 0},
        {Qt::Key_Right, Qt::NoModifier, 1, 0},
        {Qt::Key_Tab, Qt::NoModifier, 3, 0},
        {Qt::Key_Backtab, Qt::ShiftModifier, 3, 0},
        {Qt::Key_Insert, Qt::NoModifier, 6, 0},
        {Qt::Key_Delete, Qt::NoModifier, 1, 0},
        {Qt::Key_Delete, Qt::ControlModifier, 1, 0},
        {Qt::Key_Escape, Qt::NoModifier, 5, 0},
        {Qt::Key_Return, Qt::NoModifier, 5, 0},
        {Qt::Key_Return, Qt::ControlModifier, 2, 0},
        {Qt::Key_F2, Qt::NoModifier, 2, 0},
        {Qt::Key_Backspace, Qt::NoModifier, 3, 0},
        {Qt::Key_0, Qt::NoModifier, 14, 0}, // a digit
        {Qt::Key_A, Qt::NoModifier, 5, 0},  // a letter
        {Qt::Key_Minus, Qt::NoModifier, 1, 0},
    };
    int total = 0;
    for (const Press& press : presses)
        total += press.Weight;
    int choice = Pick(total);
    const Press* press = presses;
    while (choice >= press->Weight)
        choice -= (press++)->Weight;

    QString what;
    if (press->Key == Qt::Key_0) {
        what = QString::number(Pick(10));
        subject->Driver->Type(what);
    } else if (press->Key == Qt::Key_A) {
        what = QString(QChar(Chance(50) ? 'a' + Pick(26) : 'A' + Pick(26)));
        subject->Driver->Type(what);
    } else if (press->Key == Qt::Key_Minus) {
        what = QStringLiteral("-");
        subject->Driver->Type(what);
    } else {
        // Ctrl+Home and Ctrl+End stay in an open editor; the other moves reach the grid.
        if (press->Rows != 0 && !(press->Modifiers != Qt::NoModifier && subject->Grid->Editor()))
            ExpectMoveTo(*subject, subject->Data().FocusedRow() + press->Rows);
        hadEditor_ = subject->Grid->Editor() != nullptr;
        subject->Driver->Key(press->Key, press->Modifiers);
        what = QKeySequence(press->Key | press->Modifiers).toString();
    }
    return QStringLiteral("%1 key %2").arg(subject->Grid->objectName(), what);
}

QString GridRandom::ClickMenu() {
    const bool passes = Component<TStyledCheckBox>("chkbxPasses").isChecked();
    const char* command = passes && Chance(40) ? "NewInitPass1" : "NewTurn1";
    TrackerFixture::ClickMenu(*main_, command);
    return QStringLiteral("menu ") + QLatin1String(command);
}

QString GridRandom::ClickCheckBox() {
    static const char* const boxes[] = {"ckbxShowAll", "ckbxShowAll", "chkbxPasses",
                                        "chkbxKeepInit"};
    const char* box = boxes[Pick(4)];
    QTest::mouseClick(&Component<TStyledCheckBox>(box), Qt::LeftButton);
    return QStringLiteral("click ") + QLatin1String(box);
}

// ---- checks --------------------------------------------------------------------------------

QList<ViewRecord> GridRandom::ReadView(Subject& subject) const {
    // The grid must not hear this walk: it would reload and so repair the state under test.
    TWorkingView& view = *subject.View;
    view.RemoveDataLink(subject.Source);
    const auto reattach = qScopeGuard([&] { view.AddDataLink(subject.Source); });
    const TCursorPosition position = view.SavePosition();
    QList<ViewRecord> records;
    for (view.First(); !view.Eof(); view.Next())
        records.append({view.GetBookmark(), CurrentValues(subject)});
    view.RestorePosition(position);
    return records;
}

QVariantList GridRandom::CurrentValues(const Subject& subject) const {
    QVariantList values;
    for (const QString& field : subject.Fields)
        values.append(subject.View->FieldByName(field).Value());
    return values;
}

QString GridRandom::Check(Subject& subject) {
    const TDBDataController& data = subject.Data();
    QList<Key> sort;
    for (const SortKey& key : data.SortList())
        sort.append({key.Field, key.Order == SortOrder::Descending});
    if (sort != subject.Sort) {
        const auto text = [&subject](const QList<Key>& keys) {
            QStringList fields;
            for (const Key& key : keys)
                fields.append(subject.Fields[key.Field] + (key.Descending ? " desc" : " asc"));
            return fields.join(QLatin1String(", "));
        };
        return QStringLiteral("sorted by %1, the header clicks made it %2")
            .arg(text(sort), text(subject.Sort));
    }
    QList<QVariantList> shown;
    for (int row = 0; row < data.RowCount(); ++row) {
        QVariantList values;
        for (int field = 0; field < data.FieldCount(); ++field)
            values.append(ToVariant(data.Value(data.RowRecord(row), field)));
        shown.append(values);
    }
    return subject.View->IsEditing() ? CheckEditing(subject, shown) : CheckBrowsing(subject, shown);
}

QString GridRandom::CheckDone() const {
    const Subject& combatants = subjects_[0];
    const int active = int(combatants.Fields.indexOf(QStringLiteral("Active")));
    for (const ViewRecord& record : combatants.Records)
        if (record.Bookmark == done_)
            return record.Values[active] == QVariant(false)
                       ? QString()
                       : QStringLiteral("Done marked another combatant than the one clicked");
    return combatants.View->Filtered()
               ? QString()
               : QStringLiteral("the combatant marked done left the unfiltered view");
}

QList<int> GridRandom::ExpectedOrder(const Subject& subject) const {
    const QByteArray edited =
        subject.View->State() == TDataSetState::dsEdit ? subject.View->GetBookmark() : QByteArray();
    QList<int> order = SortedOrder(subject.Records, subject.Sort);
    order.removeIf([&](int record) { return subject.Records[record].Bookmark == edited; });
    return order;
}

// While browsing, the grid's rows are exactly the working view's records in the grid's sort
// order, and the focused row is the working view's current record.
QString GridRandom::CheckBrowsing(Subject& subject, const QList<QVariantList>& shown) {
    const TDBDataController& data = subject.Data();
    const QByteArray current = subject.View->GetBookmark();
    subject.Records = ReadView(subject);
    subject.Watch->Changed = false;
    QList<QVariantList> expected;
    int focus = -1;
    for (const int record : ExpectedOrder(subject)) {
        if (subject.Records[record].Bookmark == current)
            focus = int(expected.size());
        expected.append(subject.Records[record].Values);
    }
    if (data.PinnedRecord() >= 0)
        return QStringLiteral("a row is pinned while the working view browses");
    if (shown != expected)
        return QStringLiteral("rows %1\nexpected %2").arg(Describe(shown), Describe(expected));
    if (data.FocusedRow() != focus)
        return QStringLiteral("focused row %1, the working view's current record is in row %2")
            .arg(data.FocusedRow())
            .arg(focus);
    return {};
}

// While editing or inserting, the edited row stays where its anchor holds it, so only the other
// rows are compared: with the records read at the last check while browsing (unchanged, since
// nothing was stored since) less the one being edited, in the sort order. When something was
// stored in between, the same event began a new edit, and the other rows can only be checked
// to be in order.
QString GridRandom::CheckEditing(Subject& subject, const QList<QVariantList>& shown) {
    const TDBDataController& data = subject.Data();
    const int pinned = data.PinnedRecord();
    if (pinned < 0)
        return QStringLiteral("the record being edited is not pinned");
    const int pinnedRow = data.RecordRow(pinned);
    if (data.FocusedRow() != pinnedRow)
        return QStringLiteral("focused row %1, the edited record is in row %2")
            .arg(data.FocusedRow())
            .arg(pinnedRow);
    if (pinnedRow < 0 || shown[pinnedRow] != CurrentValues(subject))
        return QStringLiteral("the edited row does not show the values being edited");
    QList<QVariantList> others = shown;
    others.removeAt(pinnedRow);

    if (subject.Watch->Changed) {
        for (int row = 1; row < others.size(); ++row) {
            const int before = data.RowRecord(row - 1 + (row - 1 >= pinnedRow));
            const int after = data.RowRecord(row + (row >= pinnedRow));
            if (!ComesBefore(others[row - 1], before, others[row], after, subject.Sort))
                return QStringLiteral("rows out of order while editing: %1").arg(Describe(others));
        }
        return {};
    }
    QList<QVariantList> expected;
    for (const int record : ExpectedOrder(subject))
        expected.append(subject.Records[record].Values);
    if (others != expected)
        return QStringLiteral("rows besides the edited one %1\nexpected %2")
            .arg(Describe(others), Describe(expected));
    return {};
}

TEST_P(GridRandom, BothGridsFollowTheirWorkingViewsThroughARandomSession) {
    QStringList log;
    const auto fail = [&](int step, const QString& why) {
        FAIL() << "seed " << seed_ << " (TREVALO_SEED=" << seed_ - GetParam()
               << " repeats it), step " << step << ": " << why.toStdString() << "\nlast events:\n"
               << log.join(QLatin1Char('\n')).toStdString();
    };
    for (Subject& subject : subjects_)
        if (const QString why = Check(subject); !why.isEmpty())
            return fail(0, why);

    const auto events = static_cast<int>((run_.Steps + kSessions - 1) / kSessions);
    for (int step = 1; step <= events; ++step) {
        errorBoxes_ = 0;
        move_ = {};
        done_.clear();
        hadEditor_ = false;
        boxTimer_.start();
        const QString event = Act();
        QApplication::processEvents();
        boxTimer_.stop();
        // A closed modal box hands the activation back to the main window, as the desktop does.
        if (!main_->isActiveWindow()) {
            main_->activateWindow();
            QApplication::processEvents();
        }
        log.append(QStringLiteral("%1: %2").arg(step).arg(event));
        if (log.size() > kLogLength)
            log.removeFirst();

        if (!problem_.isEmpty())
            return fail(step, problem_);
        const bool blocked = errorBoxes_ > 0 && hadEditor_;
        if (move_.Target && !blocked && move_.Target->View->GetBookmark() != move_.Bookmark)
            return fail(
                step, QStringLiteral("the move aimed at %1 reached %2")
                          .arg(Describe({move_.Values}), Describe({CurrentValues(*move_.Target)})));
        for (Subject& subject : subjects_)
            if (const QString why = Check(subject); !why.isEmpty())
                return fail(step, subject.Grid->objectName() + QStringLiteral(": ") + why);
        if (!done_.isEmpty() && !blocked)
            if (const QString why = CheckDone(); !why.isEmpty())
                return fail(step, why);
    }
}

INSTANTIATE_TEST_SUITE_P(Sessions, GridRandom, ::testing::Range(0u, unsigned{kSessions}));

} // namespace
} // namespace trevalo
