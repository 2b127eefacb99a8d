#include "components/controls/TStyledPanel.h"

#include "components/forms/TDockLayout.h"

namespace trevalo {

TStyledPanel::TStyledPanel(QWidget* parent)
    : QWidget(parent) {
    new TDockLayout(this);
}

void TStyledPanel::SetBorderWidth(int width) {
    if (borderWidth_ == width)
        return;
    borderWidth_ = width;
    layout()->setContentsMargins(width, width, width, width);
}

} // namespace trevalo
