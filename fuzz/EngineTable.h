/// \file
/// The engine as a fuzz target meets it: its objects through the library's own factory, and a
/// small combatant table to run filters and defaults over.
#pragma once

#include "EngineContract.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

extern "C" trevalo::engine::Status GetClassObject(std::uint32_t classId, std::uint32_t interfaceId,
                                                  void** object);

namespace trevalo::fuzz {

using Bytes = std::vector<std::uint8_t>;

struct Releaser {
    void operator()(engine::IEngineObject* object) const { object->Release(); }
};
template <class T> using Ptr = std::unique_ptr<T, Releaser>;

/// Ends the run with \p what: the engine broke a promise of its contract.
[[noreturn]] void Disagree(const char* what);

/// The combatant columns and a float one: RecId (read-only), ID, Name (50), Init, Active,
/// Passes, Rate.
const std::vector<engine::ColumnDesc>& TableColumns();

/// A packet of TableColumns with each of \p defaults as a column default; empty when the writer
/// refuses one.
Bytes TablePacket(const std::vector<Bytes>& defaults);

/// A record base and its cursor over one packet.
class Table {
public:
    /// Nothing when the engine refuses the packet.
    static std::optional<Table> Open(const std::uint8_t* packet, std::uint32_t length);

    engine::IRecordBase& Base() { return *base_; }
    engine::IRecordCursor& Cursor() { return *cursor_; }
    /// A blank record buffer.
    Bytes NewBuffer() const { return Bytes(bufferSize_); }

    /// Inserts a few records with blanks, non-Latin text and both truth values.
    void AddSampleRecords();
    /// Fills every field of \p record with a value of its column's type, as far as it takes it.
    void FillRecord(Bytes& record);
    /// Reads every field of \p record.
    void ReadEveryField(const Bytes& record);
    /// Walks the visible records forward and back, reading each; both ways must agree.
    void WalkBothWays();

private:
    Ptr<engine::IRecordBase> base_;
    Ptr<engine::IRecordCursor> cursor_;
    std::uint32_t bufferSize_ = 0;
    std::uint32_t columnCount_ = 0;
};

/// One table of TablePacket without defaults and its sample records, opened on first use and
/// kept for the whole run.
Table& SampleTable();

} // namespace trevalo::fuzz
