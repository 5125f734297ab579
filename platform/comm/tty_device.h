// The tty driver: a serial device or a pty behind a comm HANDLE.
// Reads and writes never wait; what the device does not take is a smaller write count.
// Modem lines and error counters that the device lacks (a pty) read as none.
#pragma once

#include "platform/comm/device.h"
#include "platform/comm/unique_fd.h"

#include <array>

namespace platform::tty {

// The receive-error counters of TIOCGICOUNT the driver turns into CE_* bits.
struct ErrorCounts {
    std::array<int, 5> values{};
};

enum class Support { present, absent };

// What opening learnt about the device; the driver does not ask again.
struct TtyTraits {
    bool is_pty = false;
    Support modem_lines = Support::absent;
    Support error_counters = Support::absent;
    ErrorCounts counts;
};

class TtyDevice final : public comm::Device {
public:
    // Takes the open, locked, exclusive, raw descriptor and the DCB that describes it.
    TtyDevice(UniqueFd fd, ExclusiveMode exclusive, const DCB& dcb, const TtyTraits& traits);

    DWORD close() override;
    DWORD read(void* buffer, DWORD count, DWORD& done, OVERLAPPED* overlapped) override;
    DWORD write(const void* data, DWORD count, DWORD& done, OVERLAPPED* overlapped) override;
    DWORD overlapped_result(OVERLAPPED& overlapped, bool wait, DWORD& done) override;
    DWORD setup(DWORD in_queue, DWORD out_queue) override;
    DWORD get_state(DCB& dcb) override;
    DWORD set_state(const DCB& dcb) override;
    DWORD get_timeouts(COMMTIMEOUTS& timeouts) override;
    DWORD set_timeouts(const COMMTIMEOUTS& timeouts) override;
    DWORD get_mask(DWORD& mask) override;
    DWORD set_mask(DWORD mask) override;
    DWORD wait_event(DWORD& events) override;
    DWORD clear_error(DWORD& errors, COMSTAT& stat) override;
    DWORD purge(DWORD flags) override;
    DWORD transmit_char(char byte) override;
    DWORD escape(DWORD function) override;
    DWORD set_break(comm::BreakCall call) override;
    DWORD modem_status(DWORD& status) override;

private:
    // The Windows error for a failed call; EIO and its kin mark the device gone for good.
    DWORD fail_with(const sys::Result& result);
    DWORD queue_counts(DWORD& in_queue, DWORD& out_queue);
    DWORD error_bits(DWORD& errors);
    DWORD set_modem_bits(int bits, bool on);
    DWORD apply_control_lines(const DCB& dcb);

    UniqueFd m_fd;
    ExclusiveMode m_exclusive;
    DCB m_dcb;
    TtyTraits m_traits;
    COMMTIMEOUTS m_timeouts{};
    DWORD m_event_mask = 0;
    bool m_gone = false;
};

} // namespace platform::tty
