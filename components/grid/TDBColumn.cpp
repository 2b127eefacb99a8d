#include "components/grid/TDBColumn.h"

namespace trevalo {

TDBColumn::TDBColumn(QObject* parent)
    : QObject(parent) {
    DeclareEvent(QStringLiteral("OnButtonClick"), OnButtonClick);
}

} // namespace trevalo
