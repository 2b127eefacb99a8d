/// \file
/// The strip between the two grids: the highlight colour down its middle column, fading across
/// its width towards the face colour on both sides.
#pragma once

#include "components/forms/TComponent.h"

#include <QWidget>

namespace trevalo {

class TGradientSeparator : public QWidget, public TComponent {
    Q_OBJECT
public:
    explicit TGradientSeparator(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace trevalo
