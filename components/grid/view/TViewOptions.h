/// \file
/// The option groups of a table view that a layout can set by dotted name
/// ("OptionsView.Navigator"); each keeps the default the grid's behaviour relies on.
#pragma once

#include <QObject>
#include <algorithm>

namespace trevalo {

class TOptionsView : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool Navigator MEMBER Navigator)
    Q_PROPERTY(int NavigatorOffset READ NavigatorOffset WRITE SetNavigatorOffset)
    Q_PROPERTY(bool GroupByBox MEMBER GroupByBox)
    Q_PROPERTY(bool Header MEMBER Header)
public:
    bool Navigator = false;
    bool GroupByBox = true;
    bool Header = true;

    int NavigatorOffset() const { return navigatorOffset_; }
    void SetNavigatorOffset(int offset) { navigatorOffset_ = std::max(offset, 0); }

private:
    int navigatorOffset_ = 50;
};

class TOptionsBehavior : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool FocusCellOnTab MEMBER FocusCellOnTab)
    Q_PROPERTY(bool ImmediateEditor MEMBER ImmediateEditor)
public:
    bool FocusCellOnTab = false;
    bool ImmediateEditor = true;
};

class TOptionsData : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool Editing MEMBER Editing)
    Q_PROPERTY(bool Inserting MEMBER Inserting)
    Q_PROPERTY(bool Deleting MEMBER Deleting)
    Q_PROPERTY(bool DeletingConfirmation MEMBER DeletingConfirmation)
    Q_PROPERTY(bool CancelOnExit MEMBER CancelOnExit)
public:
    bool Editing = true;
    bool Inserting = true;
    bool Deleting = true;
    bool DeletingConfirmation = true;
    bool CancelOnExit = true;
};

} // namespace trevalo
