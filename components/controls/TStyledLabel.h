/// \file
/// A label as wide as its caption, with the caption centred vertically when asked.
#pragma once

#include "components/forms/TComponent.h"

#include <QLabel>

namespace trevalo {

class TStyledLabel : public QLabel, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QString Layout READ Layout WRITE SetLayout)
public:
    explicit TStyledLabel(QWidget* parent = nullptr);

    QString Caption() const { return text(); }
    void SetCaption(const QString& caption);
    /// "tlTop" or "tlCenter".
    QString Layout() const { return layout_; }
    void SetLayout(const QString& layout);

private:
    QString layout_ = QStringLiteral("tlTop");
};

} // namespace trevalo
