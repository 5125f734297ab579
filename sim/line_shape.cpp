// Reads a terminal's settings through termios2, which carries the baud rate as a number.
// The kernel's termios header clashes with libc's, so this file includes only the former.
#include "sim/line_shape.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace sim {

std::string LineShape::text() const {
    return std::to_string(baud) + " " + std::to_string(data_bits) + parity +
           std::to_string(stop_bits);
}

std::optional<LineShape> read_line_shape(int fd) {
    termios2 settings{};
    if (ioctl(fd, TCGETS2, &settings) != 0)
        return std::nullopt;

    LineShape shape;
    shape.baud = settings.c_ospeed;
    switch (settings.c_cflag & CSIZE) {
    case CS5:
        shape.data_bits = 5;
        break;
    case CS6:
        shape.data_bits = 6;
        break;
    case CS7:
        shape.data_bits = 7;
        break;
    default:
        shape.data_bits = 8;
        break;
    }
    if ((settings.c_cflag & PARENB) == 0)
        shape.parity = 'N';
    else if ((settings.c_cflag & CMSPAR) != 0)
        shape.parity = (settings.c_cflag & PARODD) != 0 ? 'M' : 'S';
    else
        shape.parity = (settings.c_cflag & PARODD) != 0 ? 'O' : 'E';
    shape.stop_bits = (settings.c_cflag & CSTOPB) != 0 ? 2 : 1;
    return shape;
}

} // namespace sim
