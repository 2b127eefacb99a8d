#include "components/controls/TStyledCheckBox.h"

namespace trevalo {

TStyledCheckBox::TStyledCheckBox(QWidget* parent)
    : QCheckBox(parent) {
    DeclareEvent(QStringLiteral("OnClick"), OnClick);
    connect(this, &QCheckBox::clicked, this, [this] { Fire(OnClick, this); });
}

} // namespace trevalo
