// errno -> Windows error and reason, as one row table.
#include "platform/comm/errno_map.h"

#include "platform/win_errors.h"

#include <array>
#include <cerrno>
#include <cstring>

namespace platform::comm {
namespace {

struct ErrnoRow {
    int error_number;
    DWORD windows_error;
    const char* reason;
    bool device_gone;
};

// ENOTTY appears when an ioctl does not apply to the device (a pty has no modem lines);
// the tty driver turns that into "none" before this table is reached.
constexpr std::array k_errno_rows{
    ErrnoRow{ENOENT, ERROR_FILE_NOT_FOUND, "No such file or directory", false},
    ErrnoRow{ENODEV, ERROR_FILE_NOT_FOUND, "No such device", false},
    ErrnoRow{ENXIO, ERROR_FILE_NOT_FOUND, "No such device or address", false},
    ErrnoRow{ENOTDIR, ERROR_PATH_NOT_FOUND, "A folder in the path is missing", false},
    ErrnoRow{EACCES, ERROR_ACCESS_DENIED, "Permission denied: add your user to the dialout group",
             false},
    ErrnoRow{EPERM, ERROR_ACCESS_DENIED, "Permission denied: add your user to the dialout group",
             false},
    ErrnoRow{EBUSY, ERROR_ACCESS_DENIED, "in use by another program", false},
    ErrnoRow{EWOULDBLOCK, ERROR_ACCESS_DENIED, "in use by another program", false},
    ErrnoRow{ENOTTY, ERROR_INVALID_FUNCTION, "not a terminal device", false},
    ErrnoRow{EINVAL, ERROR_INVALID_PARAMETER, "Invalid argument", false},
    ErrnoRow{EIO, ERROR_DEVICE_NOT_CONNECTED, "Input/output error: the device has gone away", true},
    ErrnoRow{EMFILE, ERROR_TOO_MANY_OPEN_FILES, "Too many open files", false},
    ErrnoRow{ENFILE, ERROR_TOO_MANY_OPEN_FILES, "Too many open files in the system", false},
    ErrnoRow{ENOMEM, ERROR_NOT_ENOUGH_MEMORY, "Out of memory", false},
    ErrnoRow{ELOOP, ERROR_INVALID_NAME, "Too many levels of symbolic links", false},
    ErrnoRow{ENAMETOOLONG, ERROR_INVALID_NAME, "File name too long", false},
};

const ErrnoRow* find_row(int error_number) {
    for (const ErrnoRow& row : k_errno_rows) {
        if (row.error_number == error_number)
            return &row;
    }
    return nullptr;
}

} // namespace

DWORD windows_error_from_errno(int error_number) {
    const ErrnoRow* row = find_row(error_number);
    return row != nullptr ? row->windows_error : ERROR_GEN_FAILURE;
}

const char* reason_from_errno(int error_number) {
    const ErrnoRow* row = find_row(error_number);
    return row != nullptr ? row->reason : std::strerror(error_number);
}

bool is_device_gone(int error_number) {
    // ENODEV and ENXIO on an open descriptor mean the same as EIO: the hardware is gone.
    if (error_number == ENODEV || error_number == ENXIO)
        return true;
    const ErrnoRow* row = find_row(error_number);
    return row != nullptr && row->device_gone;
}

} // namespace platform::comm
