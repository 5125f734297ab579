// The DCB checks and defaults every driver shares.
#pragma once

#include "platform/win_comm.h"

namespace platform::comm {

// What a device reports before any SetCommState: 9600 8N1, binary, DTR and RTS enabled,
// XON 0x11 / XOFF 0x13, no flow control.
DCB default_dcb();

// ERROR_SUCCESS, or ERROR_INVALID_PARAMETER for a DCB no line can carry: baud 0, ByteSize
// outside 5-8, unknown parity, stop-bit or control codes, 1.5 stop bits with more than 5 data
// bits, 2 stop bits with 5 data bits, software flow control with XonChar equal to XoffChar.
DWORD check_dcb(const DCB& dcb);

} // namespace platform::comm
