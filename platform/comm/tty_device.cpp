// The tty driver's transfers, queues, events and errors.
#include "platform/comm/tty_device.h"

#include "platform/comm/errno_map.h"

#include <cerrno>
#include <cstring>
#include <linux/serial.h>
#include <poll.h>
#include <termios.h>

namespace platform::tty {
namespace {

struct CounterRow {
    int serial_icounter_struct::*field;
    DWORD ce_bit;
};

constexpr std::array k_counter_rows{
    CounterRow{&serial_icounter_struct::frame, CE_FRAME},
    CounterRow{&serial_icounter_struct::parity, CE_RXPARITY},
    CounterRow{&serial_icounter_struct::overrun, CE_OVERRUN},
    CounterRow{&serial_icounter_struct::brk, CE_BREAK},
    CounterRow{&serial_icounter_struct::buf_overrun, CE_RXOVER},
};
static_assert(k_counter_rows.size() == ErrorCounts{}.values.size());

bool would_block(const sys::Result& result) {
    return result.error == EAGAIN || result.error == EWOULDBLOCK;
}

} // namespace

TtyDevice::TtyDevice(UniqueFd fd, ExclusiveMode exclusive, const DCB& dcb, const TtyTraits& traits)
    : m_fd(std::move(fd)), m_exclusive(std::move(exclusive)), m_dcb(dcb), m_traits(traits) {}

DWORD TtyDevice::fail_with(const sys::Result& result) {
    if (comm::is_device_gone(result.error))
        m_gone = true;
    return m_gone ? ERROR_DEVICE_NOT_CONNECTED : comm::windows_error_from_errno(result.error);
}

DWORD TtyDevice::close() {
    m_exclusive.reset();
    m_fd.reset();
    return ERROR_SUCCESS;
}

DWORD TtyDevice::read(void* buffer, DWORD count, DWORD& done, OVERLAPPED*) {
    if (m_gone)
        return ERROR_DEVICE_NOT_CONNECTED;
    done = 0;
    if (count == 0)
        return ERROR_SUCCESS;
    // Raw mode with VMIN 0 and O_NONBLOCK: the read takes what has arrived and never waits,
    // whatever the time-outs say.
    sys::Result got = sys::read_some(m_fd.get(), buffer, count);
    if (!got.ok())
        return would_block(got) ? ERROR_SUCCESS : fail_with(got);
    if (got.value == 0) {
        // Nothing arrived, or the other end has hung up: only poll can tell.
        sys::Result polled = sys::poll_now(m_fd.get(), POLLIN);
        if (polled.ok() && (polled.value & (POLLHUP | POLLERR)) != 0) {
            m_gone = true;
            return ERROR_DEVICE_NOT_CONNECTED;
        }
    }
    done = static_cast<DWORD>(got.value);
    return ERROR_SUCCESS;
}

DWORD TtyDevice::write(const void* data, DWORD count, DWORD& done, OVERLAPPED*) {
    if (m_gone)
        return ERROR_DEVICE_NOT_CONNECTED;
    // Writes complete at once: the bytes the device did not take are left out of the count,
    // never pending, so the caller knows exactly what went.
    const auto* bytes = static_cast<const char*>(data);
    DWORD total = 0;
    while (total < count) {
        sys::Result put = sys::write_some(m_fd.get(), bytes + total, count - total);
        if (!put.ok()) {
            if (would_block(put))
                break;
            DWORD error = fail_with(put);
            if (total == 0)
                return error;
            break;
        }
        total += static_cast<DWORD>(put.value);
    }
    done = total;
    return ERROR_SUCCESS;
}

DWORD TtyDevice::overlapped_result(OVERLAPPED& overlapped, bool, DWORD& done) {
    // Every transfer has finished when its call returned, so there is nothing to wait for.
    done = static_cast<DWORD>(overlapped.InternalHigh);
    if (overlapped.Internal == comm::k_status_pending)
        overlapped.Internal = ERROR_SUCCESS;
    return static_cast<DWORD>(overlapped.Internal);
}

DWORD TtyDevice::setup(DWORD, DWORD) {
    // The kernel's tty buffers have fixed sizes; the sizes asked for are accepted and unused.
    return m_gone ? ERROR_DEVICE_NOT_CONNECTED : ERROR_SUCCESS;
}

DWORD TtyDevice::get_timeouts(COMMTIMEOUTS& timeouts) {
    if (m_gone)
        return ERROR_DEVICE_NOT_CONNECTED;
    timeouts = m_timeouts;
    return ERROR_SUCCESS;
}

DWORD TtyDevice::set_timeouts(const COMMTIMEOUTS& timeouts) {
    if (m_gone)
        return ERROR_DEVICE_NOT_CONNECTED;
    // Kept for GetCommTimeouts; reads return at once under any time-outs.
    m_timeouts = timeouts;
    return ERROR_SUCCESS;
}

DWORD TtyDevice::get_mask(DWORD& mask) {
    if (m_gone)
        return ERROR_DEVICE_NOT_CONNECTED;
    mask = m_event_mask;
    return ERROR_SUCCESS;
}

DWORD TtyDevice::set_mask(DWORD mask) {
    if (m_gone)
        return ERROR_DEVICE_NOT_CONNECTED;
    m_event_mask = mask;
    return ERROR_SUCCESS;
}

DWORD TtyDevice::wait_event(DWORD& events) {
    if (m_gone)
        return ERROR_DEVICE_NOT_CONNECTED;
    if (m_event_mask == 0)
        return ERROR_INVALID_PARAMETER;
    DWORD in_queue = 0;
    DWORD out_queue = 0;
    if (DWORD error = queue_counts(in_queue, out_queue); error != ERROR_SUCCESS)
        return error;
    DWORD present = (in_queue != 0 ? EV_RXCHAR : 0) | (out_queue == 0 ? EV_TXEMPTY : 0);
    events = present & m_event_mask;
    return ERROR_SUCCESS;
}

DWORD TtyDevice::queue_counts(DWORD& in_queue, DWORD& out_queue) {
    int count = 0;
    sys::Result got = sys::io_control(m_fd.get(), FIONREAD, &count, "ioctl(FIONREAD)");
    if (!got.ok())
        return fail_with(got);
    in_queue = static_cast<DWORD>(count);
    got = sys::io_control(m_fd.get(), TIOCOUTQ, &count, "ioctl(TIOCOUTQ)");
    if (!got.ok())
        return fail_with(got);
    out_queue = static_cast<DWORD>(count);
    return ERROR_SUCCESS;
}

DWORD TtyDevice::error_bits(DWORD& errors) {
    errors = 0;
    if (m_traits.error_counters == Support::absent)
        return ERROR_SUCCESS;
    serial_icounter_struct now{};
    sys::Result got = sys::io_control(m_fd.get(), TIOCGICOUNT, &now, "ioctl(TIOCGICOUNT)");
    if (!got.ok())
        return fail_with(got);
    for (std::size_t i = 0; i < k_counter_rows.size(); ++i) {
        int value = now.*k_counter_rows[i].field;
        if (value != m_traits.counts.values[i])
            errors |= k_counter_rows[i].ce_bit;
        m_traits.counts.values[i] = value;
    }
    return ERROR_SUCCESS;
}

DWORD TtyDevice::clear_error(DWORD& errors, COMSTAT& stat) {
    if (m_gone)
        return ERROR_DEVICE_NOT_CONNECTED;
    if (DWORD error = queue_counts(stat.cbInQue, stat.cbOutQue); error != ERROR_SUCCESS)
        return error;
    if (DWORD error = error_bits(errors); error != ERROR_SUCCESS)
        return error;
    // The only hold Linux shows is CTS low under hardware flow control; DSR and XOFF holds
    // stay inside the kernel.
    if (m_traits.modem_lines == Support::present && (m_dcb.fOutxCtsFlow != 0)) {
        int lines = 0;
        sys::Result got = sys::io_control(m_fd.get(), TIOCMGET, &lines, "ioctl(TIOCMGET)");
        if (!got.ok())
            return fail_with(got);
        stat.fCtsHold = (lines & TIOCM_CTS) == 0 ? 1 : 0;
    }
    return ERROR_SUCCESS;
}

DWORD TtyDevice::purge(DWORD flags) {
    if (m_gone)
        return ERROR_DEVICE_NOT_CONNECTED;
    constexpr DWORD all = PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR;
    if ((flags & ~all) != 0)
        return ERROR_INVALID_PARAMETER;
    // Transfers never stay pending here, so the ABORT flags clear the queues like CLEAR.
    bool transmit = (flags & (PURGE_TXABORT | PURGE_TXCLEAR)) != 0;
    bool receive = (flags & (PURGE_RXABORT | PURGE_RXCLEAR)) != 0;
    if (!transmit && !receive)
        return ERROR_SUCCESS;
    int selector = transmit && receive ? TCIOFLUSH : (transmit ? TCOFLUSH : TCIFLUSH);
    sys::Result flushed = sys::flush(m_fd.get(), selector);
    return flushed.ok() ? ERROR_SUCCESS : fail_with(flushed);
}

DWORD TtyDevice::transmit_char(char byte) {
    if (m_gone)
        return ERROR_DEVICE_NOT_CONNECTED;
    // The tty has one output queue, so the byte goes after what is queued, not ahead of it.
    sys::Result put = sys::write_some(m_fd.get(), &byte, 1);
    if (put.ok())
        return put.value == 1 ? ERROR_SUCCESS : ERROR_BUSY;
    return would_block(put) ? ERROR_BUSY : fail_with(put);
}

} // namespace platform::tty
