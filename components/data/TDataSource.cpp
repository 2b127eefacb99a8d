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

void TDataSource::Suspend() {
    ++suspended_;
}

void TDataSource::Resume() {
    if (suspended_ > 0 && --suspended_ == 0)
        DataSetChanged();
}

void TDataSource::StateChanged() {
    if (suspended_ == 0)
        TellLinks(links_, &TDataLink::StateChanged);
}

void TDataSource::DataSetChanged() {
    if (suspended_ == 0)
        TellLinks(links_, &TDataLink::DataSetChanged);
}

void TDataSource::RecordChanged(const TField* field) {
    if (suspended_ == 0)
        TellLinks(links_, &TDataLink::RecordChanged, field);
}

void TDataSource::Scrolled(int distance) {
    if (suspended_ == 0)
        TellLinks(links_, &TDataLink::Scrolled, distance);
}

} // namespace trevalo
