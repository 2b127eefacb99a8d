/// \file
/// A panel: a face-coloured area with a raised two-ring frame, whose controls dock inside it.
#pragma once

#include "components/forms/TComponent.h"

#include <QWidget>

namespace trevalo {

/// The frame takes 2 pixels on every side; docked controls share the area inside it.
class TStyledPanel : public QWidget, public TComponent {
    Q_OBJECT
public:
    explicit TStyledPanel(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace trevalo
