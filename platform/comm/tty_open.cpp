// Opening the tty behind a COM number: only a terminal device, exclusively, in raw mode.
#include "platform/comm/com_name.h"
#include "platform/comm/dcb_rules.h"
#include "platform/comm/dcb_termios.h"
#include "platform/comm/drivers.h"
#include "platform/comm/errno_map.h"
#include "platform/comm/open_diagnostic.h"
#include "platform/comm/termios2_speed.h"
#include "platform/comm/tty_device.h"

#include <cerrno>
#include <fcntl.h>
#include <linux/serial.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>

namespace platform::tty {
namespace {

constexpr unsigned k_pty_slave_first_major = 136;
constexpr unsigned k_pty_slave_last_major = 143;
constexpr unsigned k_legacy_pty_slave_major = 3;

struct Failure {
    DWORD error = ERROR_SUCCESS;
    std::string reason;
};

Failure from_errno(const sys::Result& result) {
    return {comm::windows_error_from_errno(result.error), comm::reason_from_errno(result.error)};
}

// Refuses anything but a character device before it is opened, so nothing is ever written
// to a file or a folder that a COM entry names by mistake.
Failure check_kind(const struct stat& info) {
    if (S_ISCHR(info.st_mode))
        return {};
    const char* kind = S_ISDIR(info.st_mode)   ? "a folder"
                       : S_ISREG(info.st_mode) ? "a regular file"
                                               : "not a character device";
    return {ERROR_FILE_NOT_FOUND, std::string("not a terminal device (") + kind + ")"};
}

bool is_pty_slave(const struct stat& info) {
    unsigned device_major = major(info.st_rdev);
    return (device_major >= k_pty_slave_first_major && device_major <= k_pty_slave_last_major) ||
           device_major == k_legacy_pty_slave_major;
}

// Learns once what the device has: modem lines, error counters (a pty has neither).
TtyTraits probe_traits(int fd, const struct stat& info) {
    TtyTraits traits;
    traits.is_pty = is_pty_slave(info);
    int lines = 0;
    if (sys::io_control(fd, TIOCMGET, &lines, "ioctl(TIOCMGET)").ok())
        traits.modem_lines = Support::present;
    serial_icounter_struct counts{};
    if (sys::io_control(fd, TIOCGICOUNT, &counts, "ioctl(TIOCGICOUNT)").ok()) {
        traits.error_counters = Support::present;
        traits.counts.values = {counts.frame, counts.parity, counts.overrun, counts.brk,
                                counts.buf_overrun};
    }
    return traits;
}

// Low-latency mode where the driver has it, so adapters pass replies on at once.
void request_low_latency(int fd) {
    serial_struct serial{};
    if (!sys::io_control(fd, TIOCGSERIAL, &serial, "ioctl(TIOCGSERIAL)").ok())
        return;
    if ((serial.flags & ASYNC_LOW_LATENCY) != 0)
        return;
    serial.flags |= ASYNC_LOW_LATENCY;
    sys::io_control(fd, TIOCSSERIAL, &serial, "ioctl(TIOCSSERIAL)");
}

// The line format the device has now, over the defaults; flow control off.
DCB starting_dcb(int fd, const termios& attributes) {
    DCB dcb = comm::default_dcb();
    termios_to_dcb(attributes, dcb);
    dcb.fOutxCtsFlow = 0;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    dcb.fOutX = 0;
    dcb.fInX = 0;
    dcb.fParity = 0;
    dcb.XonChar = 0x11;
    dcb.XoffChar = 0x13;
    DWORD rate = rate_of_speed(cfgetospeed(&attributes));
    unsigned output_rate = 0;
    unsigned input_rate = 0;
    if (rate == 0 && get_speeds(fd, output_rate, input_rate).ok())
        rate = output_rate;
    dcb.BaudRate = rate != 0 ? rate : CBR_9600;
    if (dcb.StopBits == ONE5STOPBITS && dcb.ByteSize != 5)
        dcb.StopBits = TWOSTOPBITS;
    return dcb;
}

std::unique_ptr<TtyDevice> open_tty(const std::string& path, Failure& failure) {
    struct stat info {};
    if (sys::Result found = sys::stat_path(path.c_str(), info); !found.ok()) {
        failure = from_errno(found);
        return nullptr;
    }
    if (failure = check_kind(info); failure.error != ERROR_SUCCESS)
        return nullptr;

    sys::Result opened = sys::open_device(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (!opened.ok()) {
        failure = from_errno(opened);
        return nullptr;
    }
    UniqueFd fd(static_cast<int>(opened.value));
    // The path may have changed between stat and open; check what was really opened.
    if (sys::Result checked = sys::stat_descriptor(fd.get(), info); !checked.ok()) {
        failure = from_errno(checked);
        return nullptr;
    }
    if (failure = check_kind(info); failure.error != ERROR_SUCCESS)
        return nullptr;
    termios attributes{};
    if (sys::Result got = sys::get_attributes(fd.get(), attributes); !got.ok()) {
        failure = got.error == ENOTTY ? Failure{ERROR_FILE_NOT_FOUND, "not a terminal device"}
                                      : from_errno(got);
        return nullptr;
    }
    // flock holds also against root, whom TIOCEXCL lets through.
    if (sys::Result locked = sys::lock_exclusive(fd.get()); !locked.ok()) {
        failure = from_errno(locked);
        return nullptr;
    }
    if (sys::Result excl = sys::io_control(fd.get(), TIOCEXCL, nullptr, "ioctl(TIOCEXCL)");
        !excl.ok()) {
        failure = from_errno(excl);
        return nullptr;
    }
    ExclusiveMode exclusive(fd.get());

    DCB dcb = starting_dcb(fd.get(), attributes);
    termios raw = attributes;
    dcb_to_termios(dcb, raw);
    if (sys::Result set = sys::set_attributes(fd.get(), raw); !set.ok()) {
        failure = from_errno(set);
        return nullptr;
    }
    request_low_latency(fd.get());
    TtyTraits traits = probe_traits(fd.get(), info);
    return std::make_unique<TtyDevice>(std::move(fd), std::move(exclusive), dcb, traits);
}

} // namespace
} // namespace platform::tty

namespace platform::comm {

OpenResult open_tty_port(int com_number) {
    std::string path = resolve_com_path(com_number);
    tty::Failure failure;
    std::unique_ptr<tty::TtyDevice> device = tty::open_tty(path, failure);
    if (!device) {
        report_open_failure(com_number, path, failure.reason);
        return {nullptr, failure.error};
    }
    return {std::move(device), ERROR_SUCCESS};
}

} // namespace platform::comm
