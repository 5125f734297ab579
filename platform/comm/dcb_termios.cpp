// Row tables for speeds, data bits and parity, and the DCB <-> termios mapping over them.
// What termios cannot hold stays in the handle's DCB copy; each such field is named below.
#include "platform/comm/dcb_termios.h"

#include <array>

namespace platform::tty {
namespace {

struct SpeedRow {
    DWORD rate;
    speed_t constant;
};

constexpr std::array k_speed_rows{
    SpeedRow{50, B50},           SpeedRow{75, B75},           SpeedRow{110, B110},
    SpeedRow{134, B134},         SpeedRow{150, B150},         SpeedRow{200, B200},
    SpeedRow{300, B300},         SpeedRow{600, B600},         SpeedRow{1200, B1200},
    SpeedRow{1800, B1800},       SpeedRow{2400, B2400},       SpeedRow{4800, B4800},
    SpeedRow{9600, B9600},       SpeedRow{19200, B19200},     SpeedRow{38400, B38400},
    SpeedRow{57600, B57600},     SpeedRow{115200, B115200},   SpeedRow{230400, B230400},
    SpeedRow{460800, B460800},   SpeedRow{500000, B500000},   SpeedRow{576000, B576000},
    SpeedRow{921600, B921600},   SpeedRow{1000000, B1000000}, SpeedRow{1152000, B1152000},
    SpeedRow{1500000, B1500000}, SpeedRow{2000000, B2000000}, SpeedRow{2500000, B2500000},
    SpeedRow{3000000, B3000000}, SpeedRow{3500000, B3500000}, SpeedRow{4000000, B4000000},
};

struct SizeRow {
    BYTE byte_size;
    tcflag_t bits;
};

constexpr std::array k_size_rows{
    SizeRow{5, CS5},
    SizeRow{6, CS6},
    SizeRow{7, CS7},
    SizeRow{8, CS8},
};

struct ParityRow {
    BYTE parity;
    tcflag_t bits;
};

// Mark and space parity are a fixed parity bit: CMSPAR with PARODD for 1, without for 0.
constexpr std::array k_parity_rows{
    ParityRow{NOPARITY, 0},
    ParityRow{ODDPARITY, PARENB | PARODD},
    ParityRow{EVENPARITY, PARENB},
    ParityRow{MARKPARITY, PARENB | CMSPAR | PARODD},
    ParityRow{SPACEPARITY, PARENB | CMSPAR},
};

constexpr tcflag_t k_parity_bits = PARENB | PARODD | CMSPAR;

} // namespace

bool standard_speed(DWORD rate, speed_t& constant) {
    for (const SpeedRow& row : k_speed_rows) {
        if (row.rate == rate) {
            constant = row.constant;
            return true;
        }
    }
    return false;
}

DWORD rate_of_speed(speed_t constant) {
    for (const SpeedRow& row : k_speed_rows) {
        if (row.constant == constant)
            return row.rate;
    }
    return 0;
}

void make_raw(termios& attributes) {
    attributes.c_iflag &= ~tcflag_t(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL |
                                    IXON | IXOFF | IXANY | IMAXBEL | IUCLC);
    attributes.c_oflag &= ~tcflag_t(OPOST);
    attributes.c_lflag &= ~tcflag_t(ECHO | ECHONL | ECHOE | ECHOK | ICANON | ISIG | IEXTEN);
    attributes.c_cflag |= CLOCAL | CREAD;
    attributes.c_cc[VMIN] = 0;
    attributes.c_cc[VTIME] = 0;
}

void dcb_to_termios(const DCB& dcb, termios& attributes) {
    make_raw(attributes);

    attributes.c_cflag &= ~tcflag_t(CSIZE | k_parity_bits | CSTOPB | CRTSCTS);
    for (const SizeRow& row : k_size_rows) {
        if (row.byte_size == dcb.ByteSize)
            attributes.c_cflag |= row.bits;
    }
    for (const ParityRow& row : k_parity_rows) {
        if (row.parity == dcb.Parity)
            attributes.c_cflag |= row.bits;
    }
    // One and a half stop bits exist only with 5 data bits, where the UART makes CSTOPB 1.5.
    if (dcb.StopBits == TWOSTOPBITS || dcb.StopBits == ONE5STOPBITS)
        attributes.c_cflag |= CSTOPB;

    // fParity asks for checking of received parity; errors are counted, bytes kept.
    attributes.c_iflag &= ~tcflag_t(INPCK);
    if (dcb.fParity != 0 && dcb.Parity != NOPARITY)
        attributes.c_iflag |= INPCK;

    // CRTSCTS covers both directions: CTS output flow and RTS input flow cannot be split.
    if (dcb.fOutxCtsFlow != 0 || dcb.fRtsControl == RTS_CONTROL_HANDSHAKE)
        attributes.c_cflag |= CRTSCTS;
    // DSR output flow, DTR handshake, DSR sensitivity and RTS toggle have no termios flag;
    // the DCB copy keeps them.

    if (dcb.fOutX != 0)
        attributes.c_iflag |= IXON;
    if (dcb.fInX != 0)
        attributes.c_iflag |= IXOFF;
    // XonLim/XoffLim are fixed inside the kernel's line discipline; fTXContinueOnXoff has no
    // counterpart. Both stay in the DCB copy.
    attributes.c_cc[VSTART] = static_cast<cc_t>(dcb.XonChar);
    attributes.c_cc[VSTOP] = static_cast<cc_t>(dcb.XoffChar);
    // fNull, fErrorChar/ErrorChar, EofChar and EvtChar change nothing in raw mode; kept in the DCB.
}

void termios_to_dcb(const termios& attributes, DCB& dcb) {
    for (const SizeRow& row : k_size_rows) {
        if (row.bits == (attributes.c_cflag & CSIZE))
            dcb.ByteSize = row.byte_size;
    }
    tcflag_t parity = attributes.c_cflag & k_parity_bits;
    if ((parity & PARENB) == 0)
        parity = 0;
    for (const ParityRow& row : k_parity_rows) {
        if (row.bits == parity)
            dcb.Parity = row.parity;
    }
    bool long_stop = (attributes.c_cflag & CSTOPB) != 0;
    dcb.StopBits = !long_stop ? ONESTOPBIT : (dcb.ByteSize == 5 ? ONE5STOPBITS : TWOSTOPBITS);
    dcb.fParity = (attributes.c_iflag & INPCK) != 0 ? 1 : 0;
    bool hardware_flow = (attributes.c_cflag & CRTSCTS) != 0;
    dcb.fOutxCtsFlow = hardware_flow ? 1 : 0;
    if (hardware_flow)
        dcb.fRtsControl = RTS_CONTROL_HANDSHAKE;
    else if (dcb.fRtsControl == RTS_CONTROL_HANDSHAKE)
        dcb.fRtsControl = RTS_CONTROL_ENABLE;
    dcb.fOutX = (attributes.c_iflag & IXON) != 0 ? 1 : 0;
    dcb.fInX = (attributes.c_iflag & IXOFF) != 0 ? 1 : 0;
    dcb.XonChar = static_cast<char>(attributes.c_cc[VSTART]);
    dcb.XoffChar = static_cast<char>(attributes.c_cc[VSTOP]);
}

} // namespace platform::tty
