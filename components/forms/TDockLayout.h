/// \file
/// Docking: each child is aligned to a side of what is left of its parent, in the order the
/// children were added; an undocked child keeps its own position and size.
#pragma once

#include <QLayout>
#include <QList>

namespace trevalo {

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

/// The alignment called \p name ("alTop", ...); raises an error for any other name.
TAlign AlignFromName(const QString& name);

class TDockLayout : public QLayout {
    Q_OBJECT
public:
    explicit TDockLayout(QWidget* parent);
    ~TDockLayout() override;

    void SetAlign(QWidget* widget, TAlign align);

    void addItem(QLayoutItem* item) override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    int count() const override;
    QSize sizeHint() const override;
    void setGeometry(const QRect& rect) override;

private:
    struct Dock {
        QLayoutItem* item;
        TAlign align;
    };
    QList<Dock> docks_;
};

} // namespace trevalo
