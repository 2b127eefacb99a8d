/// \file
/// Cell styles: a repository component holding named styles that views use for their slots.
#pragma once

#include "components/forms/TComponent.h"
#include "platform/ColorValue.h"

#include <QObject>
#include <optional>

namespace trevalo {

class TStyleRepository : public QObject, public TComponent {
    Q_OBJECT
public:
    explicit TStyleRepository(QObject* parent = nullptr)
        : QObject(parent) {}
};

/// A style assigns only the values the layout sets; the rest come from the slot's default.
class TGridStyle : public QObject, public TComponent {
    Q_OBJECT
    Q_PROPERTY(int Color READ ColorProperty WRITE SetColor)
public:
    explicit TGridStyle(QObject* parent = nullptr)
        : QObject(parent) {}

    const std::optional<ColorValue>& Color() const { return color_; }
    void SetColor(int color) { color_ = color; }

private:
    int ColorProperty() const { return color_.value_or(0); }

    std::optional<ColorValue> color_;
};

/// A cell's colours, after merging a style with its slot's default.
struct CellColors {
    ColorValue Background;
    ColorValue Text;
};

/// The style slots of a view that the tracker uses; unassigned slots hold null.
class TViewStyles : public QObject {
    Q_OBJECT
    Q_PROPERTY(trevalo::TGridStyle* Content MEMBER Content)
    Q_PROPERTY(trevalo::TGridStyle* ContentEven MEMBER ContentEven)
    Q_PROPERTY(trevalo::TGridStyle* ContentOdd MEMBER ContentOdd)
    Q_PROPERTY(trevalo::TGridStyle* Selection MEMBER Selection)
    Q_PROPERTY(trevalo::TGridStyle* Inactive MEMBER Inactive)
public:
    TGridStyle* Content = nullptr;
    TGridStyle* ContentEven = nullptr;
    TGridStyle* ContentOdd = nullptr;
    TGridStyle* Selection = nullptr;
    TGridStyle* Inactive = nullptr;

    /// Colours of a content cell in a row with index \p row (even rows counted from 0).
    CellColors ForContent(int row) const {
        const CellColors defaults{SystemColor::Window, SystemColor::WindowText};
        TGridStyle* slot = row % 2 == 0 ? ContentEven : ContentOdd;
        return Merge(slot ? slot : Content, Merge(Content, defaults));
    }
    CellColors ForSelection() const {
        return Merge(Selection, {SystemColor::Highlight, SystemColor::HighlightText});
    }
    CellColors ForInactive() const {
        return Merge(Inactive, {SystemColor::BtnFace, SystemColor::BtnText});
    }

private:
    static CellColors Merge(const TGridStyle* style, CellColors defaults) {
        if (style && style->Color())
            defaults.Background = *style->Color();
        return defaults;
    }
};

} // namespace trevalo
