/// \file
/// Ties a working view to the controls that show it and passes its changes on to them.
#pragma once

#include "components/data/TDataLink.h"
#include "components/data/TWorkingView.h"
#include "components/forms/TComponent.h"

#include <QList>
#include <QObject>
#include <QPointer>

namespace trevalo {

class TDataSource : public QObject, public TComponent, public TDataLink {
    Q_OBJECT
    Q_PROPERTY(trevalo::TWorkingView* DataSet READ DataSet WRITE SetDataSet)
public:
    explicit TDataSource(QObject* parent = nullptr)
        : QObject(parent) {}
    ~TDataSource() override;

    TWorkingView* DataSet() const { return dataSet_; }
    void SetDataSet(TWorkingView* dataSet);

    /// Counted: while above zero the controls are told nothing; back at zero they are told once
    /// that the data changed, and read the view afresh. For a change of many records at once,
    /// which would have them read it again at every record.
    void Suspend();
    void Resume();

    void AddLink(TDataLink* link) { links_.append(link); }
    void RemoveLink(TDataLink* link) { links_.removeAll(link); }

    void StateChanged() override;
    void DataSetChanged() override;
    void RecordChanged(const TField* field) override;
    void Scrolled(int distance) override;

private:
    QPointer<TWorkingView> dataSet_;
    QList<TDataLink*> links_;
    int suspended_ = 0;
};

} // namespace trevalo
