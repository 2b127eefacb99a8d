#include "components/data/ExpressionParser.h"

#include "components/data/DataErrors.h"

#include <algorithm>
#include <limits>

namespace trevalo {

using engine::FieldType;
using engine::Op;

namespace {

// Bounds both the parser's recursion and the height of the tree it builds, which the writer and
// the engine walk recursively as well; well within the depth the engine accepts. The two differ:
// a chain of joins builds height without recursion, and parentheses recurse without height.
constexpr int kMaxDepth = 100;

[[noreturn]] void Raise(const char* message) {
    throw EDatabaseError(QString::fromLatin1(message));
}
[[noreturn]] void RaiseIncorrectlyFormed() {
    Raise("Incorrectly formed filter expression");
}
[[noreturn]] void RaiseTypeMismatch() {
    Raise("Type mismatch in expression");
}

bool IsNumber(FieldType type) {
    return type == FieldType::Integer || type == FieldType::Float;
}
bool SameKind(FieldType a, FieldType b) {
    return a == b || (IsNumber(a) && IsNumber(b));
}

bool IsConstant(const ExprNode& node) {
    return node.Op == Op::Integer || node.Op == Op::Boolean || node.Op == Op::String ||
           node.Op == Op::Float;
}

void AddOperand(ExprNode& node, ExprNode operand) {
    node.Height = std::max(node.Height, operand.Height + 1);
    if (node.Height > kMaxDepth)
        Raise("Filter expression nested too deeply");
    node.Operands.push_back(std::move(operand));
}

ExprNode Join(Op op, ExprNode operand) {
    if (operand.Type != FieldType::Boolean)
        RaiseTypeMismatch();
    ExprNode node;
    node.Op = op;
    AddOperand(node, std::move(operand));
    return node;
}

ExprNode Join(Op op, ExprNode first, ExprNode second) {
    if (second.Type != FieldType::Boolean)
        RaiseTypeMismatch();
    ExprNode node = Join(op, std::move(first));
    AddOperand(node, std::move(second));
    return node;
}

ExprNode Compare(Op op, ExprNode lhs, ExprNode rhs) {
    if (lhs.Op == Op::Field && IsConstant(rhs))
        AdoptType(rhs, lhs.Type);
    else if (rhs.Op == Op::Field && IsConstant(lhs))
        AdoptType(lhs, rhs.Type);
    else if (!SameKind(lhs.Type, rhs.Type))
        RaiseTypeMismatch();
    ExprNode node;
    node.Op = op;
    AddOperand(node, std::move(lhs));
    AddOperand(node, std::move(rhs));
    return node;
}

ExprNode NumberNode(const QString& digits) {
    ExprNode node;
    // Beyond int32 the number stays a float, so that comparisons stay numerically right.
    bool finite = false;
    const double value = digits.toDouble(&finite);
    if (!finite)
        Raise("Number out of range in filter expression");
    if (value <= std::numeric_limits<qint32>::max()) {
        node.Op = Op::Integer;
        node.Type = FieldType::Integer;
        node.Integer = static_cast<qint32>(value);
    } else {
        node.Op = Op::Float;
        node.Type = FieldType::Float;
        node.Float = value;
    }
    return node;
}

ExprNode StringNode(const QString& text) {
    ExprNode node;
    node.Op = Op::String;
    node.Type = FieldType::String;
    node.String = text;
    return node;
}

ExprNode BooleanNode(bool value) {
    ExprNode node;
    node.Op = Op::Boolean;
    node.Boolean = value;
    return node;
}

} // namespace

void AdoptType(ExprNode& constant, FieldType type) {
    if (constant.Op == Op::String && type == FieldType::Boolean) {
        const bool isTrue = constant.String.compare(u"True", Qt::CaseInsensitive) == 0;
        if (!isTrue && constant.String.compare(u"False", Qt::CaseInsensitive) != 0)
            RaiseTypeMismatch();
        constant = BooleanNode(isTrue);
        return;
    }
    if (!SameKind(constant.Type, type))
        RaiseTypeMismatch();
    if (constant.Op == Op::Integer && type == FieldType::Float) {
        constant.Op = Op::Float;
        constant.Type = FieldType::Float;
        constant.Float = constant.Integer;
    }
}

ExpressionParser::ExpressionParser(const QString& text, const QList<ExprField>& fields)
    : lexer_(text)
    , fields_(fields) {
    Q_ASSERT_X(fields.size() <= std::numeric_limits<quint16>::max(), "ExpressionParser",
               "field numbers are 16-bit");
    Advance();
}

ExprNode ExpressionParser::ParseFilter() {
    ExprNode node = ParseOr();
    ExpectEnd();
    if (node.Type != FieldType::Boolean)
        RaiseIncorrectlyFormed();
    return node;
}

ExprNode ExpressionParser::ParseConstant() {
    ExprNode node = ParseValue();
    ExpectEnd();
    if (!IsConstant(node))
        RaiseIncorrectlyFormed();
    return node;
}

ExprNode ExpressionParser::ParseOr() {
    return ParseChain(TokenKind::Or, Op::Or, &ExpressionParser::ParseAnd);
}

ExprNode ExpressionParser::ParseAnd() {
    return ParseChain(TokenKind::And, Op::And, &ExpressionParser::ParseNot);
}

ExprNode ExpressionParser::ParseChain(TokenKind kind, Op op,
                                      ExprNode (ExpressionParser::*operand)()) {
    ExprNode node = (this->*operand)();
    while (token_.Kind == kind) {
        Advance();
        node = Join(op, std::move(node), (this->*operand)());
    }
    return node;
}

ExprNode ExpressionParser::ParseNot() {
    if (token_.Kind != TokenKind::Not)
        return ParsePrimary();
    Advance();
    Nest();
    ExprNode node = Join(Op::Not, ParseNot());
    --depth_;
    return node;
}

ExprNode ExpressionParser::ParsePrimary() {
    if (token_.Kind == TokenKind::LeftParen) {
        Advance();
        Nest();
        ExprNode node = ParseOr();
        if (token_.Kind != TokenKind::RightParen)
            RaiseIncorrectlyFormed();
        Advance();
        --depth_;
        return node;
    }
    ExprNode lhs = ParseValue();
    if (token_.Kind != TokenKind::Comparison)
        return lhs;
    const Op op = token_.Comparison;
    Advance();
    return Compare(op, std::move(lhs), ParseValue());
}

ExprNode ExpressionParser::ParseValue() {
    ExprNode node;
    switch (token_.Kind) {
    case TokenKind::Field:
        node = FieldNode(token_.Text);
        break;
    case TokenKind::Number:
        node = NumberNode(token_.Text);
        break;
    case TokenKind::String:
        node = StringNode(token_.Text);
        break;
    case TokenKind::True:
    case TokenKind::False:
        node = BooleanNode(token_.Kind == TokenKind::True);
        break;
    default:
        RaiseIncorrectlyFormed();
    }
    Advance();
    return node;
}

ExprNode ExpressionParser::FieldNode(const QString& name) const {
    for (qsizetype i = 0; i < fields_.size(); ++i) {
        if (fields_[i].Name.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        ExprNode node;
        node.Op = Op::Field;
        node.Type = fields_[i].Type;
        node.Field = static_cast<quint16>(i + 1);
        return node;
    }
    throw EDatabaseError(QStringLiteral("Field '%1' not found").arg(name));
}

void ExpressionParser::Nest() {
    if (++depth_ > kMaxDepth)
        Raise("Filter expression nested too deeply");
}

void ExpressionParser::ExpectEnd() const {
    if (token_.Kind != TokenKind::End)
        Raise("Filter expression incorrectly terminated");
}

} // namespace trevalo
