/// \file
/// The order in which Tab walks a window's controls: each control's TabOrder is its place
/// among those of its siblings that can take the focus or hold a control that can.
#pragma once

class QWidget;

namespace trevalo {

/// Notes \p order for \p control; it takes effect when ArrangeTabOrder runs.
void SetTabOrder(QWidget* control, int order);

/// Chains the focus of every control inside \p window: siblings in creation order, each one
/// with a TabOrder then moved to that place (in creation order, as a layout sets them), and
/// each control's own controls right after it.
void ArrangeTabOrder(QWidget* window);

} // namespace trevalo
