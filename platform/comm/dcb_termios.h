// The DCB <-> termios mapping of the tty driver, as row tables.
#pragma once

#include "platform/win_comm.h"

#include <termios.h>

namespace platform::tty {

// The B-constant of a rate the termios table knows; false for any other rate (use termios2).
bool standard_speed(DWORD rate, speed_t& constant);
// The rate of a B-constant, or 0 when it is not one of the table (BOTHER included).
DWORD rate_of_speed(speed_t constant);

// No echo, no canonical input, no output processing, no signals, CLOCAL|CREAD, VMIN 0 VTIME 0.
void make_raw(termios& attributes);

// Writes the DCB's format and flow control into the termios (raw mode included); the speed is
// set apart. The DCB must have passed check_dcb().
void dcb_to_termios(const DCB& dcb, termios& attributes);

// Reads the format and flow control of a termios into the matching DCB fields; the rest of the
// DCB stays.
void termios_to_dcb(const termios& attributes, DCB& dcb);

// The c_cflag bits that carry the line format; a driver that does not keep them all refuses it.
inline constexpr tcflag_t k_format_bits = CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS;

} // namespace platform::tty
