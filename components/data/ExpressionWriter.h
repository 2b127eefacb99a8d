/// \file
/// Writes an expression tree in the engine's prefix encoding.
#pragma once

#include "components/data/ExpressionParser.h"

#include <QByteArray>

namespace trevalo {

/// The bytes of \p root and its operands, prefix order, little-endian.
QByteArray WriteExpression(const ExprNode& root);

} // namespace trevalo
