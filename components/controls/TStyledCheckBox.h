/// \file
/// A check box whose click event fires once per change made by the user, after the new state
/// is stored; setting Checked from code or a layout fires nothing.
#pragma once

#include "components/forms/TComponent.h"

#include <QCheckBox>

namespace trevalo {

class TStyledCheckBox : public QCheckBox, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ text WRITE setText)
    Q_PROPERTY(bool Checked READ isChecked WRITE setChecked)
public:
    explicit TStyledCheckBox(QWidget* parent = nullptr);

    TNotifyEvent OnClick;
};

} // namespace trevalo
