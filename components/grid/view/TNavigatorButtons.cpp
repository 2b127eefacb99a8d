#include "components/grid/view/TNavigatorButtons.h"

namespace trevalo {

namespace {

struct ButtonText {
    const char* name;
    const char* hint;
};

constexpr std::array<ButtonText, kNavigatorButtonCount> kButtonTexts{{
    {"First", "First record"},
    {"PriorPage", "Prior page"},
    {"Prior", "Prior record"},
    {"Next", "Next record"},
    {"NextPage", "Next page"},
    {"Last", "Last record"},
    {"Insert", "Insert record"},
    {"Delete", "Delete record"},
    {"Edit", "Edit record"},
    {"Post", "Post edit"},
    {"Cancel", "Cancel edit"},
    {"Refresh", "Refresh data"},
    {"SaveBookmark", "Save Bookmark"},
    {"GotoBookmark", "Goto Bookmark"},
    {"Filter", "Filter data"},
}};

} // namespace

TNavigatorButton::TNavigatorButton(NavigatorButton kind, QObject* parent)
    : QObject(parent)
    , kind_(kind) {
    setObjectName(QString::fromLatin1(kButtonTexts[static_cast<std::size_t>(kind)].name));
}

void TNavigatorButton::SetVisible(bool visible) {
    visibleStored_ = true;
    if (visible_ == visible)
        return;
    visible_ = visible;
    Q_EMIT Changed();
}

void TNavigatorButton::SetEnabled(bool enabled) {
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    Q_EMIT Changed();
}

TNavigatorButtons::TNavigatorButtons(QObject* parent)
    : QObject(parent) {
    for (int i = 0; i < Count(); ++i) {
        auto* button = new TNavigatorButton(static_cast<NavigatorButton>(i), this);
        connect(button, &TNavigatorButton::Changed, this, &TNavigatorButtons::Changed);
        buttons_[static_cast<std::size_t>(i)] = button;
    }
}

TNavigatorButton* TNavigatorButtons::Button(int index) const {
    Q_ASSERT_X(index >= 0 && index < Count(), "TNavigatorButtons::Button",
               "navigator button index out of range");
    return buttons_[static_cast<std::size_t>(index)];
}

TNavigatorButton* TNavigatorButtons::Button(NavigatorButton button) const {
    return Button(static_cast<int>(button));
}

QString TNavigatorButtons::StandardHint(int index) {
    Q_ASSERT_X(index >= 0 && index < Count(), "TNavigatorButtons::StandardHint",
               "navigator button index out of range");
    return QString::fromLatin1(kButtonTexts[static_cast<std::size_t>(index)].hint);
}

} // namespace trevalo
