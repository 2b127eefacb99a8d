/// \file
/// Bounds-checked little-endian reading of outside bytes.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace trevalo::engine {

/// Every read fails, without moving, when fewer bytes remain than it needs.
class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size)
        : data_(data)
        , size_(size) {}

    std::size_t Remaining() const { return size_ - position_; }
    bool AtEnd() const { return position_ == size_; }

    bool ReadU8(std::uint8_t& value) { return ReadLittleEndian(value); }
    bool ReadU16(std::uint16_t& value) { return ReadLittleEndian(value); }
    bool ReadU32(std::uint32_t& value) { return ReadLittleEndian(value); }

    bool ReadI32(std::int32_t& value) {
        std::uint32_t bits = 0;
        if (!ReadU32(bits))
            return false;
        value = static_cast<std::int32_t>(bits);
        return true;
    }

    bool ReadF64(double& value) {
        std::uint64_t bits = 0;
        if (!ReadLittleEndian(bits))
            return false;
        value = std::bit_cast<double>(bits);
        return true;
    }

    /// Points \p bytes at the next \p count bytes without copying them.
    bool ReadBytes(std::size_t count, const std::uint8_t*& bytes) {
        if (Remaining() < count)
            return false;
        bytes = data_ + position_;
        position_ += count;
        return true;
    }

private:
    template <class T> bool ReadLittleEndian(T& value) {
        if (Remaining() < sizeof(T))
            return false;
        T result = 0;
        for (std::size_t i = 0; i < sizeof(T); ++i)
            result = static_cast<T>(result | (static_cast<T>(data_[position_ + i]) << (8 * i)));
        position_ += sizeof(T);
        value = result;
        return true;
    }

    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

} // namespace trevalo::engine
