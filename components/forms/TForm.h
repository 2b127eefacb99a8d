/// \file
/// A window whose composition is loaded from its layout file; its controls dock in its client
/// area and its handlers are bound by name.
#pragma once

#include "components/forms/ComponentRegistry.h"
#include "components/forms/TComponent.h"

#include <QMainWindow>

namespace trevalo {

class TForm : public QMainWindow, public TComponent, public TWidgetContainer {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int ClientWidth READ ClientWidth WRITE SetClientWidth)
    Q_PROPERTY(int ClientHeight READ ClientHeight WRITE SetClientHeight)
public:
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

    QWidget* ClientArea() override { return clientArea_; }

    /// The component of this window called \p name, or null.
    QObject* FindComponent(const QString& name) const;

    /// The window's create event, run once its layout is loaded.
    TNotifyEvent OnCreate;

protected:
    /// Makes \p handler bindable from the layout under \p name.
    void DeclareHandler(const QString& name, TNotifyEvent handler);

    /// Loads the layout at \p resource, then runs the create handler.
    void LoadLayout(const QString& resource);

    void closeEvent(QCloseEvent* event) override;

private:
    void FitToClientArea();

    static inline TForm* mainForm_ = nullptr;

    QWidget* clientArea_;
    QSize clientSize_;
    QHash<QString, TNotifyEvent> handlers_;
};

} // namespace trevalo
