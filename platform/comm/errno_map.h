// The one table from errno to the Windows error a comm call fails with, and to the reason the
// open diagnostic prints.
#pragma once

#include "platform/win_types.h"

namespace platform::comm {

DWORD windows_error_from_errno(int error_number);
// A short reason for a person, e.g. "Permission denied: add your user to the dialout group".
const char* reason_from_errno(int error_number);
// True for the errors that mean the device has gone away (unplugged, pty hung up).
bool is_device_gone(int error_number);

} // namespace platform::comm
