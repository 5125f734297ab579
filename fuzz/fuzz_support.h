// What the fuzz targets share: a reader of fixed-size values off the input, and a check that
// stops the run with a message.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

// Reads little-endian values off the input in order; past its end every value reads as zero.
class InputReader {
public:
    InputReader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    bool empty() const { return m_offset == m_size; }

    std::uint8_t byte() { return m_offset < m_size ? m_data[m_offset++] : 0; }

    std::uint16_t word() {
        const unsigned low = byte();
        return static_cast<std::uint16_t>(low | unsigned(byte()) << 8);
    }

    std::uint32_t dword() {
        const std::uint32_t low = word();
        return low | std::uint32_t(word()) << 16;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_offset = 0;
};

// Aborts with `what` on standard error when condition is false; the fuzzer keeps the input.
inline void require(bool condition, const char* what) {
    if (condition)
        return;
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

} // namespace fuzz
