// The Win32 communications calls: handle and pointer checks, then the device's driver.
#include "platform/comm/com_name.h"
#include "platform/comm/drivers.h"
#include "platform/comm/handle_table.h"
#include "platform/win_comm.h"
#include "platform/win_errors.h"

using platform::comm::Device;

namespace {

BOOL finish(DWORD error) {
    if (error == ERROR_SUCCESS)
        return TRUE;
    SetLastError(error);
    return FALSE;
}

// Runs `call` on the device the handle names; ERROR_INVALID_HANDLE for any other handle.
template <typename Call> BOOL with_device(HANDLE handle, Call call) {
    std::shared_ptr<Device> device = platform::comm::find_handle(handle);
    if (!device)
        return finish(ERROR_INVALID_HANDLE);
    return finish(call(*device));
}

} // namespace

HANDLE CreateFileA(LPCSTR name, DWORD /*access*/, DWORD /*share_mode*/,
                   LPSECURITY_ATTRIBUTES /*security*/, DWORD creation, DWORD /*flags*/,
                   HANDLE /*template_file*/) {
    // Every open is exclusive and every transfer completes or reports itself, so the share
    // mode and the overlapped flag change nothing here.
    int com_number = name != nullptr ? platform::comm::parse_com_name(name) : 0;
    if (com_number == 0) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    if (creation != OPEN_EXISTING) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    platform::comm::OpenResult opened = platform::comm::open_virtual_port(com_number);
    if (!opened.device && opened.error == ERROR_SUCCESS)
        opened = platform::comm::open_tty_port(com_number);
    if (!opened.device) {
        SetLastError(opened.error);
        return INVALID_HANDLE_VALUE;
    }
    HANDLE handle = platform::comm::add_handle(std::move(opened.device));
    if (handle == nullptr) {
        SetLastError(ERROR_TOO_MANY_OPEN_FILES);
        return INVALID_HANDLE_VALUE;
    }
    return handle;
}

BOOL CloseHandle(HANDLE handle) {
    std::shared_ptr<Device> device = platform::comm::remove_handle(handle);
    if (!device)
        return finish(ERROR_INVALID_HANDLE);
    return finish(device->close());
}

BOOL ReadFile(HANDLE handle, LPVOID buffer, DWORD to_read, LPDWORD read, LPOVERLAPPED overlapped) {
    if (read != nullptr)
        *read = 0;
    if (buffer == nullptr && to_read != 0)
        return finish(ERROR_INVALID_PARAMETER);
    return with_device(handle, [&](Device& device) {
        DWORD done = 0;
        DWORD error = device.read(buffer, to_read, done, overlapped);
        platform::comm::note_transfer(overlapped, error, done);
        if (read != nullptr)
            *read = error == ERROR_SUCCESS ? done : 0;
        return error;
    });
}

BOOL WriteFile(HANDLE handle, LPCVOID buffer, DWORD to_write, LPDWORD written,
               LPOVERLAPPED overlapped) {
    if (written != nullptr)
        *written = 0;
    if (buffer == nullptr && to_write != 0)
        return finish(ERROR_INVALID_PARAMETER);
    return with_device(handle, [&](Device& device) {
        DWORD done = 0;
        DWORD error = device.write(buffer, to_write, done, overlapped);
        platform::comm::note_transfer(overlapped, error, done);
        if (written != nullptr)
            *written = error == ERROR_SUCCESS ? done : 0;
        return error;
    });
}

BOOL GetOverlappedResult(HANDLE handle, LPOVERLAPPED overlapped, LPDWORD transferred, BOOL wait) {
    if (overlapped == nullptr || transferred == nullptr)
        return finish(ERROR_INVALID_PARAMETER);
    return with_device(handle, [&](Device& device) {
        DWORD done = 0;
        DWORD error = device.overlapped_result(*overlapped, wait != FALSE, done);
        *transferred = done;
        return error;
    });
}

BOOL SetupComm(HANDLE handle, DWORD in_queue, DWORD out_queue) {
    return with_device(handle, [&](Device& device) { return device.setup(in_queue, out_queue); });
}

BOOL GetCommState(HANDLE handle, LPDCB dcb) {
    if (dcb == nullptr)
        return finish(ERROR_INVALID_PARAMETER);
    return with_device(handle, [&](Device& device) { return device.get_state(*dcb); });
}

BOOL SetCommState(HANDLE handle, LPDCB dcb) {
    if (dcb == nullptr)
        return finish(ERROR_INVALID_PARAMETER);
    return with_device(handle, [&](Device& device) { return device.set_state(*dcb); });
}

BOOL GetCommTimeouts(HANDLE handle, LPCOMMTIMEOUTS timeouts) {
    if (timeouts == nullptr)
        return finish(ERROR_INVALID_PARAMETER);
    return with_device(handle, [&](Device& device) { return device.get_timeouts(*timeouts); });
}

BOOL SetCommTimeouts(HANDLE handle, LPCOMMTIMEOUTS timeouts) {
    if (timeouts == nullptr)
        return finish(ERROR_INVALID_PARAMETER);
    return with_device(handle, [&](Device& device) { return device.set_timeouts(*timeouts); });
}

BOOL GetCommMask(HANDLE handle, LPDWORD mask) {
    if (mask == nullptr)
        return finish(ERROR_INVALID_PARAMETER);
    return with_device(handle, [&](Device& device) { return device.get_mask(*mask); });
}

BOOL SetCommMask(HANDLE handle, DWORD mask) {
    return with_device(handle, [&](Device& device) { return device.set_mask(mask); });
}

BOOL WaitCommEvent(HANDLE handle, LPDWORD mask, LPOVERLAPPED overlapped) {
    if (mask == nullptr)
        return finish(ERROR_INVALID_PARAMETER);
    return with_device(handle, [&](Device& device) {
        DWORD events = 0;
        DWORD error = device.wait_event(events);
        *mask = error == ERROR_SUCCESS ? events : 0;
        platform::comm::note_transfer(overlapped, error, 0);
        return error;
    });
}

BOOL ClearCommError(HANDLE handle, LPDWORD errors, LPCOMSTAT stat) {
    return with_device(handle, [&](Device& device) {
        DWORD found = 0;
        COMSTAT status{};
        DWORD error = device.clear_error(found, status);
        if (error != ERROR_SUCCESS)
            return error;
        if (errors != nullptr)
            *errors = found;
        if (stat != nullptr)
            *stat = status;
        return error;
    });
}

BOOL PurgeComm(HANDLE handle, DWORD flags) {
    return with_device(handle, [&](Device& device) { return device.purge(flags); });
}

BOOL TransmitCommChar(HANDLE handle, char c) {
    return with_device(handle, [&](Device& device) { return device.transmit_char(c); });
}

BOOL EscapeCommFunction(HANDLE handle, DWORD function) {
    return with_device(handle, [&](Device& device) { return device.escape(function); });
}

BOOL SetCommBreak(HANDLE handle) {
    return with_device(
        handle, [&](Device& device) { return device.set_break(platform::comm::BreakCall::set); });
}

BOOL ClearCommBreak(HANDLE handle) {
    return with_device(
        handle, [&](Device& device) { return device.set_break(platform::comm::BreakCall::clear); });
}

BOOL GetCommModemStatus(HANDLE handle, LPDWORD modem_status) {
    if (modem_status == nullptr)
        return finish(ERROR_INVALID_PARAMETER);
    return with_device(handle, [&](Device& device) { return device.modem_status(*modem_status); });
}
