/// \file
/// Splits a filter or default text into the tokens of the expression language.
#pragma once

#include "EngineContract.h"

#include <QString>

namespace trevalo {

enum class TokenKind {
    End,
    Field,  ///< Text is the name as written between the brackets
    Number, ///< Text is the run of digits
    String, ///< Text is the value, doubled quotes undone
    True,
    False,
    And,
    Or,
    Not,
    Comparison, ///< Comparison is the operator
    LeftParen,
    RightParen,
};

struct Token {
    TokenKind Kind = TokenKind::End;
    QString Text;
    engine::Op Comparison = engine::Op::Null;
};

/// Reads tokens one at a time, so that errors come out in the order of the text.
class ExpressionLexer {
public:
    explicit ExpressionLexer(QString text)
        : text_(std::move(text)) {}

    /// The next token; End once the text is used up. Raises EDatabaseError for a token that
    /// cannot be read.
    Token Next();

private:
    Token ReadField();
    Token ReadString();
    Token ReadNumber();
    Token ReadWord();
    Token ReadSymbol();

    QString text_;
    qsizetype pos_ = 0; ///< first character not yet read
};

} // namespace trevalo
