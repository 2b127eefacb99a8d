/// \file
/// The texts a widget paints, read from its painting itself: the widget is rendered onto a
/// device whose engine draws nothing and writes down each text with the point it starts at.
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

class QWidget;

namespace trevalo {

struct PaintedText {
    QPointF Origin; ///< the text's baseline start, in the widget's coordinates
    QString Text;
};

/// What \p widget paints itself, its children left out, in the order it paints it.
QList<PaintedText> PaintedTexts(QWidget& widget);

/// The texts of \p painted that start inside \p rect, joined in the order they were painted.
QString TextIn(const QList<PaintedText>& painted, const QRect& rect);

} // namespace trevalo
