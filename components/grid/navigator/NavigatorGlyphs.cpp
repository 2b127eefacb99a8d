#include "components/grid/navigator/NavigatorGlyphs.h"

#include <QColor>
#include <string_view>

namespace trevalo {

namespace {

using Picture = std::array<std::string_view, kNavigatorGlyphHeight>;

// One character per pixel: '.' olive (the transparent colour), 'k' black, 'n' navy,
// 'g' dark green, 'm' maroon.
constexpr std::array<Picture, kNavigatorButtonCount> kPictures{{
    // First
    {"............", "............", "...kk....k..", "...kk...kk..", "...kk..kkk..", "...kk.kkkk..",
     "...kk..kkk..", "...kk...kk..", "...kk....k..", "............", "............"},
    // PriorPage
    {"............", "............", "....k....k..", "...kk...kk..", "..kkk..kkk..", ".kkkk.kkkk..",
     "..kkk..kkk..", "...kk...kk..", "....k....k..", "............", "............"},
    // Prior
    {"............", "............", ".......k....", "......kk....", ".....kkk....", "....kkkk....",
     ".....kkk....", "......kk....", ".......k....", "............", "............"},
    // Next
    {"............", "............", "....k.......", "....kk......", "....kkk.....", "....kkkk....",
     "....kkk.....", "....kk......", "....k.......", "............", "............"},
    // NextPage
    {"............", "............", "..k....k....", "..kk...kk...", "..kkk..kkk..", "..kkkk.kkkk.",
     "..kkk..kkk..", "..kk...kk...", "..k....k....", "............", "............"},
    // Last
    {"............", "............", "..k....kk...", "..kk...kk...", "..kkk..kk...", "..kkkk.kk...",
     "..kkk..kk...", "..kk...kk...", "..k....kk...", "............", "............"},
    // Insert
    {"............", ".....nn.....", ".....nn.....", ".....nn.....", "..nnnnnnnn..", "..nnnnnnnn..",
     ".....nn.....", ".....nn.....", ".....nn.....", "............", "............"},
    // Delete
    {"............", "............", "............", "............", "..nnnnnnnn..", "..nnnnnnnn..",
     "............", "............", "............", "............", "............"},
    // Edit
    {"............", "............", "............", ".....kk.....", "....kkkk....", "...kkkkkk...",
     "..kkkkkkkk..", "............", "............", "............", "............"},
    // Post
    {"............", "..........g.", ".........gg.", "........ggg.", ".g.....ggg..", ".gg...ggg...",
     ".ggg.ggg....", "..ggggg.....", "...ggg......", "....g.......", "............"},
    // Cancel
    {"............", "..mm....mm..", "...mm..mm...", "....mmmm....", ".....mm.....", ".....mm.....",
     "....mmmm....", "...mm..mm...", "..mm....mm..", "............", "............"},
    // Refresh
    {"............", "....kkkk.k..", "...k....kk..", "..k....kkk..", "..k.........", "..........k.",
     "..kkk.....k.", "..kk.....k..", "..k.kkkkk...", "............", "............"},
    // SaveBookmark
    {"............", "...kkkkkk...", "...knnnnk...", "...knnnnk...", "...knnnnk...", "...knnnnk...",
     "...knnnnk...", "...knkknk...", "...kk..kk...", "...k....k...", "............"},
    // GotoBookmark
    {"............", "......kkkkk.", "......knnnk.", "...k..knnnk.", "...kk.knnnk.", "kkkkkkknnnk.",
     "...kk.knnnk.", "...k..knknk.", "......kk.kk.", "......k...k.", "............"},
    // Filter
    {"............", ".kkkkkkkkkk.", "..k......k..", "...k....k...", "....k..k....", ".....kk.....",
     ".....kk.....", ".....kk.....", ".....kk.....", "............", "............"},
}};

constexpr bool AllRowsFullWidth() {
    for (const Picture& picture : kPictures)
        for (std::string_view row : picture)
            if (row.size() != kNavigatorGlyphWidth)
                return false;
    return true;
}
static_assert(AllRowsFullWidth(), "every glyph row is 12 pixels wide");

constexpr QRgb kTransparentColor = qRgb(128, 128, 0);

QRgb PixelColor(char code) {
    switch (code) {
    case 'k':
        return qRgb(0, 0, 0);
    case 'n':
        return qRgb(0, 0, 128);
    case 'g':
        return qRgb(0, 128, 0);
    case 'm':
        return qRgb(128, 0, 0);
    default:
        return kTransparentColor;
    }
}

QImage BuildStrip() {
    QImage strip(kNavigatorGlyphWidth * kNavigatorButtonCount, kNavigatorGlyphHeight,
                 QImage::Format_ARGB32);
    for (int glyph = 0; glyph < kNavigatorButtonCount; ++glyph)
        for (int y = 0; y < kNavigatorGlyphHeight; ++y)
            for (int x = 0; x < kNavigatorGlyphWidth; ++x) {
                const char code =
                    kPictures[static_cast<std::size_t>(glyph)][static_cast<std::size_t>(y)]
                             [static_cast<std::size_t>(x)];
                const QRgb color = PixelColor(code);
                strip.setPixel(glyph * kNavigatorGlyphWidth + x, y,
                               color == kTransparentColor ? qRgba(0, 0, 0, 0) : color);
            }
    return strip;
}

} // namespace

QImage NavigatorGlyph(NavigatorButton button) {
    static const QImage strip = BuildStrip();
    return strip.copy(static_cast<int>(button) * kNavigatorGlyphWidth, 0, kNavigatorGlyphWidth,
                      kNavigatorGlyphHeight);
}

} // namespace trevalo
