/// \file
/// The record store's stored snapshot: "Ver", a version, field descriptors, then records.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace trevalo {

struct SnapshotField {
    QString Name;
    quint16 Type = 0; ///< 1 string, 3 integer, 5 boolean
    quint32 Size = 0; ///< data size in bytes
};

struct Snapshot {
    double Version = 1; ///< below 1 counts as 1
    QList<SnapshotField> Fields;
    QByteArray Records; ///< what follows the descriptors
};

/// Reads \p data; raises "The data is incorrect" when it is cut short or a name is 256 bytes or
/// longer. A stream without "Ver" is read from its first byte.
Snapshot ReadSnapshot(const QByteArray& data);

} // namespace trevalo
