#include "components/data/ExpressionLexer.h"

#include "components/data/DataErrors.h"

#include <array>

namespace trevalo {

namespace {

bool IsSeparator(QChar c) {
    return c.unicode() <= 0x20;
}
bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}
bool IsLetter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

struct Symbol {
    QStringView Text;
    TokenKind Kind;
    engine::Op Comparison = engine::Op::Null;
};

// Two-character operators come before their one-character prefixes.
constexpr std::array kSymbols{
    Symbol{u"<=", TokenKind::Comparison, engine::Op::LessEqual},
    Symbol{u"<>", TokenKind::Comparison, engine::Op::NotEqual},
    Symbol{u">=", TokenKind::Comparison, engine::Op::GreaterEqual},
    Symbol{u"<", TokenKind::Comparison, engine::Op::Less},
    Symbol{u">", TokenKind::Comparison, engine::Op::Greater},
    Symbol{u"=", TokenKind::Comparison, engine::Op::Equal},
    Symbol{u"(", TokenKind::LeftParen},
    Symbol{u")", TokenKind::RightParen},
};

struct Word {
    QStringView Text;
    TokenKind Kind;
};

constexpr std::array kWords{
    Word{u"AND", TokenKind::And},   Word{u"OR", TokenKind::Or},       Word{u"NOT", TokenKind::Not},
    Word{u"TRUE", TokenKind::True}, Word{u"FALSE", TokenKind::False},
};

[[noreturn]] void RaiseInvalidCharacter(QStringView text, qsizetype pos) {
    // A character outside the basic plane is reported whole, not as half a surrogate pair; a
    // control character, which no box could show, by its code.
    const bool pair =
        text[pos].isHighSurrogate() && pos + 1 < text.size() && text[pos + 1].isLowSurrogate();
    const QString shown = text[pos].unicode() < 0x20
                              ? QStringLiteral("#%1").arg(text[pos].unicode())
                              : QStringLiteral("'%1'").arg(text.mid(pos, pair ? 2 : 1));
    throw EDatabaseError(QStringLiteral("Invalid filter expression character: %1").arg(shown));
}

} // namespace

Token ExpressionLexer::Next() {
    while (pos_ < text_.size() && IsSeparator(text_[pos_]))
        ++pos_;
    if (pos_ == text_.size())
        return {};
    const QChar c = text_[pos_];
    if (c == u'[')
        return ReadField();
    if (c == u'\'')
        return ReadString();
    if (IsDigit(c))
        return ReadNumber();
    if (IsLetter(c))
        return ReadWord();
    return ReadSymbol();
}

Token ExpressionLexer::ReadField() {
    const qsizetype close = text_.indexOf(u']', pos_ + 1);
    if (close < 0)
        throw EDatabaseError(QStringLiteral("Unterminated field name"));
    Token token{TokenKind::Field, text_.mid(pos_ + 1, close - pos_ - 1)};
    pos_ = close + 1;
    return token;
}

Token ExpressionLexer::ReadString() {
    Token token{TokenKind::String, {}};
    qsizetype from = pos_ + 1;
    for (;;) {
        const qsizetype quote = text_.indexOf(u'\'', from);
        if (quote < 0)
            throw EDatabaseError(QStringLiteral("Unterminated string constant"));
        // The engine's strings end at a zero character, so none may stand inside one.
        if (const qsizetype zero = text_.indexOf(QChar(0), from); zero >= 0 && zero < quote)
            RaiseInvalidCharacter(text_, zero);
        token.Text += QStringView(text_).mid(from, quote - from);
        if (quote + 1 < text_.size() && text_[quote + 1] == u'\'') {
            token.Text += u'\'';
            from = quote + 2;
            continue;
        }
        pos_ = quote + 1;
        return token;
    }
}

Token ExpressionLexer::ReadNumber() {
    const qsizetype start = pos_;
    while (pos_ < text_.size() && IsDigit(text_[pos_]))
        ++pos_;
    return {TokenKind::Number, text_.mid(start, pos_ - start)};
}

Token ExpressionLexer::ReadWord() {
    const qsizetype start = pos_;
    qsizetype end = pos_;
    while (end < text_.size() && IsLetter(text_[end]))
        ++end;
    const QStringView word = QStringView(text_).mid(start, end - start);
    for (const Word& known : kWords) {
        if (word.compare(known.Text, Qt::CaseInsensitive) == 0) {
            pos_ = end;
            return {known.Kind, word.toString()};
        }
    }
    // No token starts with a word the language does not know.
    RaiseInvalidCharacter(text_, start);
}

Token ExpressionLexer::ReadSymbol() {
    const QStringView rest = QStringView(text_).mid(pos_);
    for (const Symbol& symbol : kSymbols) {
        if (rest.startsWith(symbol.Text)) {
            pos_ += symbol.Text.size();
            return {symbol.Kind, symbol.Text.toString(), symbol.Comparison};
        }
    }
    RaiseInvalidCharacter(text_, pos_);
}

} // namespace trevalo
