#include "components/controls/CheckBoxPattern.h"

#include <array>
#include <string_view>

namespace trevalo {

namespace {

constexpr int kSize = TStyledCheckBox::kBoxSize;

// The unchecked box; the other two states mark the 7 × 7 interior that starts at (3, 3).
constexpr std::array<std::string_view, kSize> kBox = {
    "FFFFFFFFFFFFF", "FLLLLLLLLLLLF", "FLLLLLLLLLLDF", "FLLIIIIIIIDDF", "FLLIIIIIIIDDF",
    "FLLIIIIIIIDDF", "FLLIIIIIIIDDF", "FLLIIIIIIIDDF", "FLLIIIIIIIDDF", "FLLIIIIIIIDDF",
    "FLLDDDDDDDDDF", "FLDDDDDDDDDDF", "FFFFFFFFFFFFF"};

constexpr int kInteriorAt = 3;
constexpr std::array<std::string_view, 7> kCheckMark = {"......K", ".....KK", "K...KKK", "KK.KKK.",
                                                        "KKKKK..", ".KKK...", "..K...."};

bool IsMark(TStyledCheckBox::TCheckBoxState state, int x, int y) {
    if (state == TStyledCheckBox::cbUnchecked || kBox[y][x] != 'I')
        return false;
    return state == TStyledCheckBox::cbGrayed ||
           kCheckMark[y - kInteriorAt][x - kInteriorAt] == 'K';
}

QColor RoleColor(char role, const BoxRoleColors& colors) {
    switch (role) {
    case 'F':
        return colors.Frame;
    case 'L':
        return colors.Light;
    case 'D':
        return colors.Dark;
    default:
        return colors.Interior;
    }
}

} // namespace

QImage DrawBoxPattern(TStyledCheckBox::TCheckBoxState state, const BoxRoleColors& colors) {
    QImage box(kSize, kSize, QImage::Format_RGB32);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x)
            box.setPixelColor(x, y,
                              IsMark(state, x, y) ? colors.Mark : RoleColor(kBox[y][x], colors));
    }
    return box;
}

void ReplaceColor(QImage& image, const QColor& from, const QColor& to) {
    const QRgb source = from.rgb();
    const QRgb target = to.rgb();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == source)
                image.setPixel(x, y, target);
        }
    }
}

} // namespace trevalo
