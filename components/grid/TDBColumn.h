/// \file
/// A column of a table view: the field it shows, its header and width, and its button event.
#pragma once

#include "components/forms/TComponent.h"

#include <QObject>

namespace trevalo {

class TDBColumn : public QObject, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString FieldName READ FieldName WRITE SetFieldName)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
public:
    explicit TDBColumn(QObject* parent = nullptr);

    const QString& FieldName() const { return fieldName_; }
    void SetFieldName(const QString& name) { fieldName_ = name; }
    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& caption) { caption_ = caption; }
    int Width() const { return width_; }
    void SetWidth(int width) { width_ = width; }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }

    /// The button of a button column was clicked, its row made current first.
    TNotifyEvent OnButtonClick;

private:
    QString fieldName_;
    QString caption_;
    int width_ = 0;
    bool visible_ = true;
};

} // namespace trevalo
