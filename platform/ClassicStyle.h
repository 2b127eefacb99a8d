/// \file
/// The windows' look: the platform's classic style, not its visual styles.
#pragma once

#include <QProxyStyle>

namespace trevalo {

/// Qt's "Windows" style. A menu bar asks for its extension button's icon when it is made,
/// though the button shows only when the menu does not fit; reading that picture probes every
/// image plugin, so the toolbar extension icons are read when they are first used instead.
class ClassicStyle : public QProxyStyle {
    Q_OBJECT
public:
    ClassicStyle();

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                       const QWidget* widget) const override;
};

} // namespace trevalo
