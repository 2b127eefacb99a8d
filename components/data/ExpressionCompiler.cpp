#include "components/data/ExpressionCompiler.h"

#include "components/data/DataErrors.h"
#include "components/data/ExpressionParser.h"
#include "components/data/ExpressionWriter.h"

#include <cmath>
#include <limits>

namespace trevalo {

namespace {

// The engine stores a default as its field holds it, so a default the field cannot hold is
// refused here, in the compiler's own words, rather than when the table is opened.
void CheckFits(const ExprNode& constant, const ExprField& field) {
    if (field.Type == engine::FieldType::Integer && constant.Op == engine::Op::Float) {
        const double rounded = std::round(constant.Float);
        if (rounded < std::numeric_limits<qint32>::min() ||
            rounded > std::numeric_limits<qint32>::max())
            throw EDatabaseError(QStringLiteral("Number out of range in filter expression"));
    }
    if (field.Type == engine::FieldType::String &&
        static_cast<quint32>(constant.String.toUcs4().size()) > field.Size)
        throw EDatabaseError(
            QStringLiteral("String constant too long for field '%1'").arg(field.Name));
}

} // namespace

QByteArray CompileFilter(const QString& text, const QList<ExprField>& fields) {
    return WriteExpression(ExpressionParser(text, fields).ParseFilter());
}

QByteArray CompileDefault(const QString& text, int fieldIndex, const QList<ExprField>& fields) {
    Q_ASSERT_X(fieldIndex >= 0 && fieldIndex < fields.size(), "CompileDefault",
               "fieldIndex out of range");
    ExprNode constant = ExpressionParser(text, fields).ParseConstant();
    AdoptType(constant, fields[fieldIndex].Type);
    CheckFits(constant, fields[fieldIndex]);
    // The engine converts a number on assignment, so a default number is always a float.
    if (constant.Op == engine::Op::Integer)
        AdoptType(constant, engine::FieldType::Float);
    ExprNode assign;
    assign.Op = engine::Op::Assign;
    assign.Field = static_cast<quint16>(fieldIndex + 1);
    assign.Operands.push_back(std::move(constant));
    return WriteExpression(assign);
}

} // namespace trevalo
