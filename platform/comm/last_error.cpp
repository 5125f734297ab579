// The calling thread's last error, as GetLastError/SetLastError read and write it.
#include "platform/win_errors.h"

namespace {
thread_local DWORD t_last_error = ERROR_SUCCESS;
} // namespace

DWORD GetLastError() {
    return t_last_error;
}

void SetLastError(DWORD error) {
    t_last_error = error;
}
