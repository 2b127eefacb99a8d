/// \file
/// Empty space that keeps docked controls apart; it paints nothing, so its parent shows through.
#pragma once

#include "components/forms/TComponent.h"

#include <QWidget>

namespace trevalo {

class TSpacer : public QWidget, public TComponent {
    Q_OBJECT
public:
    explicit TSpacer(QWidget* parent = nullptr)
        : QWidget(parent) {
        resize(8, 25);
    }
};

} // namespace trevalo
