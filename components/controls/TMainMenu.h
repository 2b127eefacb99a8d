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
public:
    explicit TMenuItem(QObject* parent = nullptr);

    TNotifyEvent OnClick;
};

} // namespace trevalo
