/// \file
/// The events that a screen reader is told about a grid and its navigator, in words.
#pragma once

#include "components/grid/control/TDataGrid.h"

#include <QAccessible>
#include <QStringList>
#include <string>

namespace trevalo {

/// Qt tells events only while its platform's bridge is active, as a screen reader makes it;
/// on the offscreen platform nothing would, so a test does.
void SetReaderListening(bool listening);

/// Records from the moment it is made; one at a time.
class GridEventRecorder {
public:
    explicit GridEventRecorder(TDataGrid& grid);
    ~GridEventRecorder();
    GridEventRecorder(const GridEventRecorder&) = delete;
    GridEventRecorder& operator=(const GridEventRecorder&) = delete;

    /// What was told since the last call, once the events posted meanwhile are handled.
    std::string Take();

private:
    static void Record(QAccessibleEvent* event);
    void Add(QAccessibleEvent& event);
    static QString TableText(const QAccessibleTableModelChangeEvent& event);

    static inline GridEventRecorder* recorder_ = nullptr;
    TDataGrid& grid_;
    QStringList events_;
};

} // namespace trevalo
