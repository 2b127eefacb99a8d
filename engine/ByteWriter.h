/// \file
/// Little-endian appending to a byte vector.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace trevalo::engine {

class ByteWriter {
public:
    explicit ByteWriter(std::vector<std::uint8_t>& out)
        : out_(out) {}

    void U8(std::uint8_t value) { out_.push_back(value); }
    void U16(std::uint16_t value) { LittleEndian(value); }
    void U32(std::uint32_t value) { LittleEndian(value); }
    void I32(std::int32_t value) { LittleEndian(static_cast<std::uint32_t>(value)); }
    void Bytes(const std::uint8_t* data, std::size_t size) {
        out_.insert(out_.end(), data, data + size);
    }
    void Text(std::string_view text) { out_.insert(out_.end(), text.begin(), text.end()); }

private:
    template <class T> void LittleEndian(T value) {
        for (std::size_t i = 0; i < sizeof(T); ++i)
            out_.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }

    std::vector<std::uint8_t>& out_;
};

} // namespace trevalo::engine
