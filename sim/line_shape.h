// The line settings a pseudo-terminal's peer has applied, read from either end.
#pragma once

#include <optional>
#include <string>

namespace sim {

struct LineShape {
    unsigned baud = 0;
    int data_bits = 8;
    char parity = 'N';
    int stop_bits = 1;

    bool operator==(const LineShape&) const = default;
    // "9600 8N1".
    std::string text() const;
};

// The settings of the terminal behind fd (for a pty master, those of its slave), or nothing
// when fd is not a terminal.
std::optional<LineShape> read_line_shape(int fd);

} // namespace sim
