/// \file
/// The binary contract between the data layer and the record engine library.
///
/// Both sides include this header and nothing else of each other. Only plain types cross the
/// boundary; nothing throws across it; every call answers a Status.
#pragma once

#include <cstdint>

namespace trevalo::engine {

using Status = std::uint16_t;

inline constexpr Status kOk = 0;
inline constexpr Status kBof = 0x2201; ///< a move by -1 went past the first visible record
inline constexpr Status kEof = 0x2202; ///< a move by +1 went past the last visible record

/// Raised by the library for bad calls; the text for each comes from GetErrorText.
inline constexpr Status kInvalidArgument = 0x2301;
inline constexpr Status kInvalidPacket = 0x2302;
inline constexpr Status kNoCurrentRecord = 0x2303;
inline constexpr Status kFieldOutOfRange = 0x2304;
inline constexpr Status kValueTooLong = 0x2305;
inline constexpr Status kTypeMismatch = 0x2306;
inline constexpr Status kInvalidExpression = 0x2307;
inline constexpr Status kBookmarkNotFound = 0x2308;
inline constexpr Status kInvalidState = 0x2309;
inline constexpr Status kUnknownClass = 0x230A;
inline constexpr Status kBufferTooSmall = 0x230B;
inline constexpr Status kOutOfMemory = 0x230C; ///< an allocation failed inside the library

/// Bumped whenever anything in this header changes shape.
inline constexpr std::uint32_t kInterfaceVersion = 2;

/// Column types; the codes are those of the record store's snapshot.
enum class FieldType : std::uint16_t { String = 1, Integer = 3, Boolean = 5, Float = 6 };

inline constexpr std::uint32_t kMaxColumnName = 31;

/// One column of a packet.
struct ColumnDesc {
    char name[kMaxColumnName + 1]; ///< zero-terminated
    FieldType type;
    std::uint32_t width; ///< characters for strings; 0 otherwise
    std::uint8_t readOnly;
    std::uint8_t required;
    std::uint8_t hidden;
};

/// Attribute value types.
enum class AttrType : std::uint16_t {
    Boolean = 1,    ///< one byte, 0 or 1
    Integer = 2,    ///< int32
    Expression = 3, ///< a compiled expression (see Expression encoding)
};

/// The packet itself carries attributes under this column number.
inline constexpr std::int32_t kPacketAttribute = -1;

/// The attributes both sides know by name.
inline constexpr const char* kAttrWidth = "WIDTH";                ///< column: Integer, string width
inline constexpr const char* kAttrServerCalc = "SERVER_CALC";     ///< column: Boolean, calculated
inline constexpr const char* kAttrDefaultValue = "DEFAULT_VALUE"; ///< packet: an Op::Assign
inline constexpr const char* kAttrReadOnly = "READONLY";          ///< packet: Boolean, no edits

/// Every packet begins with a header of this many bytes, so no packet is shorter.
inline constexpr std::uint32_t kPacketHeaderSize = 22;

/// Expression encoding: a tree in prefix order, each node one opcode byte then its operands,
/// little-endian. Field numbers are 1-based column positions.
enum class Op : std::uint8_t {
    Field = 1,   ///< uint16 field number
    Integer = 2, ///< int32
    Boolean = 3, ///< uint8 0 or 1
    String = 4,  ///< uint32 byte length, then UTF-8 bytes
    Float = 5,   ///< IEEE double
    Null = 6,    ///< no operand
    And = 10,    ///< two nodes
    Or = 11,     ///< two nodes
    Not = 12,    ///< one node
    Equal = 20,  ///< two nodes, likewise the five below
    NotEqual = 21,
    Less = 22,
    LessEqual = 23,
    Greater = 24,
    GreaterEqual = 25,
    Assign = 30, ///< uint16 field number, then one constant node: a column default
};

/// Common to every engine object.
class IEngineObject {
public:
    virtual void Release() = 0;
    /// Writes the text for \p status, zero-terminated and cut to \p size bytes.
    virtual Status GetErrorText(Status status, char* text, std::uint32_t size) = 0;

protected:
    virtual ~IEngineObject() = default;
};

/// Builds a data packet: columns, attributes and rows.
class IPacketWriter : public IEngineObject {
public:
    virtual Status BeginPacket(std::uint32_t columnCount) = 0;
    virtual Status AddColumn(const ColumnDesc& column) = 0;
    /// \p column is a 0-based column index or kPacketAttribute.
    virtual Status AddAttribute(std::int32_t column, const char* name, AttrType type,
                                const std::uint8_t* value, std::uint32_t length) = 0;
    /// One row; \p values are record-buffer field values as the record base defines them.
    virtual Status AddRow(const std::uint8_t* values, std::uint32_t length) = 0;
    /// The packet stays owned by the writer until its next call.
    virtual Status GetPacket(const std::uint8_t** data, std::uint32_t* length) = 0;
};

/// Holds the records of one working view.
class IRecordBase : public IEngineObject {
public:
    virtual Status Open(const std::uint8_t* packet, std::uint32_t length) = 0;
    virtual Status GetColumnCount(std::uint32_t* count) = 0;
    virtual Status GetColumn(std::uint32_t index, ColumnDesc* column) = 0;
    /// \p found is 0 and nothing is written when the attribute is missing. With \p value null,
    /// only \p length is reported; otherwise \p length holds \p value's capacity on entry, and a
    /// value that does not fit answers kBufferTooSmall with the length it needs.
    virtual Status GetAttribute(std::int32_t column, const char* name, std::uint8_t* found,
                                AttrType* type, std::uint8_t* value, std::uint32_t* length) = 0;
};

/// The caller's arrays for one field of a RecordBlock, each as long as the block's capacity.
/// Integer and Boolean fields fill blanks and numbers; String fields fill blanks, starts and
/// lengths and append their text to the column's own buffer. The arrays a type does not use
/// stay null.
struct BlockColumn {
    std::uint32_t field;        ///< 1-based
    std::uint8_t* blanks;       ///< 1 where the field is blank
    std::int32_t* numbers;      ///< the integer, or the boolean as 0 or 1; 0 where blank
    std::uint32_t* starts;      ///< where each value begins in text
    std::uint32_t* lengths;     ///< each value's UTF-8 bytes, no terminator; 0 where blank
    char* text;                 ///< the values' UTF-8, one after another
    std::uint32_t textCapacity; ///< bytes of text
    std::uint32_t textLength;   ///< in: bytes already used, appended after; out: bytes used
};

/// A block of records read column by column into the caller's arrays.
struct RecordBlock {
    std::uint32_t capacity; ///< records each array holds
    std::uint32_t columnCount;
    BlockColumn* columns;    ///< may be null when columnCount is 0: bookmarks only
    std::uint8_t* bookmarks; ///< capacity × bookmark size bytes
    std::uint32_t count;     ///< out: records written
    std::uint8_t end;        ///< out: 1 when no visible record follows the block
};

/// A position in a record base, seeing only the records that pass every installed filter.
class IRecordCursor : public IEngineObject {
public:
    virtual Status Attach(IRecordBase* base) = 0;
    virtual Status GetBufferSize(std::uint32_t* size) = 0;
    virtual Status GetBookmarkSize(std::uint32_t* size) = 0;
    virtual Status GetReadOnly(std::uint8_t* readOnly) = 0;

