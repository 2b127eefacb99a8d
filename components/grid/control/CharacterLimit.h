/// \file
/// A string field's size in an editor: a limit in characters, each a whole code point, so
/// that input past it is refused a character at a time and a surrogate pair is never split.
#pragma once

#include <QValidator>

namespace trevalo {

class CharacterLimit : public QValidator {
    Q_OBJECT
public:
    CharacterLimit(int limit, QObject* parent);

    void SetLimit(int limit) { limit_ = limit; }

    /// Drops what \p input holds past the limit from the end of what was just put in, which
    /// ends at \p pos, and every half of a surrogate pair without its partner.
    State validate(QString& input, int& pos) const override;

private:
    int limit_;
};

} // namespace trevalo
