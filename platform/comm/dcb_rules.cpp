// DCB defaults and the checks SetCommState makes before a driver applies the record.
#include "platform/comm/dcb_rules.h"

#include "platform/win_errors.h"

namespace platform::comm {

DCB default_dcb() {
    DCB dcb{};
    dcb.DCBlength = sizeof(DCB);
    dcb.BaudRate = CBR_9600;
    dcb.fBinary = 1;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    dcb.fTXContinueOnXoff = 1;
    dcb.XonLim = 2048;
    dcb.XoffLim = 512;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.XonChar = 0x11;
    dcb.XoffChar = 0x13;
    return dcb;
}

DWORD check_dcb(const DCB& dcb) {
    bool valid = dcb.BaudRate != 0 && dcb.ByteSize >= 5 && dcb.ByteSize <= 8 &&
                 dcb.Parity <= SPACEPARITY && dcb.StopBits <= TWOSTOPBITS &&
                 (dcb.StopBits != ONE5STOPBITS || dcb.ByteSize == 5) &&
                 // CSTOPB with CS5 means one and a half stop bits, so two cannot be had.
                 (dcb.StopBits != TWOSTOPBITS || dcb.ByteSize != 5) &&
                 dcb.fDtrControl <= DTR_CONTROL_HANDSHAKE;
    bool software_flow = dcb.fOutX != 0 || dcb.fInX != 0;
    if (software_flow && dcb.XonChar == dcb.XoffChar)
        valid = false;
    return valid ? ERROR_SUCCESS : ERROR_INVALID_PARAMETER;
}

} // namespace platform::comm
