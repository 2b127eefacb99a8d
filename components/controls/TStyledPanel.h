/// \file
/// A panel: a framed area whose controls dock inside its border.
#pragma once

#include "components/forms/TComponent.h"

#include <QWidget>

namespace trevalo {

class TStyledPanel : public QWidget, public TComponent {
    Q_OBJECT
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE SetBorderWidth)
public:
    explicit TStyledPanel(QWidget* parent = nullptr);

    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width);

private:
    int borderWidth_ = 0;
};

} // namespace trevalo
