#include "components/forms/TForm.h"

#include "components/forms/FormPlacement.h"
#include "components/forms/LayoutLoader.h"
#include "components/forms/TDockLayout.h"
#include "platform/Exception.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>

namespace trevalo {

TForm::TForm(QWidget* parent)
    : QMainWindow(parent)
    , clientArea_(new QWidget(this)) {
    setBackgroundRole(QPalette::Button);
    new TDockLayout(clientArea_);
    setCentralWidget(clientArea_);
    DeclareEvent(QStringLiteral("OnCreate"), OnCreate);
    if (!mainForm_)
        mainForm_ = this;
}

TForm::~TForm() {
    Q_EMIT Destroying();
    if (mainForm_ == this)
        mainForm_ = nullptr;
}

int TForm::ClientWidth() const {
    return clientArea_->width();
}

void TForm::SetClientWidth(int width) {
    clientSize_.setWidth(width);
    FitToClientArea();
}

int TForm::ClientHeight() const {
    return clientArea_->height();
}

void TForm::SetClientHeight(int height) {
    clientSize_.setHeight(height);
    FitToClientArea();
}

void TForm::FitToClientArea() {
    // While the layout loads, the window is fitted once, when it is complete.
    if (!clientSize_.isValid() || Loading())
        return;
    // A hidden window gets no resize event, so its layout is told by hand.
    const auto relayout = [this] {
        layout()->invalidate();
        layout()->activate();
    };
    // The menu bar's height is known only once the window's layout has placed it.
    resize(clientSize_);
    relayout();
    resize(size() + clientSize_ - clientArea_->size());
    relayout();
}

void TForm::PlaceOnDesktop() {
    if (position_ == poDesktopCenter)
        move(DesktopCenter(VirtualDesktopSize(), designed_.size()));
    else
        move(OnVisibleDesktop(designed_, AvailableScreenAreas()));
}

QObject* TForm::FindComponent(const QString& name) const {
    return findChild<QObject*>(name, Qt::FindChildrenRecursively);
}

void TForm::DeclareHandler(const QString& name, TNotifyEvent handler) {
    handlers_.insert(name, std::move(handler));
}

void TForm::LoadLayout(const QString& resource) {
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly))
        throw Exception(QStringLiteral("Resource %1 not found").arg(resource));
    LayoutLoader loader(*this, [this](const QString& name) -> const TNotifyEvent* {
        const auto found = handlers_.constFind(name);
        return found == handlers_.cend() ? nullptr : &*found;
    });
    loader.Load(file.readAll());
    FitToClientArea();
    PlaceOnDesktop();
    // Not through Fire: a failure here stops the window's creation.
    if (OnCreate)
        OnCreate(this);
}

void TForm::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    if (event->isAccepted() && mainForm_ == this)
        QCoreApplication::quit();
}

} // namespace trevalo
