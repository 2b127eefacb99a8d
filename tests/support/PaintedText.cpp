#include "tests/support/PaintedText.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QWidget>

namespace trevalo {

namespace {

// Every feature claimed, so that the painter hands text over as text, never as outlines.
class TextRecordingEngine : public QPaintEngine {
public:
    TextRecordingEngine()
        : QPaintEngine(QPaintEngine::AllFeatures) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPath(const QPainterPath&) override {}
    void drawTextItem(const QPointF& origin, const QTextItem& item) override {
        QRectF extent(origin.x(), origin.y() - item.ascent(), item.width(),
                      item.ascent() + item.descent());
        if (painter()->hasClipping())
            extent &= painter()->clipBoundingRect();
        if (extent.isEmpty())
            return;
        texts_.append({painter()->combinedTransform().mapRect(extent), item.text()});
    }
    Type type() const override { return QPaintEngine::User; }

    QList<PaintedText> texts_;
};

class TextRecordingDevice : public QPaintDevice {
public:
    explicit TextRecordingDevice(QSize size)
        : size_(size) {}

    QPaintEngine* paintEngine() const override { return &engine_; }
    const QList<PaintedText>& Texts() const { return engine_.texts_; }

protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
        case PdmWidth:
            return size_.width();
        case PdmHeight:
            return size_.height();
        case PdmWidthMM:
            return size_.width() * 254 / 960;
        case PdmHeightMM:
            return size_.height() * 254 / 960;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return INT_MAX;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        default:
            return 0;
        }
    }

private:
    QSize size_;
    mutable TextRecordingEngine engine_;
};

} // namespace

QList<PaintedText> PaintedTexts(QWidget& widget) {
    TextRecordingDevice device(widget.size());
    widget.render(&device, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    return device.Texts();
}

QString TextIn(const QList<PaintedText>& painted, const QRect& rect) {
    QString text;
    for (const PaintedText& each : painted) {
        if (QRectF(rect).contains(each.Shown.center()))
            text += each.Text;
    }
    return text;
}

} // namespace trevalo
