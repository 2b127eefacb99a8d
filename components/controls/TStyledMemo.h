/// \file
/// A read-only text box: its lines can be scrolled, selected and copied, never changed.
#pragma once

#include "components/forms/TComponent.h"

#include <QPlainTextEdit>

namespace trevalo {

class TStyledMemo : public QPlainTextEdit, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QStringList Lines READ Lines WRITE SetLines)
public:
    explicit TStyledMemo(QWidget* parent = nullptr);

    QStringList Lines() const;
    void SetLines(const QStringList& lines);
};

} // namespace trevalo
