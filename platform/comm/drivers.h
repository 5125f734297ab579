// How CreateFileA reaches the two drivers.
#pragma once

#include "platform/comm/device.h"

#include <memory>

namespace platform::comm {

struct OpenResult {
    std::unique_ptr<Device> device;
    DWORD error = ERROR_SUCCESS;
};

// The installed virtual device COMn, opened exclusively. A null device with ERROR_SUCCESS
// means that no virtual device has that number.
OpenResult open_virtual_port(int com_number);

// The tty that COMn resolves to, opened exclusively and raw; on failure writes one line to
// standard error naming the port, the path and the reason.
OpenResult open_tty_port(int com_number);

} // namespace platform::comm
