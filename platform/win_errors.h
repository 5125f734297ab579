// Windows last-error values the communications layer sets, and the per-thread last error.
// Differs from Windows: only the codes this program meets are declared; the values are the
// documented ones.
#pragma once

#include "platform/win_types.h"

inline constexpr DWORD ERROR_SUCCESS = 0;
inline constexpr DWORD ERROR_INVALID_FUNCTION = 1;
inline constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
inline constexpr DWORD ERROR_PATH_NOT_FOUND = 3;
inline constexpr DWORD ERROR_TOO_MANY_OPEN_FILES = 4;
inline constexpr DWORD ERROR_ACCESS_DENIED = 5;
inline constexpr DWORD ERROR_INVALID_HANDLE = 6;
inline constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = 8;
inline constexpr DWORD ERROR_BAD_UNIT = 20;
inline constexpr DWORD ERROR_NOT_READY = 21;
inline constexpr DWORD ERROR_BAD_COMMAND = 22;
inline constexpr DWORD ERROR_WRITE_FAULT = 29;
inline constexpr DWORD ERROR_READ_FAULT = 30;
inline constexpr DWORD ERROR_GEN_FAILURE = 31;
inline constexpr DWORD ERROR_SHARING_VIOLATION = 32;
inline constexpr DWORD ERROR_NOT_SUPPORTED = 50;
inline constexpr DWORD ERROR_DEV_NOT_EXIST = 55;
inline constexpr DWORD ERROR_INVALID_PARAMETER = 87;
inline constexpr DWORD ERROR_BROKEN_PIPE = 109;
inline constexpr DWORD ERROR_INVALID_NAME = 123;
inline constexpr DWORD ERROR_BUSY = 170;
inline constexpr DWORD ERROR_OPERATION_ABORTED = 995;
inline constexpr DWORD ERROR_IO_INCOMPLETE = 996;
inline constexpr DWORD ERROR_IO_PENDING = 997;
inline constexpr DWORD ERROR_DEVICE_NOT_CONNECTED = 1167;
inline constexpr DWORD ERROR_COUNTER_TIMEOUT = 1121;
inline constexpr DWORD ERROR_TIMEOUT = 1460;

// Communication error values of the old 16-bit interface; the library maps them (negative).
inline constexpr int IE_BADID = -1;
inline constexpr int IE_OPEN = -2;
inline constexpr int IE_NOPEN = -3;
inline constexpr int IE_MEMORY = -4;
inline constexpr int IE_DEFAULT = -5;
inline constexpr int IE_HARDWARE = -10;
inline constexpr int IE_BYTESIZE = -11;
inline constexpr int IE_BAUDRATE = -12;

// The calling thread's last error.
DWORD GetLastError();
void SetLastError(DWORD error);
