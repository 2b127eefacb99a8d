#include "components/grid/control/CharacterLimit.h"

namespace trevalo {

CharacterLimit::CharacterLimit(int limit, QObject* parent)
    : QValidator(parent)
    , limit_(limit) {}

QValidator::State CharacterLimit::validate(QString& input, int& pos) const {
    qsizetype characters = 0;
    for (qsizetype i = 0; i < input.size();) {
        const bool pair =
            input[i].isHighSurrogate() && i + 1 < input.size() && input[i + 1].isLowSurrogate();
        if (!pair && input[i].isSurrogate()) {
            input.remove(i, 1);
            pos -= pos > i ? 1 : 0;
            continue;
        }
        i += pair ? 2 : 1;
        ++characters;
    }
    // Typing and pasting leave the cursor behind what they put in; as the line editor's own
    // limit does, the start of it is kept.
    for (; characters > limit_; --characters) {
        const qsizetype end = pos > 0 ? pos : input.size();
        const qsizetype width =
            end >= 2 && input[end - 1].isLowSurrogate() && input[end - 2].isHighSurrogate() ? 2 : 1;
        input.remove(end - width, width);
        pos -= pos > 0 ? static_cast<int>(width) : 0;
    }
    return Acceptable;
}

} // namespace trevalo
