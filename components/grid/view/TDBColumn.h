/// \file
/// A column of a table view: the field it shows, its header and width, its options and the
/// properties of its cells (text, glyph button or check box).
#pragma once

#include "components/forms/TComponent.h"

#include <QObject>
#include <QPixmap>

namespace trevalo {

class TField;

/// What the user may do with a column; every option is on unless the layout switches it off.
/// IncSearch is accepted without effect (see components/forms/InertSettings.h).
class TColumnOptions : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool Sorting MEMBER Sorting)
    Q_PROPERTY(bool Filtering MEMBER Filtering)
    Q_PROPERTY(bool Grouping MEMBER Grouping)
    Q_PROPERTY(bool Moving MEMBER Moving)
    Q_PROPERTY(bool HorzSizing MEMBER HorzSizing)
    Q_PROPERTY(bool IncSearch MEMBER IncSearch)
    Q_PROPERTY(bool Focusing MEMBER Focusing)
    Q_PROPERTY(bool Editing MEMBER Editing)
    Q_PROPERTY(ShowEditButtonsKind ShowEditButtons MEMBER ShowEditButtons)
public:
    enum ShowEditButtonsKind { cebDefault, cebNever, cebAlways };
    Q_ENUM(ShowEditButtonsKind)

    bool Sorting = true;
    bool Filtering = true;
    bool Grouping = true;
    bool Moving = true;
    bool HorzSizing = true;
    bool IncSearch = true;
    bool Focusing = true;
    bool Editing = true;
    ShowEditButtonsKind ShowEditButtons = cebDefault;
};

/// The settings of a column's cells. Which of them apply depends on the column's
/// PropertiesClassName: a glyph button, a check box, or (none named) a text box. DisplayGrayed is
/// accepted without effect (see components/forms/InertSettings.h).
class TColumnProperties : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Glyph READ Glyph WRITE SetGlyph)
    Q_PROPERTY(bool ReadOnly MEMBER ReadOnly)
    Q_PROPERTY(QString DisplayChecked MEMBER DisplayChecked)
    Q_PROPERTY(QString DisplayUnchecked MEMBER DisplayUnchecked)
    Q_PROPERTY(QString DisplayGrayed MEMBER DisplayGrayed)
public:
    /// The glyph's image resource; its bottom-left pixel's colour is transparent. A name that
    /// reads as no image is an error naming it; an empty name means no glyph.
    const QString& Glyph() const { return glyphName_; }
    void SetGlyph(const QString& name);
    const QPixmap& GlyphPixmap() const { return glyph_; }

    bool ReadOnly = false;
    QString DisplayChecked = QStringLiteral("True");
    QString DisplayUnchecked = QStringLiteral("False");
    QString DisplayGrayed;

private:
    QString glyphName_;
    QPixmap glyph_;
};

class TDBColumn : public QObject, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString FieldName READ FieldName WRITE SetFieldName)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QString AccessibleName MEMBER accessibleName_)
    Q_PROPERTY(QString AccessibleDescription MEMBER accessibleDescription_)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(int MinWidth READ MinWidth WRITE SetMinWidth)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(TAlignment HeaderAlignmentHorz MEMBER headerAlignment_)
    Q_PROPERTY(TSortOrder SortOrder MEMBER sortOrder_)
    Q_PROPERTY(QString PropertiesClassName READ PropertiesClassName WRITE SetPropertiesClassName)
    Q_PROPERTY(QObject* Options READ OptionsObject)
    Q_PROPERTY(QObject* Properties READ PropertiesObject)
public:
    enum TAlignment { taLeftJustify, taRightJustify, taCenter };
    Q_ENUM(TAlignment)
    enum TSortOrder { soNone, soAscending, soDescending };
    Q_ENUM(TSortOrder)
    enum class Kind { Text, Button, CheckBox };

    explicit TDBColumn(QObject* parent = nullptr);

    const QString& FieldName() const { return fieldName_; }
    void SetFieldName(const QString& name) { fieldName_ = name; }
    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    int Width() const { return width_; }
    void SetWidth(int width);
    int MinWidth() const { return minWidth_; }
    void SetMinWidth(int width) { minWidth_ = width; }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    TAlignment HeaderAlignmentHorz() const { return headerAlignment_; }
    TSortOrder SortOrder() const { return sortOrder_; }

    /// The class of the cells' editor: "TTextEditProperties", "TButtonEditProperties" or
    /// "TCheckBoxProperties"; empty for a text box. Any other name is an error naming it.
    const QString& PropertiesClassName() const { return propertiesClassName_; }
    void SetPropertiesClassName(const QString& name);
    Kind CellKind() const { return kind_; }
    const TColumnOptions& Options() const { return options_; }
    const TColumnProperties& Properties() const { return properties_; }

    /// The header text: the caption when assigned (even empty), else the field's display
    /// label, else the field name.
    QString HeaderText(const TField* field) const;
    /// What assistive technology calls the column: AccessibleName when set, else the header
    /// text (a glyph column's header is often empty).
    QString AccessibleName(const TField* field) const;
    /// What a cell of the column does, for assistive technology; empty when it says nothing.
    const QString& AccessibleDescription() const { return accessibleDescription_; }
    /// The width the header row gives the column: \p natural is the width the column's field
    /// asks for when no width is assigned.
    int DisplayWidth(int natural) const;

    /// The button of a button column was released over, its row made current first.
    TNotifyEvent OnButtonClick;

Q_SIGNALS:
    /// The column was shown or hidden.
    void VisibleChanged();

private:
    QObject* OptionsObject() { return &options_; }
    QObject* PropertiesObject() { return &properties_; }

    QString fieldName_;
    QString caption_;
    bool captionAssigned_ = false;
    QString accessibleName_;
    QString accessibleDescription_;
    int width_ = 0;
    bool widthAssigned_ = false;
    int minWidth_ = 20;
    bool visible_ = true;
    TAlignment headerAlignment_ = taLeftJustify;
    TSortOrder sortOrder_ = soNone;
    QString propertiesClassName_;
    Kind kind_ = Kind::Text; ///< what propertiesClassName_ names
    TColumnOptions options_;
    TColumnProperties properties_;
};

} // namespace trevalo
