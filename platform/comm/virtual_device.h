// An in-process serial device that tests and library users install under a COM number.
// CreateFileA("\\.\COMn") finds it before any tty; every Win32 call on its handle is logged.
#pragma once

#include "platform/win_comm.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform::comm {

// One Win32 call made on the device: its name and its integer arguments, in call order.
// Arguments per call (handle and out-pointers left out):
//   CreateFileA()  CloseHandle()  ReadFile(count)  WriteFile(count)
//   GetOverlappedResult(wait)  SetupComm(in, out)  GetCommState()  SetCommState()
//   GetCommTimeouts()  SetCommTimeouts(interval, rmult, rconst, wmult, wconst)
//   GetCommMask()  SetCommMask(mask)  WaitCommEvent()  ClearCommError()  PurgeComm(flags)
//   TransmitCommChar(byte)  EscapeCommFunction(function)  SetCommBreak()  ClearCommBreak()
//   GetCommModemStatus()
struct CallRecord {
    std::string name;
    std::vector<std::int64_t> args;
    // "Name(a,b)" as listed above.
    std::string text() const;
};

class VirtualDevice {
public:
    // --- what the test sets ---
    // Bytes the device has "received" from the line; ReadFile takes them in order.
    void queue_receive(std::string_view bytes);
    // Bytes still waiting in the transmit queue (cbOutQue); WriteFile adds to it when
    // the device is set to hold written bytes, see set_hold_written().
    void set_out_queue(DWORD count);
    // When true, written bytes stay in cbOutQue (and are captured) instead of leaving at once.
    void set_hold_written(bool hold);
    // Modem inputs as MS_* bits.
    void set_modem_status(DWORD ms_bits);
    // COMSTAT hold bits.
    void set_holds(bool cts_hold, bool dsr_hold, bool xoff_hold, bool xoff_sent);
    // CE_* bits that the next ClearCommError reports (and then forgets), ORed in.
    void raise_errors(DWORD ce_bits);
    // The named call fails with the given last error: the next `times` calls, or always when
    // times is 0, after the first `after` calls have succeeded. A call name from the list above.
    void fail(std::string_view call, DWORD error, unsigned times = 0, unsigned after = 0);
    void clear_failures();
    // The next WriteFile (or every one, when `always`) fails with ERROR_IO_PENDING after
    // handing over its bytes; GetOverlappedResult on it then completes them.
    void set_writes_pending(bool always = true);
    // Writes complete at once again.
    void stop_writes_pending();
    // The device goes away: every later call on its handles returns failure with
    // ERROR_DEVICE_NOT_CONNECTED, except CloseHandle, which still releases the handle.
    void unplug();

    // --- what the test reads ---
    // Every byte written so far (WriteFile and TransmitCommChar), in order.
    const std::string& sent() const;
    std::string take_sent();
    const std::vector<CallRecord>& calls() const;
    // Just the names, or "Name(args)" texts, of the calls since the last clear_calls().
    std::vector<std::string> call_texts() const;
    void clear_calls();
    // The DCB the last SetCommState applied (and GetCommState returns). SetCommState refuses,
    // with ERROR_INVALID_PARAMETER, what a tty refuses too (baud 0, ByteSize outside 5-8, ...).
    const DCB& dcb() const;
    // Every DCB SetCommState was given, in order.
    const std::vector<DCB>& applied_dcbs() const;
    COMMTIMEOUTS timeouts() const;
    bool dtr() const;
    bool rts() const;
    bool break_on() const;
    DWORD event_mask() const;
    DWORD in_queue_size() const;
    DWORD out_queue_size() const;
    bool is_open() const;
    DWORD received_pending() const;

    struct State;
    VirtualDevice();
    ~VirtualDevice();

private:
    std::unique_ptr<State> m_state;
    friend class VirtualDriver;
};

// Installs a fresh virtual device as COM`com_number` (1-based) for this process, replacing any
// earlier one; CreateFileA on that name opens it (exclusively) until it is removed.
std::shared_ptr<VirtualDevice> install_virtual_port(int com_number);
void remove_virtual_port(int com_number);
void remove_all_virtual_ports();

} // namespace platform::comm
