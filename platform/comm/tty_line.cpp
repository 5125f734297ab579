// The tty driver's line settings and line controls: DCB, DTR/RTS, break, modem inputs.
#include "platform/comm/tty_device.h"

#include "platform/comm/dcb_rules.h"
#include "platform/comm/dcb_termios.h"
#include "platform/comm/termios2_speed.h"

#include <cerrno>
#include <termios.h>

namespace platform::tty {
namespace {

struct ModemRow {
    int line;
    DWORD ms_bit;
};

constexpr std::array k_modem_rows{
    ModemRow{TIOCM_CTS, MS_CTS_ON},
    ModemRow{TIOCM_DSR, MS_DSR_ON},
    ModemRow{TIOCM_RNG, MS_RING_ON},
    ModemRow{TIOCM_CAR, MS_RLSD_ON},
};

// A pty keeps no character size or parity: the kernel forces CS8 and clears PARENB.
constexpr tcflag_t k_pty_forced_bits = CSIZE | PARENB;

} // namespace

DWORD TtyDevice::get_state(DCB& dcb) {
    if (m_gone)
        return ERROR_DEVICE_NOT_CONNECTED;
    dcb = m_dcb;
    return ERROR_SUCCESS;
}

DWORD TtyDevice::set_state(const DCB& dcb) {
    if (m_gone)
        return ERROR_DEVICE_NOT_CONNECTED;
    if (DWORD error = comm::check_dcb(dcb); error != ERROR_SUCCESS)
        return error;
    termios before{};
    sys::Result got = sys::get_attributes(m_fd.get(), before);
    if (!got.ok())
        return fail_with(got);

    termios wanted = before;
    dcb_to_termios(dcb, wanted);
    // A pty carries whole bytes without parity and refuses other sizes; the DCB copy keeps them.
    if (m_traits.is_pty)
        wanted.c_cflag = (wanted.c_cflag & ~k_pty_forced_bits) | CS8;
    speed_t constant = B0;
    bool standard = standard_speed(dcb.BaudRate, constant);
    if (standard) {
        cfsetispeed(&wanted, constant);
        cfsetospeed(&wanted, constant);
    }
    sys::Result applied = sys::set_attributes(m_fd.get(), wanted);
    if (applied.ok() && !standard)
        applied = set_any_speed(m_fd.get(), dcb.BaudRate);

    // Read back: a driver that dropped part of the format has refused it.
    termios now{};
    if (applied.ok())
        applied = sys::get_attributes(m_fd.get(), now);
    bool kept = applied.ok() && (now.c_cflag & k_format_bits) == (wanted.c_cflag & k_format_bits);
    if (!kept) {
        sys::set_attributes(m_fd.get(), before);
        if (!applied.ok() && applied.error != EINVAL)
            return fail_with(applied);
        return ERROR_INVALID_PARAMETER;
    }
    m_dcb = dcb;
    return apply_control_lines(dcb);
}

DWORD TtyDevice::apply_control_lines(const DCB& dcb) {
    // DTR handshake has no Linux counterpart and RTS toggle no termios one: both leave the line
    // as it is. RTS handshake is CRTSCTS, which drives RTS itself.
    if (dcb.fDtrControl != DTR_CONTROL_HANDSHAKE) {
        if (DWORD error = set_modem_bits(TIOCM_DTR, dcb.fDtrControl == DTR_CONTROL_ENABLE);
            error != ERROR_SUCCESS)
            return error;
    }
    if (dcb.fRtsControl == RTS_CONTROL_ENABLE || dcb.fRtsControl == RTS_CONTROL_DISABLE)
        return set_modem_bits(TIOCM_RTS, dcb.fRtsControl == RTS_CONTROL_ENABLE);
    return ERROR_SUCCESS;
}

DWORD TtyDevice::set_modem_bits(int bits, bool on) {
    // A device without modem lines has nothing to drive; that is not a failure.
    if (m_traits.modem_lines == Support::absent)
        return ERROR_SUCCESS;
    sys::Result done = on ? sys::io_control(m_fd.get(), TIOCMBIS, &bits, "ioctl(TIOCMBIS)")
                          : sys::io_control(m_fd.get(), TIOCMBIC, &bits, "ioctl(TIOCMBIC)");
    return done.ok() ? ERROR_SUCCESS : fail_with(done);
}

DWORD TtyDevice::escape(DWORD function) {
    if (m_gone)
        return ERROR_DEVICE_NOT_CONNECTED;
    switch (function) {
    case SETDTR:
        return set_modem_bits(TIOCM_DTR, true);
    case CLRDTR:
        return set_modem_bits(TIOCM_DTR, false);
    case SETRTS:
        return set_modem_bits(TIOCM_RTS, true);
    case CLRRTS:
        return set_modem_bits(TIOCM_RTS, false);
    case SETBREAK:
        return set_break(comm::BreakCall::set);
    case CLRBREAK:
        return set_break(comm::BreakCall::clear);
    case SETXOFF:
    case SETXON: {
        sys::Result done = sys::flow(m_fd.get(), function == SETXOFF ? TCOOFF : TCOON);
        return done.ok() ? ERROR_SUCCESS : fail_with(done);
    }
    default:
        return ERROR_INVALID_PARAMETER;
    }
}

DWORD TtyDevice::set_break(comm::BreakCall call) {
    if (m_gone)
        return ERROR_DEVICE_NOT_CONNECTED;
    sys::Result done = call == comm::BreakCall::set
                           ? sys::io_control(m_fd.get(), TIOCSBRK, nullptr, "ioctl(TIOCSBRK)")
                           : sys::io_control(m_fd.get(), TIOCCBRK, nullptr, "ioctl(TIOCCBRK)");
    return done.ok() ? ERROR_SUCCESS : fail_with(done);
}

DWORD TtyDevice::modem_status(DWORD& status) {
    if (m_gone)
        return ERROR_DEVICE_NOT_CONNECTED;
    status = 0;
    if (m_traits.modem_lines == Support::absent)
        return ERROR_SUCCESS;
    int lines = 0;
    sys::Result got = sys::io_control(m_fd.get(), TIOCMGET, &lines, "ioctl(TIOCMGET)");
    if (!got.ok())
        return fail_with(got);
    for (const ModemRow& row : k_modem_rows) {
        if ((lines & row.line) != 0)
            status |= row.ms_bit;
    }
    return ERROR_SUCCESS;
}

} // namespace platform::tty
