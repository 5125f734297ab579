// termios2 (TCGETS2/TCSETS2 with BOTHER) for speeds outside the B-constant table.
#include "platform/comm/termios2_speed.h"

#include <asm/ioctls.h>
#include <asm/termbits.h>

namespace platform::tty {

sys::Result set_any_speed(int fd, unsigned rate) {
    termios2 attributes{};
    sys::Result got = sys::io_control(fd, TCGETS2, &attributes, "ioctl(TCGETS2)");
    if (!got.ok())
        return got;
    attributes.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
    attributes.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    attributes.c_ospeed = rate;
    attributes.c_ispeed = rate;
    return sys::io_control(fd, TCSETS2, &attributes, "ioctl(TCSETS2)");
}

sys::Result get_speeds(int fd, unsigned& output_rate, unsigned& input_rate) {
    termios2 attributes{};
    sys::Result got = sys::io_control(fd, TCGETS2, &attributes, "ioctl(TCGETS2)");
    if (got.ok()) {
        output_rate = attributes.c_ospeed;
        input_rate = attributes.c_ispeed;
    }
    return got;
}

} // namespace platform::tty
