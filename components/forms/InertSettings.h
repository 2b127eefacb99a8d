/// \file
/// The settings a layout may write that deliberately have no effect, in one list: they are
/// accepted, so that a layout keeps describing its components whole, and listed here, so that
/// nobody goes looking for what they do. A setting with a required value must hold it once the
/// layout's properties are set, or loading fails naming it; the navigator's buttons without an
/// action are such settings, so a layout cannot show a button that does nothing.
#pragma once

#include <optional>

namespace trevalo {

struct InertSetting {
    const char* ClassName; ///< as a layout names the class
    const char* Property;  ///< a dotted property name, as a layout writes it
    std::optional<bool> Required;
    const char* Why;
};

inline constexpr InertSetting kInertSettings[] = {
    {"TWorkingView", "PacketRecords", {}, "a working view takes all its records in one packet"},
    {"TDBColumn", "Options.IncSearch", {}, "no view searches as the user types"},
    {"TDBColumn", "Properties.DisplayGrayed", {}, "a check-box cell is painted, never written"},
    {"TDBTableView",
     "NavigatorButtons.ConfirmDelete",
     {},
     "a deletion asks as OptionsData.DeletingConfirmation says"},
    {"TDBTableView", "NavigatorButtons.Refresh.Visible", false, "the button does nothing"},
    {"TDBTableView", "NavigatorButtons.SaveBookmark.Visible", false, "the button does nothing"},
    {"TDBTableView", "NavigatorButtons.GotoBookmark.Visible", false, "the button does nothing"},
    {"TDBTableView", "NavigatorButtons.Filter.Visible", false, "the button does nothing"},
};

} // namespace trevalo
