// The process-wide table of open comm devices that HANDLE values name.
// A HANDLE encodes a slot and its generation, so a closed or made-up handle never reaches a
// device that now sits in the same slot; null and INVALID_HANDLE_VALUE are never issued.
#pragma once

#include "platform/comm/device.h"

#include <memory>

namespace platform::comm {

// Takes ownership of the device; returns null when the table is full.
HANDLE add_handle(std::unique_ptr<Device> device);
// The device the handle names, or null. The caller's reference keeps it alive across a
// CloseHandle from another thread.
std::shared_ptr<Device> find_handle(HANDLE handle);
// Removes the entry and returns its device, or null for an unknown handle.
std::shared_ptr<Device> remove_handle(HANDLE handle);

} // namespace platform::comm
