/// \file
/// Loads the engine library from beside the test binary; builds expressions and packets.
#pragma once

#include "EngineContract.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trevalo::engine::test {

using Bytes = std::vector<std::uint8_t>;

struct Releaser {
    void operator()(IEngineObject* object) const { object->Release(); }
};
template <class T> using Ptr = std::unique_ptr<T, Releaser>;

/// The library's exports, resolved once; throws when the library cannot be loaded.
struct Exports {
    GetInterfaceVersionFn getInterfaceVersion;
    GetClassObjectFn getClassObject;
    RegisterServerFn registerServer;
};
const Exports& Library();

Ptr<IPacketWriter> MakeWriter();
Ptr<IRecordBase> MakeBase();
Ptr<IRecordCursor> MakeCursor();

/// Expression encoding.
namespace expr {
Bytes Field(std::uint16_t number);
Bytes Int(std::int32_t value);
Bytes Bool(bool value);
Bytes Str(std::string_view text);
Bytes Real(double value);
Bytes Null();
Bytes Binary(Op op, const Bytes& left, const Bytes& right);
Bytes Not(const Bytes& operand);
Bytes Assign(std::uint16_t field, const Bytes& constant);
} // namespace expr

ColumnDesc Column(std::string_view name, FieldType type, std::uint32_t width = 0,
                  bool readOnly = false);

/// Builds a packet through the real writer; \p status receives GetPacket's answer.
Bytes BuildPacket(const std::vector<ColumnDesc>& columns, const std::vector<Bytes>& defaults,
                  Status* status = nullptr);

/// The combatant table: RecId (read-only), ID, Name (50), Init, Active, Passes, with the
/// defaults Active True and Passes 1 compiled as the data layer does.
enum CombatantField : std::uint32_t { kRecId = 1, kId, kName, kInit, kActive, kPasses };
Bytes CombatantPacket();

/// A record base and its cursor, opened on one packet.
class View {
public:
    explicit View(const Bytes& packet);

    IRecordBase& Base() { return *base_; }
    IRecordCursor& Cursor() { return *cursor_; }

    /// InitRecord's buffer.
    Bytes NewRecord();
    /// The current record, or nothing when GetCurrentRecord fails.
    std::optional<Bytes> CurrentRecord();

    std::optional<std::int32_t> Integer(const Bytes& record, std::uint32_t field);
    std::optional<bool> Boolean(const Bytes& record, std::uint32_t field);
    std::optional<std::string> Text(const Bytes& record, std::uint32_t field);

    /// "name" is an active combatant, "name-" an inactive one.
    Bytes Combatant(std::string_view shape);
    /// The current record's name, "" when there is no current record.
    std::string CurrentName();
    /// Every visible name from the first on, joined by spaces; leaves the cursor at Eof.
    std::string VisibleNames();
    /// Installs "[Active] = True".
    std::uint32_t FilterActive();

private:
    Ptr<IRecordBase> base_;
    Ptr<IRecordCursor> cursor_;
    std::uint32_t bufferSize_ = 0;
};

} // namespace trevalo::engine::test
