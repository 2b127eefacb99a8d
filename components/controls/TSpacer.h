/// \file
/// Empty space that keeps docked controls apart.
#pragma once

#include "components/forms/TComponent.h"

#include <QWidget>

namespace trevalo {

class TSpacer : public QWidget, public TComponent {
    Q_OBJECT
public:
    explicit TSpacer(QWidget* parent = nullptr)
        : QWidget(parent) {}
};

} // namespace trevalo
