// Fuzzes the DCB <-> termios mapping. Input: a DCB field by field, the termios it lands on, and
// a byte whose low bit makes the line a pty. The checks refuse exactly the DCBs the rules
// forbid; any other DCB maps to termios and back with all that termios holds intact, whatever
// termios it starts from.
#include "fuzz_support.h"

#include "platform/comm/dcb_rules.h"
#include "platform/comm/dcb_termios.h"
#include "platform/win_errors.h"

#include <termios.h>

namespace {

using fuzz::require;

// `width` bits of flags from bit `shift` on.
std::uint32_t field(std::uint32_t flags, unsigned shift, unsigned width) {
    return (flags >> shift) & ((1u << width) - 1u);
}

// The flag bits follow the declaration order of the DCB's bit fields.
DCB read_dcb(fuzz::InputReader& in) {
    DCB dcb{};
    dcb.DCBlength = sizeof(DCB);
    dcb.BaudRate = in.dword();
    const std::uint32_t flags = in.dword();
    dcb.fBinary = field(flags, 0, 1);
    dcb.fParity = field(flags, 1, 1);
    dcb.fOutxCtsFlow = field(flags, 2, 1);
    dcb.fOutxDsrFlow = field(flags, 3, 1);
    dcb.fDtrControl = field(flags, 4, 2);
    dcb.fDsrSensitivity = field(flags, 6, 1);
    dcb.fTXContinueOnXoff = field(flags, 7, 1);
    dcb.fOutX = field(flags, 8, 1);
    dcb.fInX = field(flags, 9, 1);
    dcb.fErrorChar = field(flags, 10, 1);
    dcb.fNull = field(flags, 11, 1);
    dcb.fRtsControl = field(flags, 12, 2);
    dcb.fAbortOnError = field(flags, 14, 1);
    dcb.ByteSize = in.byte();
    dcb.Parity = in.byte();
    dcb.StopBits = in.byte();
    dcb.XonChar = static_cast<char>(in.byte());
    dcb.XoffChar = static_cast<char>(in.byte());
    dcb.ErrorChar = static_cast<char>(in.byte());
    dcb.EofChar = static_cast<char>(in.byte());
    dcb.EvtChar = static_cast<char>(in.byte());
    dcb.XonLim = in.word();
    dcb.XoffLim = in.word();
    return dcb;
}

termios read_termios(fuzz::InputReader& in) {
    termios attributes{};
    attributes.c_iflag = in.dword();
    attributes.c_oflag = in.dword();
    attributes.c_cflag = in.dword();
    attributes.c_lflag = in.dword();
    for (cc_t& c : attributes.c_cc)
        c = in.byte();
    return attributes;
}

// The rules a DCB must meet to reach a line, restated apart from the check's code.
bool rules_allow(const DCB& dcb) {
    if (dcb.BaudRate == 0 || dcb.ByteSize < 5 || dcb.ByteSize > 8)
        return false;
    if (dcb.Parity > SPACEPARITY || dcb.StopBits > TWOSTOPBITS)
        return false;
    if (dcb.StopBits == ONE5STOPBITS && dcb.ByteSize != 5)
        return false;
    // With five data bits CSTOPB means 1.5 stop bits, so termios cannot carry two.
    if (dcb.StopBits == TWOSTOPBITS && dcb.ByteSize == 5)
        return false;
    if (dcb.fDtrControl > DTR_CONTROL_HANDSHAKE)
        return false;
    const bool software_flow = dcb.fOutX != 0 || dcb.fInX != 0;
    return !(software_flow && dcb.XonChar == dcb.XoffChar);
}

void check_raw_mode(const termios& attributes) {
    require((attributes.c_lflag & (ICANON | ECHO | ISIG | IEXTEN)) == 0, "raw: no line editing");
    require((attributes.c_oflag & OPOST) == 0, "raw: no output processing");
    require((attributes.c_iflag & (ICRNL | INLCR | IGNCR | ISTRIP | IXANY)) == 0,
            "raw: input bytes pass unchanged");
    require((attributes.c_cflag & (CLOCAL | CREAD)) == (CLOCAL | CREAD), "raw: CLOCAL and CREAD");
    require(attributes.c_cc[VMIN] == 0 && attributes.c_cc[VTIME] == 0, "raw: VMIN 0 VTIME 0");
}

// The speed is set apart: table rates as B-constants, any other rate through termios2 on a
// descriptor, which is out of reach here; the table must not claim such a rate.
void check_speed(DWORD rate, termios& attributes) {
    speed_t constant = B0;
    if (!platform::tty::standard_speed(rate, constant)) {
        require(platform::tty::rate_of_speed(cfgetospeed(&attributes)) != rate,
                "a rate outside the table has no B-constant");
        return;
    }
    require(platform::tty::rate_of_speed(constant) == rate, "the speed table maps both ways");
    require(cfsetispeed(&attributes, constant) == 0 && cfsetospeed(&attributes, constant) == 0,
            "termios takes the table's B-constant");
    require(platform::tty::rate_of_speed(cfgetispeed(&attributes)) == rate &&
                platform::tty::rate_of_speed(cfgetospeed(&attributes)) == rate,
            "the rate reads back from termios");
}

void check_round_trip(const DCB& dcb, const termios& start, bool pty) {
    termios mapped = start;
    platform::tty::dcb_to_termios(dcb, mapped);
    check_raw_mode(mapped);

    constexpr tcflag_t mapped_cflag =
        platform::tty::k_format_bits | CLOCAL | CREAD; // the only c_cflag bits the mapping sets
    require((mapped.c_cflag & ~mapped_cflag) == (start.c_cflag & ~mapped_cflag),
            "dcb_to_termios leaves speed and other c_cflag bits alone");

    // Nothing of the starting termios leaks into what the DCB decides.
    termios blank{};
    platform::tty::dcb_to_termios(dcb, blank);
    require((mapped.c_cflag & platform::tty::k_format_bits) ==
                (blank.c_cflag & platform::tty::k_format_bits),
            "the line format depends on the DCB alone");
    constexpr tcflag_t flow_iflag = INPCK | IXON | IXOFF;
    require((mapped.c_iflag & flow_iflag) == (blank.c_iflag & flow_iflag),
            "parity checking and software flow depend on the DCB alone");

    check_speed(dcb.BaudRate, mapped);

    // A pty keeps whole bytes without parity: the kernel forces CS8 and clears PARENB.
    if (pty)
        mapped.c_cflag = (mapped.c_cflag & ~tcflag_t(CSIZE | PARENB)) | CS8;

    // Start from a copy whose termios-held fields are scrambled, so each must be read back.
    DCB back = dcb;
    back.ByteSize = 0;
    back.Parity = 0xFF;
    back.StopBits = 0xFF;
    back.fParity = !dcb.fParity;
    back.fOutxCtsFlow = !dcb.fOutxCtsFlow;
    back.fOutX = !dcb.fOutX;
    back.fInX = !dcb.fInX;
    back.XonChar = static_cast<char>(~dcb.XonChar);
    back.XoffChar = static_cast<char>(~dcb.XoffChar);
    platform::tty::termios_to_dcb(mapped, back);

    require(back.ByteSize == (pty ? 8 : dcb.ByteSize), "data bits survive");
    require(back.Parity == (pty ? NOPARITY : dcb.Parity), "parity survives");
    require((back.StopBits == ONESTOPBIT) == (dcb.StopBits == ONESTOPBIT), "stop bits survive");
    if (!pty)
        require(back.StopBits == dcb.StopBits, "1.5 and 2 stop bits stay apart");
    require(back.fParity == (dcb.fParity != 0 && dcb.Parity != NOPARITY ? 1u : 0u),
            "parity checking survives where there is parity");

    const bool hardware_flow = dcb.fOutxCtsFlow != 0 || dcb.fRtsControl == RTS_CONTROL_HANDSHAKE;
    require(back.fOutxCtsFlow == (hardware_flow ? 1u : 0u), "CTS flow survives");
    require(back.fRtsControl == (hardware_flow ? RTS_CONTROL_HANDSHAKE : dcb.fRtsControl),
            "RTS control survives");
    require(back.fOutX == dcb.fOutX && back.fInX == dcb.fInX, "software flow survives");
    require(back.XonChar == dcb.XonChar && back.XoffChar == dcb.XoffChar,
            "XON and XOFF characters survive");

    // What termios does not hold stays as the DCB had it.
    require(back.DCBlength == dcb.DCBlength && back.BaudRate == dcb.BaudRate,
            "length and rate stay");
    require(
        back.fBinary == dcb.fBinary && back.fOutxDsrFlow == dcb.fOutxDsrFlow &&
            back.fDtrControl == dcb.fDtrControl && back.fDsrSensitivity == dcb.fDsrSensitivity &&
            back.fTXContinueOnXoff == dcb.fTXContinueOnXoff && back.fErrorChar == dcb.fErrorChar &&
            back.fNull == dcb.fNull && back.fAbortOnError == dcb.fAbortOnError,
        "flags without a termios counterpart stay");
    require(back.XonLim == dcb.XonLim && back.XoffLim == dcb.XoffLim &&
                back.ErrorChar == dcb.ErrorChar && back.EofChar == dcb.EofChar &&
                back.EvtChar == dcb.EvtChar,
            "limits and event characters stay");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::InputReader in(data, size);
    const DCB dcb = read_dcb(in);
    const termios start = read_termios(in);
    const bool pty = (in.byte() & 1u) != 0;

    const bool accepted = platform::comm::check_dcb(dcb) == ERROR_SUCCESS;
    require(accepted == rules_allow(dcb), "check_dcb refuses exactly what the rules forbid");
    if (accepted)
        check_round_trip(dcb, start, pty);
    return 0;
}
