// Little-endian reads from a block of bytes whose size the caller checks with has().
#pragma once

#include <cstddef>
#include <cstdint>

namespace ui::res {

class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    // Whether count bytes from offset lie inside the block (no overflow for large values).
    bool has(std::size_t offset, std::size_t count) const {
        return offset <= m_size && count <= m_size - offset;
    }
    std::uint8_t u8(std::size_t offset) const { return m_data[offset]; }
    std::uint16_t u16(std::size_t offset) const {
        return static_cast<std::uint16_t>(m_data[offset] | (m_data[offset + 1] << 8));
    }
    std::uint32_t u32(std::size_t offset) const {
        return static_cast<std::uint32_t>(u16(offset)) |
               (static_cast<std::uint32_t>(u16(offset + 2)) << 16);
    }
    // The bytes from offset on, count of them; the caller has checked has(offset, count).
    ByteReader sub(std::size_t offset, std::size_t count) const { return {m_data + offset, count}; }
    std::size_t size() const { return m_size; }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
};

} // namespace ui::res
