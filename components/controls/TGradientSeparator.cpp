#include "components/controls/TGradientSeparator.h"

#include "platform/ColorValue.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <vector>

namespace trevalo {

namespace {

/// Fills \p steps columns leftwards from \p first, walking from \p from towards \p to in as
/// many steps. Each channel accumulates in 16.16 fixed point with its step truncated toward
/// zero, so the walk never quite reaches \p to.
void Ramp(std::vector<QRgb>& columns, int first, int steps, QRgb from, QRgb to) {
    if (steps <= 0)
        return;
    const auto step = [steps](int start, int end) { return (end - start) * 65536 / steps; };
    const int redStep = step(qRed(from), qRed(to));
    const int greenStep = step(qGreen(from), qGreen(to));
    const int blueStep = step(qBlue(from), qBlue(to));
    for (int k = 0; k < steps; ++k)
        columns[static_cast<std::size_t>(first - k)] = qRgb(
            ((qRed(from) << 16) + k * redStep) >> 16, ((qGreen(from) << 16) + k * greenStep) >> 16,
            ((qBlue(from) << 16) + k * blueStep) >> 16);
}

/// The colour of each of \p width columns, left to right: \p highlight in the middle column,
/// fading to \p face at both sides; the rightmost column is exactly \p face, the leftmost one
/// step short of it.
std::vector<QRgb> Gradient(int width, QRgb highlight, QRgb face) {
    std::vector<QRgb> columns(static_cast<std::size_t>(width));
    const int middle = width / 2;
    Ramp(columns, middle, middle + 1, highlight, face);
    // A strip of one or two columns has no right part, and so no divisor for it.
    Ramp(columns, width - 1, width - middle - 1, face, highlight);
    return columns;
}

} // namespace

TGradientSeparator::TGradientSeparator(QWidget* parent)
    : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(200, 2);
}

void TGradientSeparator::paintEvent(QPaintEvent*) {
    const QRgb highlight = ResolveColor(SystemColor::Highlight, palette()).rgb();
    // Made at the screen's density: each column's colour spans its whole device pixels.
    const qreal ratio = devicePixelRatioF();
    QImage strip(size() * ratio, QImage::Format_RGB32);
    strip.setDevicePixelRatio(ratio);
    // Too few colours for a gradient: the whole strip takes the highlight colour.
    if (depth() <= 8) {
        strip.fill(highlight);
    } else {
        const std::vector<QRgb> columns =
            Gradient(width(), highlight, ResolveColor(SystemColor::BtnFace, palette()).rgb());
        auto* line = reinterpret_cast<QRgb*>(strip.scanLine(0));
        for (int x = 0; x < strip.width(); ++x)
            line[x] = columns[std::min(columns.size() - 1, static_cast<std::size_t>(x / ratio))];
        for (int y = 1; y < strip.height(); ++y)
            std::copy(line, line + strip.width(), reinterpret_cast<QRgb*>(strip.scanLine(y)));
    }
    // Drawn whole rather than tiled: a tiled draw starts the painter's worker threads, which
    // costs more at start-up than the few rows it saves.
    QPainter(this).drawImage(0, 0, strip);
}

} // namespace trevalo
