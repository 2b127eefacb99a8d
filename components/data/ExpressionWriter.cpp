#include "components/data/ExpressionWriter.h"

#include <QDataStream>
#include <QIODevice>

namespace trevalo {

namespace {

void Write(QDataStream& out, const ExprNode& node) {
    out << static_cast<quint8>(node.Op);
    switch (node.Op) {
    case engine::Op::Field:
    case engine::Op::Assign:
        out << node.Field;
        break;
    case engine::Op::Integer:
        out << node.Integer;
        break;
    case engine::Op::Boolean:
        out << static_cast<quint8>(node.Boolean ? 1 : 0);
        break;
    case engine::Op::String: {
        const QByteArray utf8 = node.String.toUtf8();
        out << static_cast<quint32>(utf8.size());
        out.writeRawData(utf8.constData(), static_cast<int>(utf8.size()));
        break;
    }
    case engine::Op::Float:
        out << node.Float;
        break;
    default:
        break;
    }
    for (const ExprNode& operand : node.Operands)
        Write(out, operand);
}

} // namespace

QByteArray WriteExpression(const ExprNode& root) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.setFloatingPointPrecision(QDataStream::DoublePrecision);
    Write(out, root);
    return bytes;
}

} // namespace trevalo
