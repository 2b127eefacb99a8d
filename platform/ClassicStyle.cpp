#include "platform/ClassicStyle.h"

#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>

namespace trevalo {

namespace {

/// Stands in for one of a style's standard icons and asks the style for it on first use.
class DeferredIconEngine : public QIconEngine {
public:
    DeferredIconEngine(const QStyle* style, QStyle::StandardPixmap which)
        : style_(style)
        , which_(which) {}

    QIconEngine* clone() const override { return new DeferredIconEngine(style_, which_); }

    // The style's icon is asked at the size wanted in device pixels, as its own engine asks
    // itself: through QIcon, the application's pixel ratio would be applied once more.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().pixmap(size, 1.0, mode, state);
    }

    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return pixmap(size, mode, state).size();
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal ratio = painter->device()->devicePixelRatio();
        painter->drawPixmap(rect, pixmap(rect.size() * ratio, mode, state));
    }

    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return Icon().availableSizes(mode, state);
    }

private:
    const QIcon& Icon() {
        if (icon_.isNull() && style_)
            icon_ = style_->standardIcon(which_);
        return icon_;
    }

    // The icon may outlive the style, if the application's style is replaced.
    QPointer<const QStyle> style_;
    QStyle::StandardPixmap which_;
    QIcon icon_;
};

} // namespace

ClassicStyle::ClassicStyle()
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Windows"))) {}

QIcon ClassicStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                 const QWidget* widget) const {
    if (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton)
        return QIcon(new DeferredIconEngine(baseStyle(), icon));
    return QProxyStyle::standardIcon(icon, option, widget);
}

} // namespace trevalo
