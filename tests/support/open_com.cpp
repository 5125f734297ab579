// CreateFileA on COM device names.
#include "open_com.h"

namespace test_support {

std::string com_device_name(int com_number) {
    return "\\\\.\\COM" + std::to_string(com_number);
}

HANDLE open_com(int com_number) {
    return CreateFileA(com_device_name(com_number).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                       nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
}

} // namespace test_support
