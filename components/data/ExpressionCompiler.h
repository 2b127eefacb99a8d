/// \file
/// Compiles filter texts and column defaults into the engine's expression encoding.
#pragma once

#include "EngineContract.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace trevalo {

/// A field as the compiler sees it.
struct ExprField {
    QString Name;
    engine::FieldType Type;
    quint32 Size = 0; ///< characters, for strings
};

/// Compiles a filter condition over \p fields. Raises EDatabaseError with the compiler's text.
QByteArray CompileFilter(const QString& text, const QList<ExprField>& fields);

/// Compiles a column default: one constant assigned to fields[fieldIndex] (0-based).
QByteArray CompileDefault(const QString& text, int fieldIndex, const QList<ExprField>& fields);

} // namespace trevalo
