/// \file
/// A window's menu bar and its commands.
#pragma once

#include "components/forms/TComponent.h"

#include <QAction>

namespace trevalo {

/// The menu bar: its items are its children, shown in their order once loading is finished.
class TMainMenu : public QObject, public TComponent {
    Q_OBJECT
public:
    explicit TMainMenu(QObject* parent = nullptr)
        : QObject(parent) {}
    void Loaded() override;
};

class TMenuItem : public QAction, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ text WRITE setText)
    Q_PROPERTY(bool Visible READ isVisible WRITE setVisible)
    Q_PROPERTY(QString ShortCut READ ShortCut WRITE SetShortCut)
public:
    explicit TMenuItem(QObject* parent = nullptr);

    /// The key that runs the command anywhere in its window, as "Ctrl+T" or "F1"; a name that
    /// is no key is an error.
    QString ShortCut() const { return shortcut().toString(QKeySequence::PortableText); }
    void SetShortCut(const QString& keys);

    TNotifyEvent OnClick;
};

} // namespace trevalo
