// Line speeds of any value, through the kernel's termios2 interface (BOTHER).
// termios2_speed.cpp is the one file that includes the kernel's termbits header, which clashes
// with <termios.h>.
#pragma once

#include "platform/comm/sys_call.h"

namespace platform::tty {

// Sets both directions to `rate` bits per second; every other setting stays.
sys::Result set_any_speed(int fd, unsigned rate);
// The speeds the kernel holds for the line, whatever way they were set.
sys::Result get_speeds(int fd, unsigned& output_rate, unsigned& input_rate);

} // namespace platform::tty
