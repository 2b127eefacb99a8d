#include "components/controls/ColorOperations.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace trevalo {

namespace {

// nearbyint rounds in the default floating-point mode: to nearest, halves to even.
int RoundHalfEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}

int ToChannel(double value) {
    return RoundHalfEven(std::clamp(value, 0.0, 1.0) * 255.0);
}

} // namespace

HueSatLum ToHueSatLum(const QColor& color) {
    const double r = color.red() / 255.0;
    const double g = color.green() / 255.0;
    const double b = color.blue() / 255.0;
    const double mx = std::max({r, g, b});
    const double mn = std::min({r, g, b});
    const double l = (mx + mn) / 2;
    double h = 0;
    double s = 0;
    if (mx != mn) {
        const double d = mx - mn;
        s = l < 0.5 ? d / (mx + mn) : d / (2 - mx - mn);
        if (r == mx)
            h = (g - b) / d;
        else if (g == mx)
            h = (b - r) / d + 2;
        else
            h = (r - g) / d + 4;
        h /= 6;
        if (h < 0)
            h += 1;
    }
    const auto scaled = [](double value) {
        return static_cast<std::uint8_t>(RoundHalfEven(value * 240));
    };
    return {scaled(h), scaled(s), scaled(l)};
}

QColor FromHueSatLum(int H, int S, int L) {
    const double h = H / 239.0;
    const double s = S / 240.0;
    const double l = L / 240.0;
    const double v = l < 0.5 ? l * (1 + s) : l + s - l * s;
    if (v <= 0)
        return QColor(0, 0, 0);
    const double m = 2 * l - v;
    const int n = static_cast<int>(6 * h);
    const double f = 6 * h - n;
    const double t = v * ((v - m) / v) * f;
    const double p = m + t;
    const double q = v - t;
    const auto [r, g, b] = [&]() -> std::array<double, 3> {
        switch (n) {
        case 1:
            return {q, v, m};
        case 2:
            return {m, v, p};
        case 3:
            return {m, q, v};
        case 4:
            return {p, m, v};
        case 5:
            return {v, m, q};
        default:
            return {v, p, m};
        }
    }();
    return QColor(ToChannel(r), ToChannel(g), ToChannel(b));
}

QColor RaiseLightness(const QColor& color, int amount) {
    const HueSatLum hsl = ToHueSatLum(color);
    return FromHueSatLum(hsl.H, hsl.S, std::min(hsl.L + amount, 255));
}

QColor LowerLightness(const QColor& color, int amount) {
    const HueSatLum hsl = ToHueSatLum(color);
    return FromHueSatLum(hsl.H, hsl.S, std::max(hsl.L - amount, 0));
}

QColor ComplementHue(const QColor& color, int lightness) {
    const int hue = ToHueSatLum(color).H;
    return FromHueSatLum(hue < 120 ? hue + 120 : hue - 120, 240, lightness);
}

} // namespace trevalo
