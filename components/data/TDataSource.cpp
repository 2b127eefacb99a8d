#include "components/data/TDataSource.h"

#include "components/data/TWorkingView.h"

namespace trevalo {

// Its controls may be gone already: only the view is told.
TDataSource::~TDataSource() {
    if (dataSet_)
        dataSet_->RemoveDataLink(this);
}

void TDataSource::SetDataSet(TWorkingView* dataSet) {
    if (dataSet_ == dataSet)
        return;
    if (dataSet_)
        dataSet_->RemoveDataLink(this);
    dataSet_ = dataSet;
    if (dataSet_)
        dataSet_->AddDataLink(this);
    DataSetChanged();
}

// Links may add or remove themselves while being told, so each walk runs over a copy.
void TDataSource::StateChanged() {
    for (TDataLink* link : QList(links_))
        link->StateChanged();
}

void TDataSource::DataSetChanged() {
    for (TDataLink* link : QList(links_))
        link->DataSetChanged();
}

void TDataSource::RecordChanged(const TField* field) {
    for (TDataLink* link : QList(links_))
        link->RecordChanged(field);
}

void TDataSource::Scrolled(int distance) {
    for (TDataLink* link : QList(links_))
        link->Scrolled(distance);
}

} // namespace trevalo
