/// \file
/// The texts a widget paints, read from its painting itself: the widget is rendered onto a
/// device whose engine draws nothing and writes down each text with the part of it that shows.
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

class QWidget;

namespace trevalo {

struct PaintedText {
    QRectF Shown; ///< what the clip leaves of the text's extent, in the widget's coordinates
    QString Text;
};

/// What \p widget paints itself, its children left out, in the order it paints it.
QList<PaintedText> PaintedTexts(QWidget& widget);

/// The texts of \p painted whose shown part has its centre inside \p rect, joined in the order
/// they were painted: a text too wide for its cell is clipped to it.
QString TextIn(const QList<PaintedText>& painted, const QRect& rect);

} // namespace trevalo