    virtual Status MoveToBof() = 0;
    virtual Status MoveToEof() = 0;
    /// \p delta is +1 or -1; answers kEof or kBof past the ends.
    virtual Status MoveBy(std::int32_t delta) = 0;
    /// Copies the current record and, when \p bookmark is not null, its bookmark.
    virtual Status GetCurrentRecord(std::uint8_t* buffer, std::uint8_t* bookmark) = 0;
    virtual Status MoveToBookmark(const std::uint8_t* bookmark) = 0;

    /// Blanks \p buffer and applies every column default.
    virtual Status InitRecord(std::uint8_t* buffer) = 0;
    /// \p field is 1-based; \p value receives the field's bytes (int32, double, uint8 boolean, or
    /// zero-terminated UTF-8 of at most width*4+1 bytes) unless it is blank.
    virtual Status GetField(const std::uint8_t* buffer, std::uint32_t field, void* value,
                            std::uint8_t* blank) = 0;
    /// \p value null makes the field blank; strings are zero-terminated UTF-8.
    virtual Status PutField(std::uint8_t* buffer, std::uint32_t field, const void* value) = 0;

    virtual Status InsertRecord(const std::uint8_t* buffer) = 0;
    virtual Status ModifyRecord(const std::uint8_t* buffer) = 0;
    virtual Status DeleteRecord() = 0;

    virtual Status AddFilter(const std::uint8_t* expression, std::uint32_t length,
                             std::uint32_t* handle) = 0;
    virtual Status DropFilter(std::uint32_t handle) = 0;

    /// Copies the visible records from walk position \p position on (0 is the start) into
    /// \p block, in the cursor's order, with the bytes GetCurrentRecord gives as bookmarks;
    /// the cursor stays where it is. On return \p position is where the next block begins,
    /// valid until records or filters change. The block ends early when a string would not
    /// fit its column's text; kBufferTooSmall when not even the first record fits. A refused
    /// call writes nothing: kInvalidArgument for a capacity of 0, a missing array or a position
    /// past the table; kFieldOutOfRange for a field number outside the columns; kTypeMismatch
    /// for a Float field or an array the field's type does not use.
    virtual Status ReadBlock(std::uint32_t* position, RecordBlock* block) = 0;
};

/// Class and interface ids.
inline constexpr std::uint32_t kClassPacketWriter = 0x54520001;
inline constexpr std::uint32_t kClassRecordBase = 0x54520002;
inline constexpr std::uint32_t kClassRecordCursor = 0x54520003;
inline constexpr std::uint32_t kIidPacketWriter = 0x54521001;
inline constexpr std::uint32_t kIidRecordBase = 0x54521002;
inline constexpr std::uint32_t kIidRecordCursor = 0x54521003;

/// The library's exports.
using GetInterfaceVersionFn = std::uint32_t (*)();
using GetClassObjectFn = Status (*)(std::uint32_t classId, std::uint32_t interfaceId,
                                    void** object);
using RegisterServerFn = Status (*)();

inline constexpr const char* kGetInterfaceVersionName = "GetInterfaceVersion";
inline constexpr const char* kGetClassObjectName = "GetClassObject";
inline constexpr const char* kRegisterServerName = "RegisterServer";
inline constexpr const char* kLibraryName = "trevalo_engine";

} // namespace trevalo::engine
