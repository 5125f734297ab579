// The driver interface behind a comm HANDLE: one operation per Win32 call.
// Each returns ERROR_SUCCESS or the Windows error the call fails with; the Win32 front end
// (win_comm_api.cpp) checks the handle and pointers and sets the last error.
#pragma once

#include "platform/win_comm.h"
#include "platform/win_errors.h"

namespace platform::comm {

// OVERLAPPED::Internal of a transfer that has not finished yet.
inline constexpr ULONG_PTR k_status_pending = 0x103;

enum class BreakCall { set, clear };

class Device {
public:
    virtual ~Device() = default;

    // Releases the device; the handle is gone whatever this returns.
    virtual DWORD close() = 0;
    // Never waits for bytes that have not arrived. `overlapped` may be null.
    virtual DWORD read(void* buffer, DWORD count, DWORD& done, OVERLAPPED* overlapped) = 0;
    // Reports what the device did not take as a smaller count, or ERROR_IO_PENDING.
    virtual DWORD write(const void* data, DWORD count, DWORD& done, OVERLAPPED* overlapped) = 0;
    virtual DWORD overlapped_result(OVERLAPPED& overlapped, bool wait, DWORD& done) = 0;
    virtual DWORD setup(DWORD in_queue, DWORD out_queue) = 0;
    virtual DWORD get_state(DCB& dcb) = 0;
    virtual DWORD set_state(const DCB& dcb) = 0;
    virtual DWORD get_timeouts(COMMTIMEOUTS& timeouts) = 0;
    virtual DWORD set_timeouts(const COMMTIMEOUTS& timeouts) = 0;
    virtual DWORD get_mask(DWORD& mask) = 0;
    virtual DWORD set_mask(DWORD mask) = 0;
    // Reports the events of the mask present now; never waits.
    virtual DWORD wait_event(DWORD& events) = 0;
    virtual DWORD clear_error(DWORD& errors, COMSTAT& stat) = 0;
    virtual DWORD purge(DWORD flags) = 0;
    virtual DWORD transmit_char(char byte) = 0;
    virtual DWORD escape(DWORD function) = 0;
    virtual DWORD set_break(BreakCall call) = 0;
    virtual DWORD modem_status(DWORD& status) = 0;
};

// Records a finished (or pending) transfer in the caller's OVERLAPPED, when there is one.
inline void note_transfer(OVERLAPPED* overlapped, DWORD error, DWORD count) {
    if (overlapped == nullptr)
        return;
    overlapped->Internal = error == ERROR_IO_PENDING ? k_status_pending : error;
    overlapped->InternalHigh = count;
}

} // namespace platform::comm
