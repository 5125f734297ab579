// DCB -> termios on the tty driver: what each DCB reaches in the termios the other side of a
// pty reads back, what the mapping writes for fields a pty cannot keep, and refused DCBs.
#include "mapped_pty.h"
#include "platform/comm/dcb_termios.h"
#include "platform/comm/termios2_speed.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <termios.h>
#include <unistd.h>

namespace platform::comm {
namespace {

using test_support::MappedPty;

struct LineCase {
    const char* name;
    std::function<void(DCB&)> edit;
    tcflag_t cflag_mask;
    tcflag_t cflag_expected;
    tcflag_t iflag_mask;
    tcflag_t iflag_expected;
    unsigned speed;
};

// Bits a pty keeps (it forces CS8 and clears PARENB, so those are checked on the mapping).
constexpr tcflag_t k_kept = PARODD | CMSPAR | CSTOPB | CRTSCTS;

const LineCase k_line_cases[] = {
    {"standard_9600_8N1", [](DCB& d) { d.BaudRate = 9600; }, k_kept, 0, IXON | IXOFF, 0, 9600},
    {"standard_115200", [](DCB& d) { d.BaudRate = 115200; }, 0, 0, 0, 0, 115200},
    {"odd_rate_250000_via_termios2", [](DCB& d) { d.BaudRate = 250000; }, 0, 0, 0, 0, 250000},
    {"odd_rate_31250", [](DCB& d) { d.BaudRate = 31250; }, 0, 0, 0, 0, 31250},
    {"two_stop_bits", [](DCB& d) { d.StopBits = TWOSTOPBITS; }, CSTOPB, CSTOPB, 0, 0, 9600},
    {"one_and_a_half_with_5_bits",
     [](DCB& d) {
         d.ByteSize = 5;
         d.StopBits = ONE5STOPBITS;
     },
     CSTOPB, CSTOPB, 0, 0, 9600},
    {"odd_parity", [](DCB& d) { d.Parity = ODDPARITY; }, PARODD | CMSPAR, PARODD, 0, 0, 9600},
    {"mark_parity", [](DCB& d) { d.Parity = MARKPARITY; }, PARODD | CMSPAR, PARODD | CMSPAR, 0, 0,
     9600},
    {"space_parity", [](DCB& d) { d.Parity = SPACEPARITY; }, PARODD | CMSPAR, CMSPAR, 0, 0, 9600},
    {"parity_check",
     [](DCB& d) {
         d.Parity = EVENPARITY;
         d.fParity = 1;
     },
     0, 0, INPCK, INPCK, 9600},
    {"cts_flow", [](DCB& d) { d.fOutxCtsFlow = 1; }, CRTSCTS, CRTSCTS, 0, 0, 9600},
    {"rts_handshake", [](DCB& d) { d.fRtsControl = RTS_CONTROL_HANDSHAKE; }, CRTSCTS, CRTSCTS, 0, 0,
     9600},
    {"xon_xoff_both_ways",
     [](DCB& d) {
         d.fOutX = 1;
         d.fInX = 1;
     },
     CRTSCTS, 0, IXON | IXOFF, IXON | IXOFF, 9600},
    {"xon_out_only", [](DCB& d) { d.fOutX = 1; }, 0, 0, IXON | IXOFF, IXON, 9600},
};

void PrintTo(const LineCase& row, std::ostream* out) {
    *out << row.name;
}

class PtyLineSettings : public ::testing::TestWithParam<LineCase> {};

TEST_P(PtyLineSettings, ReachesTheTermiosTheOtherSideReads) {
    const LineCase& row = GetParam();
    MappedPty pty(21);
    HANDLE handle = pty.open();
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    DCB dcb{};
    ASSERT_TRUE(GetCommState(handle, &dcb));
    dcb.BaudRate = 9600;
    row.edit(dcb);
    ASSERT_TRUE(SetCommState(handle, &dcb)) << GetLastError();

    termios seen{};
    ASSERT_EQ(tcgetattr(pty.slave(), &seen), 0);
    EXPECT_EQ(seen.c_cflag & row.cflag_mask, row.cflag_expected);
    EXPECT_EQ(seen.c_iflag & row.iflag_mask, row.iflag_expected);
    EXPECT_EQ(seen.c_lflag & (ICANON | ECHO | ISIG), 0u) << "raw mode";
    EXPECT_EQ(seen.c_oflag & OPOST, 0u);
    EXPECT_EQ(seen.c_cflag & (CLOCAL | CREAD), tcflag_t(CLOCAL | CREAD));
    EXPECT_EQ(seen.c_cc[VMIN], 0);
    EXPECT_EQ(seen.c_cc[VTIME], 0);
    unsigned output_rate = 0;
    unsigned input_rate = 0;
    ASSERT_TRUE(tty::get_speeds(pty.slave(), output_rate, input_rate).ok());
    EXPECT_EQ(output_rate, row.speed);
    EXPECT_EQ(input_rate, row.speed);

    DCB back{};
    ASSERT_TRUE(GetCommState(handle, &back));
    EXPECT_EQ(std::memcmp(&back, &dcb, sizeof dcb), 0) << "GetCommState gives back what was set";
    CloseHandle(handle);
}

INSTANTIATE_TEST_SUITE_P(Cases, PtyLineSettings, ::testing::ValuesIn(k_line_cases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PtyLineSettings, XonAndXoffCharactersReachStartAndStop) {
    MappedPty pty(22);
    HANDLE handle = pty.open();
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    DCB dcb{};
    ASSERT_TRUE(GetCommState(handle, &dcb));
    dcb.fOutX = 1;
    dcb.XonChar = 'Q';
    dcb.XoffChar = 'S';
    ASSERT_TRUE(SetCommState(handle, &dcb));
    termios seen{};
    ASSERT_EQ(tcgetattr(pty.slave(), &seen), 0);
    EXPECT_EQ(seen.c_cc[VSTART], 'Q');
    EXPECT_EQ(seen.c_cc[VSTOP], 'S');
    CloseHandle(handle);
}

TEST(PtyLineSettings, FieldsLinuxCannotHoldComeBackAsSet) {
    MappedPty pty(23);
    HANDLE handle = pty.open();
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    DCB dcb{};
    ASSERT_TRUE(GetCommState(handle, &dcb));
    dcb.ByteSize = 7;
    dcb.Parity = EVENPARITY;
    dcb.fOutxDsrFlow = 1;
    dcb.fDtrControl = DTR_CONTROL_HANDSHAKE;
    dcb.fDsrSensitivity = 1;
    dcb.fNull = 1;
    dcb.XonLim = 1024;
    dcb.XoffLim = 128;
    dcb.EvtChar = '\x7e';
    dcb.EofChar = '\x1a';
    ASSERT_TRUE(SetCommState(handle, &dcb)) << GetLastError();
    DCB back{};
    ASSERT_TRUE(GetCommState(handle, &back));
    EXPECT_EQ(std::memcmp(&back, &dcb, sizeof dcb), 0);
    CloseHandle(handle);
}

struct RefusedCase {
    const char* name;
    std::function<void(DCB&)> edit;
};

const RefusedCase k_refused_cases[] = {
    {"byte_size_4", [](DCB& d) { d.ByteSize = 4; }},
    {"byte_size_9", [](DCB& d) { d.ByteSize = 9; }},
    {"baud_0", [](DCB& d) { d.BaudRate = 0; }},
    {"one_and_a_half_with_8_bits", [](DCB& d) { d.StopBits = ONE5STOPBITS; }},
    {"two_stop_bits_with_5_bits",
     [](DCB& d) {
         d.ByteSize = 5;
         d.StopBits = TWOSTOPBITS;
     }},
    {"parity_code_5", [](DCB& d) { d.Parity = 5; }},
    {"stop_code_3", [](DCB& d) { d.StopBits = 3; }},
    {"xon_equals_xoff",
     [](DCB& d) {
         d.fInX = 1;
         d.XonChar = d.XoffChar;
     }},
};

void PrintTo(const RefusedCase& row, std::ostream* out) {
    *out << row.name;
}

class RefusedDcb : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedDcb, FailsWithInvalidParameterAndChangesNothing) {
    MappedPty pty(24);
    HANDLE handle = pty.open();
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    DCB before{};
    ASSERT_TRUE(GetCommState(handle, &before));
    termios seen_before{};
    ASSERT_EQ(tcgetattr(pty.slave(), &seen_before), 0);

