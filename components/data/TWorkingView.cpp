#include "components/data/TWorkingView.h"

#include "components/data/ColumnReader.h"
#include "components/data/DataErrors.h"
#include "components/data/IntegerText.h"
#include "components/data/TDataSource.h"
#include "components/data/TTableProvider.h"

#include <QScopeGuard>
#include <QVarLengthArray>
#include <algorithm>
#include <cstring>

namespace trevalo {

namespace {

QObject* RootOf(QObject* object) {
    while (object->parent())
        object = object->parent();
    return object;
}

const std::uint8_t* Bytes(const QByteArray& data) {
    return reinterpret_cast<const std::uint8_t*>(data.constData());
}

} // namespace

TWorkingView::~TWorkingView() {
    Close();
}

void TWorkingView::SetActive(bool active) {
    if (Loading()) {
        activeNoted_ = active;
        return;
    }
    if (active)
        Open();
    else
        Close();
}

void TWorkingView::Loaded() {
    if (activeNoted_)
        Open();
}

// ---- opening -------------------------------------------------------------------------------

void TWorkingView::Open() {
    if (IsOpen())
        return;
    // A view that failed half-way open holds nothing a later Open could build on. It counts as
    // open only at the end, so this clean-up tells no control and cannot throw.
    auto closeOnFailure = qScopeGuard([this] { Close(); });
    const QByteArray packet = FetchPacket();
    base_ = EngineLibrary::Instance().CreateRecordBase();
    CheckStatus(*base_, base_->Open(Bytes(packet), static_cast<std::uint32_t>(packet.size())));
    cursor_ = EngineLibrary::Instance().CreateRecordCursor();
    Check(cursor_->Attach(base_.get()));
    Check(cursor_->GetBufferSize(&bufferSize_));
    Check(cursor_->GetBookmarkSize(&bookmarkSize_));
    std::uint8_t readOnly = 0;
    Check(cursor_->GetReadOnly(&readOnly));
    readOnly_ = readOnly != 0;
    current_.assign(bufferSize_, 0);
    BindFields();
    if (filtered_)
        InstallFilter(filter_);
    ReadFirst();
    state_ = TDataSetState::dsBrowse;
    closeOnFailure.dismiss();
    NotifyDataSet();
}

QByteArray TWorkingView::FetchPacket() {
    auto* provider =
        providerName_.isEmpty()
            ? nullptr
            : qobject_cast<TTableProvider*>(RootOf(this)->findChild<QObject*>(providerName_));
    if (!provider)
        DatabaseError(QStringLiteral("Missing data provider or data packet"));
    if (provider->DataSet() == this)
        DatabaseError(QStringLiteral("Circular provider references not allowed"));
    const QByteArray packet = provider->GetRecords();
    if (packet.isEmpty())
        DatabaseError(QStringLiteral("Missing data provider or data packet"));
    // The packet's own fault, not the view's: the message stands without the view's name.
    if (packet.size() < qsizetype{engine::kPacketHeaderSize})
        throw EDatabaseError(QStringLiteral("Invalid data packet"));
    return packet;
}

void TWorkingView::BindFields() {
    std::uint32_t count = 0;
    CheckStatus(*base_, base_->GetColumnCount(&count));
    QList<engine::ColumnDesc> columns;
    columns_.clear();
    for (std::uint32_t i = 0; i < count; ++i) {
        engine::ColumnDesc column{};
        CheckStatus(*base_, base_->GetColumn(i, &column));
        columns.append(column);
        columns_.append({QString::fromUtf8(column.name), column.type, column.width});
    }

    if (Fields().isEmpty()) {
        for (const engine::ColumnDesc& column : std::as_const(columns)) {
            auto* field = new TField(this, column.type);
            field->SetFieldName(QString::fromUtf8(column.name));
            field->SetSize(static_cast<int>(column.width));
        }
    }
    for (TField* field : Fields()) {
        const auto found =
            std::find_if(columns_.cbegin(), columns_.cend(), [field](const ExprField& column) {
                return SameFieldName(column.Name, field->FieldName());
            });
        if (found == columns_.cend())
            DatabaseError(QStringLiteral("Field '%1' not found").arg(field->FieldName()));
        if (found->Type != field->DataType())
            DatabaseError(QStringLiteral("Type mismatch for field '%1', expecting: %2 actual: %3")
                              .arg(field->FieldName(), TField::TypeName(field->DataType()),
                                   TField::TypeName(found->Type)));
        const auto index = std::distance(columns_.cbegin(), found);
        field->SetFieldNo(static_cast<std::uint32_t>(index + 1));
        field->SetSize(static_cast<int>(found->Size));
        if (columns[index].readOnly)
            field->SetReadOnly(true);
    }
}

void TWorkingView::Close() {
    if (!IsOpen() && !base_)
        return;
    const bool wasOpen = IsOpen();
    state_ = TDataSetState::dsInactive;
    cursor_.reset();
    base_.reset();
    filterHandle_.reset();
    installedFilter_.clear();
    modified_ = false;
    position_ = {};
    current_.clear();
    copy_.clear();
    insertBefore_.clear();
    for (TField* field : Fields())
        field->SetFieldNo(0);
    if (wasOpen)
        NotifyDataSet();
}

// ---- moving --------------------------------------------------------------------------------

void TWorkingView::First() {
    CheckOpen();
    Settle();
    ReadFirst();
    NotifyDataSet();
}

void TWorkingView::Next() {
    if (MoveBy(1) == 0)
        position_.Eof = true;
}

int TWorkingView::MoveBy(int distance) {
    CheckOpen();
    Settle();
    if (!HasCurrent() || distance == 0)
        return 0;
    const int step = distance > 0 ? 1 : -1;
    int moved = 0;
    ReturnCursor();
    while (moved != distance) {
        const engine::Status status = cursor_->MoveBy(step);
        if (status == engine::kEof || status == engine::kBof) {
            (step > 0 ? position_.Eof : position_.Bof) = true;
            ReturnCursor();
            break;
        }
        Check(status);
        ReadCurrent();
        moved += step;
    }
    if (moved != 0) {
        (step > 0 ? position_.Bof : position_.Eof) = false;
        NotifyScroll(moved);
    }
    return moved;
}

void TWorkingView::ReadFirst() {
    Check(cursor_->MoveToBof());
    const engine::Status status = cursor_->MoveBy(1);
    position_.Bof = true;
    if (status != engine::kEof)
        Check(status);
    if (status == engine::kEof || !ReadCurrent()) {
        position_.Bookmark.clear();
        position_.Eof = true;
    }
}

bool TWorkingView::ReadCurrent() {
    QByteArray bookmark(static_cast<qsizetype>(bookmarkSize_), '\0');
    const engine::Status status = cursor_->GetCurrentRecord(
        current_.data(), reinterpret_cast<std::uint8_t*>(bookmark.data()));
    if (status == engine::kNoCurrentRecord)
        return false;
    Check(status);
    position_.Bookmark = bookmark;
    position_.Eof = false;
    return true;
}

void TWorkingView::Reposition() {
    position_.Bof = false;
    if (ReadCurrent())
        return;
    engine::Status status = cursor_->MoveBy(1);
    if (status == engine::kOk && ReadCurrent())
        return;
    if (status != engine::kEof)
        Check(status);
    status = cursor_->MoveBy(-1);
    if (status == engine::kOk && ReadCurrent())
        return;
    if (status != engine::kBof)
        Check(status);
    position_ = {QByteArray(), true, true};
}

void TWorkingView::MoveCursorTo(const QByteArray& bookmark) {
    Check(bookmark.isEmpty() ? cursor_->MoveToBof() : cursor_->MoveToBookmark(Bytes(bookmark)));
}

bool TWorkingView::ReadAt(const QByteArray& bookmark) {
    if (bookmark.size() == static_cast<qsizetype>(bookmarkSize_) &&
        cursor_->MoveToBookmark(Bytes(bookmark)) == engine::kOk && ReadCurrent())
        return true;
    ReturnCursor();
    return false;
}

void TWorkingView::ReturnCursor() {
    if (HasCurrent())
        MoveCursorTo(position_.Bookmark);
}

QByteArray TWorkingView::GetBookmark() const {
    return position_.Bookmark;
}

void TWorkingView::GotoBookmark(const QByteArray& bookmark) {
    CheckOpen();
    Settle();
    if (!ReadAt(bookmark))
        DatabaseError(QStringLiteral("Record not found"));
    position_.Bof = false;
    NotifyScroll(0);
}

bool TWorkingView::BookmarkValid(const QByteArray& bookmark) {
    if (!IsOpen() || bookmark.size() != static_cast<qsizetype>(bookmarkSize_))
        return false;
    const bool valid = cursor_->MoveToBookmark(Bytes(bookmark)) == engine::kOk;
    ReturnCursor();
    return valid;
}

TCursorPosition TWorkingView::SavePosition() const {
    return position_;
}

void TWorkingView::RestorePosition(const TCursorPosition& position) {
    CheckOpen();
    if (!ReadAt(position.Bookmark))
        return;
    position_.Bof = position.Bof;
    position_.Eof = position.Eof;
}

// ---- editing -------------------------------------------------------------------------------

void TWorkingView::Edit() {
    CheckOpen();
    if (IsEditing())
        return;
    if (!HasCurrent()) {
        Insert();
        return;
    }
    CheckCanModify();
    BeginEdit(TDataSetState::dsEdit, current_);
}

void TWorkingView::Insert() {
    CheckOpen();
    Settle();
    CheckCanModify();
    Buffer fresh(bufferSize_, 0);
    Check(cursor_->InitRecord(fresh.data()));
    insertBefore_ = position_.Bookmark;
    BeginEdit(TDataSetState::dsInsert, std::move(fresh));
}

void TWorkingView::BeginEdit(TDataSetState state, Buffer copy) {
    copy_ = std::move(copy);
    modified_ = false;
    state_ = state;
    NotifyState();
}

void TWorkingView::Post() {
    CheckOpen();
    if (!IsEditing())
        DatabaseError(QStringLiteral("Dataset not in edit or insert mode"));
    if (state_ == TDataSetState::dsInsert) {
        MoveCursorTo(insertBefore_);
        Check(cursor_->InsertRecord(copy_.data()));
    } else {
        MoveCursorTo(position_.Bookmark);
        Check(cursor_->ModifyRecord(copy_.data()));
    }
    FinishEdit();
}

void TWorkingView::Cancel() {
    if (!IsEditing())
        return;
    MoveCursorTo(state_ == TDataSetState::dsInsert ? insertBefore_ : position_.Bookmark);
    FinishEdit();
}

void TWorkingView::FinishEdit() {
    const bool wasEditing = IsEditing();
    state_ = TDataSetState::dsBrowse;
    copy_.clear();
    modified_ = false;
    insertBefore_.clear();
    Reposition();
    if (wasEditing)
        NotifyState();
    NotifyDataSet();
}

void TWorkingView::Delete() {
    CheckOpen();
    if (state_ == TDataSetState::dsInsert) {
        Cancel();
        return;
    }
    if (!HasCurrent())
        DatabaseError(QStringLiteral("Cannot perform this operation on an empty dataset"));
    CheckCanModify();
    MoveCursorTo(position_.Bookmark);
    Check(cursor_->DeleteRecord());
    FinishEdit();
}

void TWorkingView::Settle() {
    if (!IsEditing())
        return;
    if (modified_)
        Post();
    else
        Cancel();
}

void TWorkingView::CheckOpen() const {
    if (!IsOpen())
        DatabaseError(QStringLiteral("Cannot perform this operation on a closed dataset"));
}

void TWorkingView::CheckCanModify() const {
    if (readOnly_)
        DatabaseError(QStringLiteral("Cannot modify a read-only dataset"));
}

// ---- field values --------------------------------------------------------------------------

QVariant TWorkingView::GetFieldValue(const TField& field) const {
    if (!IsOpen() || field.FieldNo() == 0)
        return {};
    const Buffer* buffer = IsEditing() ? &copy_ : HasCurrent() ? &current_ : nullptr;
    if (!buffer)
        return {};
    const ExprField& column = columns_[static_cast<qsizetype>(field.FieldNo() - 1)];
    // Read for every cell of every reload: no heap for the widths the tables have.
    QVarLengthArray<char, 1024> value(static_cast<qsizetype>(
        std::max<std::size_t>(sizeof(double), std::size_t{column.Size} * 4 + 1)));
    std::fill(value.begin(), value.end(), '\0');
    std::uint8_t blank = 0;
    Check(cursor_->GetField(buffer->data(), field.FieldNo(), value.data(), &blank));
    if (blank)
        return {};
    switch (column.Type) {
    case engine::FieldType::String:
        return QString::fromUtf8(value.data());
    case engine::FieldType::Boolean:
        return value[0] != 0;
    case engine::FieldType::Float: {
        double number = 0;
        std::memcpy(&number, value.data(), sizeof number);
        return number;
    }
    case engine::FieldType::Integer:
        break;
    }
    std::int32_t number = 0;
    std::memcpy(&number, value.data(), sizeof number);
    return number;
}

RecordColumns TWorkingView::ReadColumns(const QList<const TField*>& fields,
                                        RecordColumns reuse) const {
    CheckOpen();
    ColumnReader reader(bookmarkSize_, std::move(reuse));
    for (const TField* field : fields) {
        if (!field || field->FieldNo() == 0 || field->DataSet() != this) {
            reader.AddBlank();
            continue;
        }
        const ExprField& column = columns_[static_cast<qsizetype>(field->FieldNo() - 1)];
        if (column.Type == engine::FieldType::Float)
            DatabaseError(
                QStringLiteral("Field '%1' is a Float field, which is not read by columns")
                    .arg(field->FieldName()));
        reader.AddField(field->FieldNo(), column.Type, column.Size);
    }
    Check(reader.Read(*cursor_));
    return reader.Take();
}

RecordColumns TWorkingView::ReadAllColumns(const QList<const TField*>& fields) {
    CheckOpen();
    if (!filterHandle_)
        return ReadColumns(fields);
    // The engine reads what its filter lets through, so the filter steps out for the read. The
    // cursor stays where it stood, and so does every record the filter lets through.
    const QString filter = installedFilter_;
    DropFilter();
    RecordColumns columns;
    try {
        columns = ReadColumns(fields);
    } catch (...) {
        InstallFilter(filter);
        throw;
    }
    InstallFilter(filter);
    return columns;
}

void TWorkingView::SetFieldValue(TField& field, const QVariant& value) {
    if (!IsEditing())
        DatabaseError(QStringLiteral("Dataset not in edit or insert mode"));
    // This and the value's own faults are the field's, not the view's: they name the field
    // and stand without the view's name.
    if (field.ReadOnly())
        throw EDatabaseError(
            QStringLiteral("Field '%1' cannot be modified").arg(field.FieldName()));
    const auto invalid = [&](const char* kind) {
        return EDatabaseError(QStringLiteral("'%1' is not a valid %2 value for field '%3'")
                                  .arg(value.toString(), QLatin1String(kind), field.FieldName()));
    };
    engine::Status status = engine::kOk;
    if (value.isNull()) {
        status = cursor_->PutField(copy_.data(), field.FieldNo(), nullptr);
    } else if (field.DataType() == engine::FieldType::Integer) {
        // Numbers too are read as their text, so that every value meets the one rule.
        const std::optional<std::int32_t> number =
            ParseIntegerText(value.toString(), field.FieldName());
        status = cursor_->PutField(copy_.data(), field.FieldNo(), number ? &*number : nullptr);
    } else if (field.DataType() == engine::FieldType::Boolean) {
        const QString text = value.toString();
        const bool isText = value.typeId() == QMetaType::QString;
        if (isText && text.compare(QLatin1String("True"), Qt::CaseInsensitive) != 0 &&
            text.compare(QLatin1String("False"), Qt::CaseInsensitive) != 0)
            throw invalid("boolean");
        const std::uint8_t flag =
            isText ? text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 : value.toBool();
        status = cursor_->PutField(copy_.data(), field.FieldNo(), &flag);
    } else {
        const QString text = value.toString();
        // Half a surrogate pair would be written as another character.
        if (!text.isValidUtf16())
            throw invalid("string");
        status = cursor_->PutField(copy_.data(), field.FieldNo(), text.toUtf8().constData());
    }
    Check(status);
    modified_ = true;
    NotifyRecord(&field);
}

// ---- filtering -----------------------------------------------------------------------------

void TWorkingView::SetFilter(const QString& text) {
    if (!IsOpen() || !filtered_) {
        filter_ = text;
        return;
    }
    Settle();
    if (text != installedFilter_)
        InstallFilter(text);
    filter_ = text;
    ReadFirst();
    NotifyDataSet();
}

void TWorkingView::SetFiltered(bool filtered) {
    if (!IsOpen()) {
        filtered_ = filtered;
        return;
    }
    Settle();
    if (filtered != filtered_) {
        if (filtered)
            InstallFilter(filter_);
        else
            DropFilter();
        filtered_ = filtered;
    }
    ReadFirst();
    NotifyDataSet();
}

void TWorkingView::InstallFilter(const QString& text) {
    if (text.isEmpty()) {
        DropFilter();
        return;
    }
    // The new filter goes in before the old one comes out, so that a failure keeps the old.
    const QByteArray compiled = CompileFilter(text, columns_);
    std::uint32_t handle = 0;
    Check(
        cursor_->AddFilter(Bytes(compiled), static_cast<std::uint32_t>(compiled.size()), &handle));
    try {
        DropFilter();
    } catch (...) {
        cursor_->DropFilter(handle);
        throw;
    }
    filterHandle_ = handle;
    installedFilter_ = text;
}

void TWorkingView::DropFilter() {
    if (filterHandle_)
        Check(cursor_->DropFilter(*filterHandle_));
    filterHandle_.reset();
    installedFilter_.clear();
}

void TWorkingView::Check(engine::Status status) const {
    CheckStatus(*cursor_, status);
}

// ---- notifications -------------------------------------------------------------------------

void TWorkingView::DisableControls() {
    ++disableCount_;
}

void TWorkingView::EnableControls() {
    if (disableCount_ > 0 && --disableCount_ == 0)
        NotifyDataSet();
}

void TWorkingView::NotifyState() {
    TellLinks(sources_, &TDataLink::StateChanged);
}

void TWorkingView::NotifyDataSet() {
    if (disableCount_ == 0)
        TellLinks(sources_, &TDataLink::DataSetChanged);
}

void TWorkingView::NotifyRecord(const TField* field) {
    if (disableCount_ == 0)
        TellLinks(sources_, &TDataLink::RecordChanged, field);
}

void TWorkingView::NotifyScroll(int distance) {
    if (disableCount_ == 0)
        TellLinks(sources_, &TDataLink::Scrolled, distance);
}

} // namespace trevalo
