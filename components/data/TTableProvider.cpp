#include "components/data/TTableProvider.h"

#include "components/data/DataErrors.h"
#include "components/data/EngineLibrary.h"
#include "components/data/ExpressionCompiler.h"

#include <QScopeGuard>
#include <cstring>

namespace trevalo {

namespace {

void AddAttribute(engine::IPacketWriter& writer, std::int32_t column, const char* name,
                  engine::AttrType type, const QByteArray& value) {
    CheckWriterStatus(writer,
                      writer.AddAttribute(column, name, type,
                                          reinterpret_cast<const std::uint8_t*>(value.constData()),
                                          static_cast<std::uint32_t>(value.size())));
}

QByteArray Int32Bytes(std::int32_t value) {
    QByteArray bytes(sizeof value, '\0');
    std::memcpy(bytes.data(), &value, sizeof value);
    return bytes;
}

} // namespace

QByteArray TTableProvider::GetRecords() {
    if (!dataSet_)
        throw EDatabaseError(QStringLiteral("Missing DataSet property"));
    const bool opened = !dataSet_->IsOpen();
    if (opened)
        dataSet_->Open();
    const auto closeAgain = qScopeGuard([&] {
        if (opened)
            dataSet_->Close();
    });

    auto writer = EngineLibrary::Instance().CreatePacketWriter();
    const QList<TField*> fields = dataSet_->Fields();
    CheckWriterStatus(*writer, writer->BeginPacket(static_cast<std::uint32_t>(fields.size())));
    WriteColumns(*writer, fields);

    const std::uint8_t* data = nullptr;
    std::uint32_t length = 0;
    CheckWriterStatus(*writer, writer->GetPacket(&data, &length));
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(length));
}

void TTableProvider::WriteColumns(engine::IPacketWriter& writer,
                                  const QList<TField*>& fields) const {
    QList<ExprField> exprFields;
    for (const TField* field : fields)
        exprFields.append(
            {field->FieldName(), field->DataType(), static_cast<quint32>(field->Size())});

    for (qsizetype i = 0; i < fields.size(); ++i) {
        const TField& field = *fields[i];
        const bool calculated = field.FieldKind() != TFieldKind::fkData;
        engine::ColumnDesc column{};
        const QByteArray name = field.FieldName().toUtf8().left(engine::kMaxColumnName);
        std::memcpy(column.name, name.constData(), static_cast<std::size_t>(name.size()));
        column.type = field.DataType();
        column.width = field.DataType() == engine::FieldType::String
                           ? static_cast<std::uint32_t>(field.Size())
                           : 0;
        column.readOnly = field.ReadOnly() || calculated;
        CheckWriterStatus(writer, writer.AddColumn(column));

        const auto index = static_cast<std::int32_t>(i);
        if (field.DataType() == engine::FieldType::String)
            AddAttribute(writer, index, engine::kAttrWidth, engine::AttrType::Integer,
                         Int32Bytes(field.Size()));
        if (calculated)
            AddAttribute(writer, index, engine::kAttrServerCalc, engine::AttrType::Boolean,
                         QByteArray(1, '\1'));
    }
    if (!constraints_)
        return;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (!fields[i]->DefaultExpression().isEmpty())
            AddAttribute(
                writer, engine::kPacketAttribute, engine::kAttrDefaultValue,
                engine::AttrType::Expression,
                CompileDefault(fields[i]->DefaultExpression(), static_cast<int>(i), exprFields));
    }
}

} // namespace trevalo
