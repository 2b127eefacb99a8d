/// \file
/// What a working view tells the controls bound to it, synchronously, as it changes.
#pragma once

#include <QList>

namespace trevalo {

class TField;

class TDataLink {
public:
    /// Browsing, editing or inserting began.
    virtual void StateChanged() {}
    /// The records or their order may have changed: a control reloads.
    virtual void DataSetChanged() {}
    /// \p field of the record being edited took a new value.
    virtual void RecordChanged(const TField* field) { (void)field; }
    /// The current record moved by \p distance records (0: to a bookmark).
    virtual void Scrolled(int distance) { (void)distance; }

protected:
    ~TDataLink() = default;
};

/// Tells each of \p links \p event. Links may add or remove themselves while being told, so the
/// walk runs over a copy of the list.
template <class Link, class... Params, class... Args>
void TellLinks(const QList<Link*>& links, void (TDataLink::*event)(Params...), Args... args) {
    for (TDataLink* link : QList(links))
        (link->*event)(args...);
}

} // namespace trevalo
