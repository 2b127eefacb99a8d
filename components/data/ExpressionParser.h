/// \file
/// Turns the tokens of a filter or default text into a typed expression tree.
#pragma once

#include "components/data/ExpressionCompiler.h"
#include "components/data/ExpressionLexer.h"

#include <vector>

namespace trevalo {

/// One node of an expression tree, in the engine's terms. Only the member that goes with
/// Op carries a value.
struct ExprNode {
    engine::Op Op = engine::Op::Null;
    engine::FieldType Type = engine::FieldType::Boolean; ///< of the value; conditions: Boolean
    quint16 Field = 0;                                   ///< 1-based; Op::Field, Op::Assign
    qint32 Integer = 0;
    double Float = 0;
    bool Boolean = false;
    QString String;
    std::vector<ExprNode> Operands;
    int Height = 0; ///< operator levels from here down; a value is 0
};

/// A constant that meets a field takes the field's type: a string becomes a boolean for a
/// boolean field, an integer becomes a float for a float field. Raises "Type mismatch in
/// expression" when the two cannot pair.
void AdoptType(ExprNode& constant, engine::FieldType type);

/// Recursive descent over the language; loosest to tightest: OR, AND, NOT, comparison.
/// Every method raises EDatabaseError with the compiler's message.
class ExpressionParser {
public:
    ExpressionParser(const QString& text, const QList<ExprField>& fields);

    /// The whole text as one condition.
    ExprNode ParseFilter();
    /// The whole text as one constant, typed as it is written.
    ExprNode ParseConstant();

private:
    ExprNode ParseOr();
    ExprNode ParseAnd();
    ExprNode ParseNot();
    ExprNode ParsePrimary();
    ExprNode ParseValue();
    /// One operand, then as many (\p kind operand) pairs as follow, joined from the left.
    ExprNode ParseChain(TokenKind kind, engine::Op op, ExprNode (ExpressionParser::*operand)());
    ExprNode FieldNode(const QString& name) const;
    void Advance() { token_ = lexer_.Next(); }
    /// One level deeper into the parser's own recursion: a parenthesis or a NOT. Raises beyond
    /// the limit.
    void Nest();
    void ExpectEnd() const;

    ExpressionLexer lexer_;
    const QList<ExprField>& fields_;
    Token token_;   ///< the next token, not yet consumed
    int depth_ = 0; ///< parentheses and NOTs open at this point of the parse
};

} // namespace trevalo
