/// \file
/// A header's filter drop-down: the list of its entries, opened under the header with its
/// right edge on the header's right edge. Enter or a click chooses; Esc closes.
#pragma once

#include <QListWidget>
#include <functional>

namespace trevalo {

class TFilterDropDown : public QListWidget {
    Q_OBJECT
public:
    /// At most this many entries show at once; a scroll bar reaches the rest.
    static constexpr int kMaxDropDownCount = 15;

    TFilterDropDown(const QStringList& entries, QWidget* parent);

    /// Called with the chosen entry's index, after the list has closed.
    std::function<void(int)> OnChosen;

    /// Opens the list with its top-right corner at \p topRight (global), at least \p minWidth
    /// wide.
    void ShowBelow(QPoint topRight, int minWidth);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Choose(int index);
};

} // namespace trevalo
