/// \file
/// The fixed set of navigator buttons a table view offers its grid's navigator bar.
#pragma once

#include <QObject>
#include <QString>
#include <array>

namespace trevalo {

/// The buttons in their fixed order; the value is the button's index.
enum class NavigatorButton {
    First,
    PriorPage,
    Prior,
    Next,
    NextPage,
    Last,
    Insert,
    Delete,
    Edit,
    Post,
    Cancel,
    Refresh,
    SaveBookmark,
    GotoBookmark,
    Filter,
};

inline constexpr int kNavigatorButtonCount = static_cast<int>(NavigatorButton::Filter) + 1;

/// One button's settings. Changing Visible or Enabled emits Changed().
class TNavigatorButton : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(int ImageIndex READ ImageIndex WRITE SetImageIndex)
public:
    TNavigatorButton(NavigatorButton kind, QObject* parent);

    NavigatorButton Kind() const { return kind_; }

    bool Visible() const { return visible_; }
    /// Also marks the setting as explicit, even when it equals the default.
    void SetVisible(bool visible);
    /// Whether Visible was set explicitly, so that a definition must keep it.
    bool IsVisibleStored() const { return visibleStored_; }

    /// The user's switch; the button works only when this and its computed state are on.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    /// Empty means the standard hint of the button.
    QString Hint() const { return hint_; }
    void SetHint(const QString& hint) { hint_ = hint; }

    /// -1 means the standard glyph.
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index) { imageIndex_ = index; }

Q_SIGNALS:
    void Changed();

private:
    NavigatorButton kind_;
    bool visible_ = true;
    bool visibleStored_ = false;
    bool enabled_ = true;
    QString hint_;
    int imageIndex_ = -1;
};

/// The collection: each button a child object, also reachable as a read-only property named
/// after it, so that a layout can address "NavigatorButtons.Insert.Visible".
class TNavigatorButtons : public QObject {
    Q_OBJECT
    Q_PROPERTY(trevalo::TNavigatorButton* First READ First CONSTANT)
    Q_PROPERTY(trevalo::TNavigatorButton* PriorPage READ PriorPage CONSTANT)
    Q_PROPERTY(trevalo::TNavigatorButton* Prior READ Prior CONSTANT)
    Q_PROPERTY(trevalo::TNavigatorButton* Next READ Next CONSTANT)
    Q_PROPERTY(trevalo::TNavigatorButton* NextPage READ NextPage CONSTANT)
    Q_PROPERTY(trevalo::TNavigatorButton* Last READ Last CONSTANT)
    Q_PROPERTY(trevalo::TNavigatorButton* Insert READ Insert CONSTANT)
    Q_PROPERTY(trevalo::TNavigatorButton* Delete READ Delete CONSTANT)
    Q_PROPERTY(trevalo::TNavigatorButton* Edit READ Edit CONSTANT)
    Q_PROPERTY(trevalo::TNavigatorButton* Post READ Post CONSTANT)
    Q_PROPERTY(trevalo::TNavigatorButton* Cancel READ Cancel CONSTANT)
    Q_PROPERTY(trevalo::TNavigatorButton* Refresh READ Refresh CONSTANT)
    Q_PROPERTY(trevalo::TNavigatorButton* SaveBookmark READ SaveBookmark CONSTANT)
    Q_PROPERTY(trevalo::TNavigatorButton* GotoBookmark READ GotoBookmark CONSTANT)
    Q_PROPERTY(trevalo::TNavigatorButton* Filter READ Filter CONSTANT)
    Q_PROPERTY(bool ConfirmDelete READ ConfirmDelete WRITE SetConfirmDelete)
public:
    explicit TNavigatorButtons(QObject* parent = nullptr);

    static constexpr int Count() { return kNavigatorButtonCount; }
    /// \p index must be below Count().
    TNavigatorButton* Button(int index) const;
    TNavigatorButton* Button(NavigatorButton button) const;

    /// The hint a button shows when its own Hint is empty.
    static QString StandardHint(int index);

    TNavigatorButton* First() const { return Button(NavigatorButton::First); }
    TNavigatorButton* PriorPage() const { return Button(NavigatorButton::PriorPage); }
    TNavigatorButton* Prior() const { return Button(NavigatorButton::Prior); }
    TNavigatorButton* Next() const { return Button(NavigatorButton::Next); }
    TNavigatorButton* NextPage() const { return Button(NavigatorButton::NextPage); }
    TNavigatorButton* Last() const { return Button(NavigatorButton::Last); }
    TNavigatorButton* Insert() const { return Button(NavigatorButton::Insert); }
    TNavigatorButton* Delete() const { return Button(NavigatorButton::Delete); }
    TNavigatorButton* Edit() const { return Button(NavigatorButton::Edit); }
    TNavigatorButton* Post() const { return Button(NavigatorButton::Post); }
    TNavigatorButton* Cancel() const { return Button(NavigatorButton::Cancel); }
    TNavigatorButton* Refresh() const { return Button(NavigatorButton::Refresh); }
    TNavigatorButton* SaveBookmark() const { return Button(NavigatorButton::SaveBookmark); }
    TNavigatorButton* GotoBookmark() const { return Button(NavigatorButton::GotoBookmark); }
    TNavigatorButton* Filter() const { return Button(NavigatorButton::Filter); }

    /// True in a fresh collection; the grid's own actions do not consult it (see
    /// components/forms/InertSettings.h).
    bool ConfirmDelete() const { return confirmDelete_; }
    void SetConfirmDelete(bool confirm) { confirmDelete_ = confirm; }

Q_SIGNALS:
    /// Some button's Visible or Enabled changed.
    void Changed();

private:
    std::array<TNavigatorButton*, kNavigatorButtonCount> buttons_{};
    bool confirmDelete_ = true;
};

} // namespace trevalo
