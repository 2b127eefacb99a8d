/// \file
/// A window whose composition is loaded from its layout file; its controls dock in its client
/// area, its handlers are bound by name, and it opens where its Position puts it.
#pragma once

#include "components/forms/ControlRegistry.h"
#include "components/forms/TComponent.h"

#include <QMainWindow>

namespace trevalo {

class TForm : public QMainWindow, public TComponent, public TWidgetContainer {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int ClientWidth READ ClientWidth WRITE SetClientWidth)
    Q_PROPERTY(int ClientHeight READ ClientHeight WRITE SetClientHeight)
    Q_PROPERTY(TPosition Position READ Position WRITE SetPosition)
    Q_PROPERTY(int Left READ Left WRITE SetLeft)
    Q_PROPERTY(int Top READ Top WRITE SetTop)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
public:
    /// poDesigned: at (Left, Top), moved onto a monitor where it would not lie wholly on one.
    /// poDesktopCenter: centred on the area of all monitors by its outer size.
    enum TPosition { poDesigned, poDesktopCenter };
    Q_ENUM(TPosition)

    explicit TForm(QWidget* parent = nullptr);
    ~TForm() override;

    /// The first window created that still exists: closing it ends the program.
    static TForm* MainForm() { return mainForm_; }

    QString Caption() const { return windowTitle(); }
    void SetCaption(const QString& caption) { setWindowTitle(caption); }
    int ClientWidth() const;
    void SetClientWidth(int width);
    int ClientHeight() const;
    void SetClientHeight(int height);

    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }
    /// The designed place and outer size: frame, title bar and menu bar of the platform the
    /// window was designed on included. Placement reckons with them; the window's real size
    /// follows from its client area.
    int Left() const { return designed_.left(); }
    void SetLeft(int left) { designed_.moveLeft(left); }
    int Top() const { return designed_.top(); }
    void SetTop(int top) { designed_.moveTop(top); }
    int Width() const { return designed_.width(); }
    void SetWidth(int width) { designed_.setWidth(width); }
    int Height() const { return designed_.height(); }
    void SetHeight(int height) { designed_.setHeight(height); }

    QWidget* ClientArea() override { return clientArea_; }

    /// The component of this window called \p name, or null.
    QObject* FindComponent(const QString& name) const;

    /// The window's create event, run once its layout is loaded.
    TNotifyEvent OnCreate;

Q_SIGNALS:
    /// The window is being destroyed; its components are all still there, whole.
    void Destroying();

protected:
    /// Makes \p handler bindable from the layout under \p name.
    void DeclareHandler(const QString& name, TNotifyEvent handler);

    /// Loads the layout at \p resource, then runs the create handler.
    void LoadLayout(const QString& resource);

    void closeEvent(QCloseEvent* event) override;

private:
    void FitToClientArea();
    void PlaceOnDesktop();

    static inline TForm* mainForm_ = nullptr;

    QWidget* clientArea_;
    QSize clientSize_;
    TPosition position_ = poDesigned;
    QRect designed_;
    QHash<QString, TNotifyEvent> handlers_;
};

} // namespace trevalo