    DCB dcb = before;
    GetParam().edit(dcb);
    EXPECT_FALSE(SetCommState(handle, &dcb));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);

    DCB after{};
    ASSERT_TRUE(GetCommState(handle, &after));
    EXPECT_EQ(std::memcmp(&after, &before, sizeof before), 0);
    termios seen_after{};
    ASSERT_EQ(tcgetattr(pty.slave(), &seen_after), 0);
    EXPECT_EQ(seen_after.c_cflag, seen_before.c_cflag);
    CloseHandle(handle);
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusedDcb, ::testing::ValuesIn(k_refused_cases),
                         [](const auto& info) { return std::string(info.param.name); });

struct FormatCase {
    const char* name;
    BYTE byte_size;
    BYTE parity;
    tcflag_t expected;
};

// Character size and parity enable, which a pty does not keep, checked on the mapping itself.
const FormatCase k_format_cases[] = {
    {"5N", 5, NOPARITY, CS5},
    {"6E", 6, EVENPARITY, CS6 | PARENB},
    {"7O", 7, ODDPARITY, CS7 | PARENB | PARODD},
    {"8M", 8, MARKPARITY, CS8 | PARENB | PARODD | CMSPAR},
    {"8S", 8, SPACEPARITY, CS8 | PARENB | CMSPAR},
};

void PrintTo(const FormatCase& row, std::ostream* out) {
    *out << row.name;
}

class FormatMapping : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatMapping, WritesSizeAndParityAndReadsThemBack) {
    const FormatCase& row = GetParam();
    DCB dcb{};
    dcb.ByteSize = row.byte_size;
    dcb.Parity = row.parity;
    termios attributes{};
    attributes.c_cflag = CS8 | PARENB | PARODD | CMSPAR;
    tty::dcb_to_termios(dcb, attributes);
    EXPECT_EQ(attributes.c_cflag & (CSIZE | PARENB | PARODD | CMSPAR), row.expected);

    DCB back{};
    tty::termios_to_dcb(attributes, back);
    EXPECT_EQ(back.ByteSize, row.byte_size);
    EXPECT_EQ(back.Parity, row.parity);
}

INSTANTIATE_TEST_SUITE_P(Cases, FormatMapping, ::testing::ValuesIn(k_format_cases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace platform::comm
