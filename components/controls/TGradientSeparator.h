/// \file
/// The strip between the two grids.
#pragma once

#include "components/forms/TComponent.h"

#include <QWidget>

namespace trevalo {

class TGradientSeparator : public QWidget, public TComponent {
    Q_OBJECT
public:
    explicit TGradientSeparator(QWidget* parent = nullptr)
        : QWidget(parent) {}
};

} // namespace trevalo
