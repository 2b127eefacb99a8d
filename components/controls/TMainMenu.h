/// \file
/// A window's menu bar and its commands.
#pragma once

#include "components/forms/TComponent.h"

#include <QAction>
#include <QPointer>

class QMainWindow;
class QMenuBar;

namespace trevalo {

/// The menu bar: its items are its children, shown in their order once loading is finished.
/// Alt alone lends the bar the keyboard: the widget that had it keeps its typing, which a
/// command settles, and gets the keyboard back when the bar lets it go, also when the window
/// lost it meanwhile.
class TMainMenu : public QObject, public TComponent {
    Q_OBJECT
public:
    explicit TMainMenu(QObject* parent = nullptr)
        : QObject(parent) {}
    void Loaded() override;

    /// The widget whose typing a command settles: the one that has the window's keyboard, or
    /// that lent it to the menu bar.
    QWidget* TypingWidget() const;

private:
    void FocusChanged(QWidget* old, QWidget* now);

    QPointer<QMainWindow> window_;
    QPointer<QMenuBar> bar_;
    QPointer<QWidget> lender_; ///< had the keyboard when the bar took it; null once it is back
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
