/// \file
/// What the grid control (not its table view) answers and does for its navigator bar.
#pragma once

#include "components/grid/view/TNavigatorButtons.h"

namespace trevalo {

class INavigatorHost {
public:
    /// The working view can be modified and inserting is allowed.
    virtual bool MayInsert() const = 0;
    /// A column has the focus, editing is allowed and the working view can be modified.
    virtual bool MayEdit() const = 0;
    /// The working view can be modified, is not empty, and deleting is allowed.
    virtual bool MayDelete() const = 0;
    /// The working view is inserting or editing a record.
    virtual bool IsEditing() const = 0;
    /// The working view's begin flag.
    virtual bool AtFirstRow() const = 0;
    /// The working view's end flag.
    virtual bool AtLastRow() const = 0;
    virtual bool BookmarkSaved() const = 0;
    /// Whether the grid control itself is enabled; every button is disabled while it is not.
    virtual bool GridEnabled() const = 0;

    /// The standard action of \p button. A failure propagates to the caller.
    virtual void DoNavigatorAction(NavigatorButton button) = 0;
    /// Takes the keyboard focus to the grid, closing an open in-place editor as leaving it does.
    /// Throws when the editor's text cannot be written; the pressed button then does nothing.
    virtual void FocusGridForNavigator() = 0;

protected:
    ~INavigatorHost() = default;
};

} // namespace trevalo
