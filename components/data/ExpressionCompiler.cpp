#include "components/data/ExpressionCompiler.h"

#include "components/data/ExpressionParser.h"
#include "components/data/ExpressionWriter.h"

namespace trevalo {

QByteArray CompileFilter(const QString& text, const QList<ExprField>& fields) {
    return WriteExpression(ExpressionParser(text, fields).ParseFilter());
}

QByteArray CompileDefault(const QString& text, int fieldIndex, const QList<ExprField>& fields) {
    Q_ASSERT_X(fieldIndex >= 0 && fieldIndex < fields.size(), "CompileDefault",
               "fieldIndex out of range");
    ExprNode constant = ExpressionParser(text, fields).ParseConstant();
    AdoptType(constant, fields[fieldIndex].Type);
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
