#include "components/data/Snapshot.h"

#include "platform/Exception.h"

#include <QtEndian>
#include <cstring>

namespace trevalo {

namespace {

class Reader {
public:
    explicit Reader(const QByteArray& data)
        : data_(data) {}

    template <class T> T Take() {
        Need(sizeof(T));
        T value;
        std::memcpy(&value, data_.constData() + offset_, sizeof(T));
        offset_ += sizeof(T);
        return qFromLittleEndian(value);
    }

    QByteArray TakeBytes(qsizetype count) {
        Need(count);
        const QByteArray bytes = data_.mid(offset_, count);
        offset_ += count;
        return bytes;
    }

    bool StartsWith(const char* signature) const { return data_.startsWith(signature); }
    QByteArray Rest() const { return data_.mid(offset_); }

private:
    void Need(qsizetype count) const {
        if (count < 0 || data_.size() - offset_ < count)
            throw Exception(QStringLiteral("The data is incorrect"));
    }

    const QByteArray& data_;
    qsizetype offset_ = 0;
};

} // namespace

Snapshot ReadSnapshot(const QByteArray& data) {
    Reader reader(data);
    Snapshot snapshot;
    snapshot.Version = 0;
    if (reader.StartsWith("Ver")) {
        reader.TakeBytes(3);
        snapshot.Version = reader.Take<double>();
    }
    if (!(snapshot.Version >= 1))
        snapshot.Version = 1;
    const auto count = reader.Take<quint32>();
    for (quint32 i = 0; i < count; ++i) {
        SnapshotField field;
        field.Size = reader.Take<quint32>();
        field.Type = reader.Take<quint16>();
        const auto nameLength = reader.Take<quint16>();
        if (nameLength >= 256)
            throw Exception(QStringLiteral("The data is incorrect"));
        const QByteArray name = reader.TakeBytes(nameLength);
        field.Name = QString::fromLatin1(name.constData(), qstrnlen(name.constData(), nameLength));
        snapshot.Fields.append(field);
    }
    snapshot.Records = reader.Rest();
    return snapshot;
}

} // namespace trevalo
