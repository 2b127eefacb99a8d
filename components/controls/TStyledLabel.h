/// \file
/// A one-line label as wide as its caption, filled with the face colour, its caption at the top
/// or centred vertically.
#pragma once

#include "components/forms/TComponent.h"

#include <QLabel>

namespace trevalo {

class TStyledLabel : public QLabel, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QString Layout READ Layout WRITE SetLayout)
public:
    explicit TStyledLabel(QWidget* parent = nullptr);

    /// Setting it resizes the label to the caption, keeping its left edge, and repaints at once.
    QString Caption() const { return text(); }
    void SetCaption(const QString& caption);
    /// "tlTop" or "tlCenter"; any other name is an error.
    QString Layout() const;
    void SetLayout(const QString& layout);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    enum class TTextLayout { tlTop, tlCenter };

    /// The caption's measured size: one line, tabs expanded.
    QSize CaptionSize() const;
    void AdjustBounds();

    TTextLayout layout_ = TTextLayout::tlTop;
};

} // namespace trevalo
