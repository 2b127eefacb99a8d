/// \file
/// The working view: the records of one table, fetched once from a provider and kept in the
/// record engine; the controls show it and the handlers walk and edit it.
///
/// States:
///
/// | state    | current record            | copy                     |
/// |----------|---------------------------|--------------------------|
/// | inactive | none                      | none                     |
/// | browse   | the record shown, or none | none                     |
/// | edit     | the record being edited   | its values as typed      |
/// | insert   | the record begun before   | the new record as typed  |
///
/// Post, Cancel and Delete re-position: the record at the engine's cursor becomes current if
/// it is visible, else the next visible one, else the previous one, else the view is empty.
#pragma once

#include "components/data/EngineLibrary.h"
#include "components/data/ExpressionCompiler.h"
#include "components/data/RecordColumns.h"
#include "components/data/TDataSet.h"

#include <QList>
#include <optional>
#include <vector>

namespace trevalo {

class TDataSource;

enum class TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };

/// Where a view stands: its current record and its begin and end flags.
struct TCursorPosition {
    QByteArray Bookmark; ///< empty when there is no current record
    bool Bof = false;
    bool Eof = false;
};

class TWorkingView : public TDataSet {
    Q_OBJECT
    Q_PROPERTY(QString ProviderName READ ProviderName WRITE SetProviderName)
    Q_PROPERTY(bool Active READ IsOpen WRITE SetActive)
    Q_PROPERTY(int PacketRecords READ PacketRecords WRITE SetPacketRecords)
    Q_PROPERTY(QString Filter READ Filter WRITE SetFilter)
    Q_PROPERTY(bool Filtered READ Filtered WRITE SetFiltered)
public:
    explicit TWorkingView(QObject* parent = nullptr)
        : TDataSet(parent) {}
    ~TWorkingView() override;

    const QString& ProviderName() const { return providerName_; }
    void SetProviderName(const QString& name) { providerName_ = name; }
    /// Accepted without effect (see components/forms/InertSettings.h).
    int PacketRecords() const { return packetRecords_; }
    void SetPacketRecords(int count) { packetRecords_ = count; }

    /// While a layout is read, only noted; the view opens when loading is finished.
    void SetActive(bool active);
    void Loaded() override;

    bool IsOpen() const override { return state_ != TDataSetState::dsInactive; }
    /// Fetches every record from the provider named by ProviderName, once.
    void Open() override;
    void Close() override;

    TDataSetState State() const { return state_; }
    bool IsEditing() const {
        return state_ == TDataSetState::dsEdit || state_ == TDataSetState::dsInsert;
    }
    /// Whether anything was written into the copy since editing or inserting began.
    bool Modified() const { return modified_; }
    /// Set by a move that found no record and by re-positioning that found none.
    bool Eof() const { return position_.Eof; }
    bool Bof() const { return position_.Bof; }
    bool IsEmpty() const { return !HasCurrent() && state_ != TDataSetState::dsInsert; }
    bool CanModify() const { return !readOnly_; }

    void First();
    void Next();
    /// Moves by \p distance visible records, fewer at either end; answers the distance moved.
    int MoveBy(int distance);

    void Edit();
    void Insert();
    void Post();
    void Cancel();
    void Delete();
    /// Posts a modified edit or insert and cancels an unmodified one; nothing while browsing.
    void Settle();

    /// The current record's position token; empty on an empty view.
    QByteArray GetBookmark() const;
    void GotoBookmark(const QByteArray& bookmark);
    bool BookmarkValid(const QByteArray& bookmark);

    /// The current record and the begin and end flags, for a walk that comes back to them.
    TCursorPosition SavePosition() const;
    /// Goes back to \p position's record and flags when that record is still visible; else the
    /// view stays where it is. Meant for browsing: settles nothing and tells no control.
    void RestorePosition(const TCursorPosition& position);

    /// Counted: while above zero only state changes reach the controls; back at zero they are
    /// told once that the data changed.
    void DisableControls();
    void EnableControls();

    const QString& Filter() const { return filter_; }
    void SetFilter(const QString& text);
    bool Filtered() const { return filtered_; }
    void SetFiltered(bool filtered);

    /// Every visible record's values of \p fields and its bookmark, in the view's order, in one
    /// pass over the engine; the current record, the state and the controls are untouched. The
    /// stored records are read: an edit not yet posted is not among them. A null field, or one
    /// not bound to this view, gives a column of blanks; a Float field raises EDatabaseError.
    /// What \p reuse held is dropped, but its memory is read into, so that a reader that reads
    /// again and again allocates nothing.
    RecordColumns ReadColumns(const QList<const TField*>& fields, RecordColumns reuse = {}) const;
    /// As ReadColumns, but every stored record, whether the filter lets it through or not.
    RecordColumns ReadAllColumns(const QList<const TField*>& fields);

    QVariant GetFieldValue(const TField& field) const override;
    void SetFieldValue(TField& field, const QVariant& value) override;

    void AddDataLink(TDataSource* source) { sources_.append(source); }
    void RemoveDataLink(TDataSource* source) { sources_.removeAll(source); }

private:
    using Buffer = std::vector<std::uint8_t>;

    QByteArray FetchPacket();
    void BindFields();
    void CheckOpen() const;
    void CheckCanModify() const;
    /// Whether there is a current record: the engine's bookmarks are never empty.
    bool HasCurrent() const { return !position_.Bookmark.isEmpty(); }
    void ReadFirst();
    bool ReadCurrent();
    void Reposition();
    void MoveCursorTo(const QByteArray& bookmark);
    /// Makes \p bookmark's record current when it is still visible; else puts the engine's
    /// cursor back on the current record and answers false.
    bool ReadAt(const QByteArray& bookmark);
    /// Puts the engine's cursor back on the current record, which a look elsewhere moved it from.
    void ReturnCursor();
    /// Installs \p text in place of the installed filter; on failure the installed one stays.
    void InstallFilter(const QString& text);
    void DropFilter();
    void Check(engine::Status status) const;
    void BeginEdit(TDataSetState state, Buffer copy);
    /// Back to browsing after a post, a cancel or a deletion: re-positions and tells the controls.
    void FinishEdit();

    void NotifyState();
    void NotifyDataSet();
    void NotifyRecord(const TField* field);
    void NotifyScroll(int distance);

    QString providerName_;
    int packetRecords_ = -1;
    bool activeNoted_ = false;

    TDataSetState state_ = TDataSetState::dsInactive;
    EnginePtr<engine::IRecordBase> base_;
    EnginePtr<engine::IRecordCursor> cursor_;
    QList<ExprField> columns_; ///< the packet's columns, for the filter compiler
    std::uint32_t bufferSize_ = 0;
    std::uint32_t bookmarkSize_ = 0;
    bool readOnly_ = false;

    Buffer current_;           ///< the current record's values
    TCursorPosition position_; ///< the current record and the begin and end flags

    Buffer copy_; ///< the record being edited or inserted
    bool modified_ = false;
    QByteArray insertBefore_; ///< the record a new one is stored in front of

    QString filter_;
    bool filtered_ = false;
    std::optional<std::uint32_t> filterHandle_;
    QString installedFilter_; ///< the text that the installed filter was compiled from

    int disableCount_ = 0;
    QList<TDataSource*> sources_;
};

} // namespace trevalo
