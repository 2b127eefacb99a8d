#include "platform/ColorValue.h"

#include <QGuiApplication>

namespace trevalo {

namespace {

QPalette::ColorRole RoleOf(int index) {
    switch (index) {
    case 5:
        return QPalette::Base;
    case 8:
        return QPalette::Text;
    case 13:
        return QPalette::Highlight;
    case 14:
        return QPalette::HighlightedText;
    case 16:
        return QPalette::Mid;
    case 17:
        return QPalette::PlaceholderText;
    case 18:
        return QPalette::ButtonText;
    case 20:
        return QPalette::Light;
    case 21:
        return QPalette::Shadow;
    case 22:
        return QPalette::Midlight;
    default:
        return QPalette::Button;
    }
}

} // namespace

QColor ResolveColor(ColorValue value, const QPalette& palette) {
    const auto bits = static_cast<std::uint32_t>(value);
    if (IsSystemColor(value))
        return palette.color(QPalette::Active, RoleOf(static_cast<int>(bits & 0xFFu)));
    return QColor(bits & 0xFFu, (bits >> 8) & 0xFFu, (bits >> 16) & 0xFFu);
}

QColor ResolveColor(ColorValue value) {
    return ResolveColor(value, QGuiApplication::palette());
}

} // namespace trevalo
