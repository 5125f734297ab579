// COM device names and opening them as the library's ports do.
#pragma once

#include "platform/windows.h"

#include <string>

namespace test_support {

// "\\.\COM<com_number>".
std::string com_device_name(int com_number);
// CreateFileA on com_device_name(com_number) for reading and writing, overlapped.
HANDLE open_com(int com_number);

} // namespace test_support
