// Win32ComPort line control: handshake, break, DTR and RTS, modem inputs, line settings and
// the packed line status.
#include "Win32ComPort.h"

int Win32ComPort::SetHandshake(int nRxMode, int nTxMode) {
    if (m_pDcb == nullptr) {
        m_nLastError = CL_ERR_FAILED;
        return CL_ERR_FAILED;
    }
    DCB& dcb = *m_pDcb;
    dcb.fInX = 0;
    dcb.fOutX = 0;
    if (dcb.fRtsControl == RTS_CONTROL_HANDSHAKE)
        dcb.fRtsControl = RTS_CONTROL_ENABLE;
    if (dcb.fDtrControl == DTR_CONTROL_HANDSHAKE)
        dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fOutxCtsFlow = 0;
    dcb.fOutxDsrFlow = 0;

    switch (nRxMode) {
    case HANDSHAKE_NONE:
        break;
    case LINE_XONXOFF:
        dcb.fInX = 1;
        break;
    case LINE_DTR:
        dcb.fDtrControl = DTR_CONTROL_HANDSHAKE;
        break;
    case LINE_RTS:
        dcb.fRtsControl = RTS_CONTROL_HANDSHAKE;
        break;
    case LINE_DSR:
        m_nLastError = CL_ERR_UNSUPPORTED;
        return CL_ERR_UNSUPPORTED;
    default:
        m_nLastError = CL_ERR_BAD_HANDSHAKE;
        return CL_ERR_FAILED;
    }

    switch (nTxMode) {
    case HANDSHAKE_NONE:
        break;
    case LINE_XONXOFF:
        dcb.fOutX = 1;
        break;
    case LINE_CTS:
        dcb.fOutxCtsFlow = 1;
        break;
    case LINE_DSR:
        dcb.fOutxDsrFlow = 1;
        break;
    case LINE_CD:
        m_nLastError = CL_ERR_UNSUPPORTED;
        return CL_ERR_UNSUPPORTED;
    default:
        m_nLastError = CL_ERR_BAD_PARAMETER;
        return CL_ERR_BAD_PARAMETER;
    }

    if (!SetCommState(m_hDevice, m_pDcb)) {
        int nError = MapLastError();
        m_nLastError = nError;
        return nError;
    }
    m_nRxHandshake = nRxMode;
    m_nTxHandshake = nTxMode;
    return CL_OK;
}

int Win32ComPort::GetHandshake(int* pnRxMode, int* pnTxMode) {
    *pnRxMode = m_nRxHandshake;
    *pnTxMode = m_nTxHandshake;
    return CL_OK;
}

int Win32ComPort::SetBreak(int nState) {
    if (nState < 0)
        return m_wBreak;
    BOOL bDone = nState == 1 ? SetCommBreak(m_hDevice) : ClearCommBreak(m_hDevice);
    if (!bDone) {
        m_nLastError = CL_ERR_BREAK;
        return CL_ERR_BREAK;
    }
    m_wBreak = static_cast<std::uint16_t>(nState);
    return m_wBreak;
}

int Win32ComPort::LineState(int nLine, int nValue) {
    if (nLine == LINE_BREAK)
        return SetBreak(nValue);

    // The new control value waits in the working DCB for the next operation that sends it.
    if (nLine == LINE_DTR && nValue != -1) {
        m_nDtr = nValue != 0 ? 1 : 0;
        if (m_pDcb != nullptr)
            m_pDcb->fDtrControl = nValue != 0 ? DTR_CONTROL_ENABLE : DTR_CONTROL_DISABLE;
        EscapeCommFunction(m_hDevice, nValue != 0 ? SETDTR : CLRDTR);
    } else if (nLine == LINE_RTS && nValue != -1) {
        m_nRts = nValue != 0 ? 1 : 0;
        if (m_pDcb != nullptr)
            m_pDcb->fRtsControl = nValue != 0 ? RTS_CONTROL_ENABLE : RTS_CONTROL_DISABLE;
        EscapeCommFunction(m_hDevice, nValue != 0 ? SETRTS : CLRRTS);
    }

    switch (nLine) {
    case LINE_DTR:
        return ModemLine(1);
    case LINE_RTS:
        return ModemLine(2);
    case LINE_CTS:
        return ModemLine(MS_CTS_ON);
    case LINE_DSR:
        return ModemLine(MS_DSR_ON);
    case LINE_RI:
        return ModemLine(MS_RING_ON);
    case LINE_CD:
        return ModemLine(MS_RLSD_ON);
    case LINE_ITEM17:
    case LINE_ITEM18:
    case LINE_ITEM19:
    case LINE_ITEM20:
        return 0;
    case LINE_OVERRUN:
        return (m_dwCommErrors & CE_OVERRUN) != 0 ? 1 : 0;
    case LINE_PARITY_ERROR:
        return (m_dwCommErrors & CE_RXPARITY) != 0 ? 1 : 0;
    case LINE_FRAMING_ERROR:
        return (m_dwCommErrors & CE_FRAME) != 0 ? 1 : 0;
    case LINE_BREAK_DETECT:
        return (m_dwCommErrors & CE_BREAK) != 0 ? 1 : 0;
    case LINE_RX_OVERFLOW:
        return (m_dwCommErrors & CE_RXOVER) != 0 ? 1 : 0;
    default:
        return 2;
    }
}

int Win32ComPort::ModemLine(int nMask) {
    if (nMask == 1)
        return m_nDtr;
    if (nMask == 2)
        return m_nRts;
    // A failed read leaves no bits set rather than whatever the word held.
    DWORD dwStatus = 0;
    if (!GetCommModemStatus(m_hDevice, &dwStatus))
        dwStatus = 0;
    return (dwStatus & static_cast<DWORD>(nMask)) != 0 ? 1 : 0;
}

int Win32ComPort::SetLineSettings(std::int32_t lBaud, char cParity, int nDataBits, int nStopBits) {
    if (m_pDcb == nullptr) {
        m_nLastError = CL_ERR_FAILED;
        return CL_ERR_FAILED;
    }
    const ParityRow* pRow = nullptr;
    for (const ParityRow& row : g_parityTable) {
        if (row.cLetter == cParity) {
            pRow = &row;
            break;
        }
    }
    if (pRow == nullptr) {
        m_nLastError = CL_ERR_BAD_PARITY;
        return CL_ERR_BAD_PARITY;
    }
    m_pDcb->Parity = pRow->bCode;
    m_pDcb->BaudRate = static_cast<DWORD>(lBaud);

    if (nDataBits < 4 || nDataBits > 8) {
        m_nLastError = CL_ERR_BAD_DATABITS;
        return CL_ERR_BAD_DATABITS;
    }
    m_pDcb->ByteSize = static_cast<BYTE>(nDataBits);

    if (nStopBits < 1 || nStopBits > 2) {
        m_nLastError = CL_ERR_BAD_STOPBITS;
        return CL_ERR_BAD_STOPBITS;
    }
    if (nDataBits == 5)
        m_pDcb->StopBits = ONE5STOPBITS;
    else
        m_pDcb->StopBits = nStopBits == 2 ? TWOSTOPBITS : ONESTOPBIT;

    if (!SetCommState(m_hDevice, m_pDcb)) {
        int nError = MapLastError();
        m_nLastError = nError;
        return nError;
    }
    return CL_OK;
}

void Win32ComPort::GetLineSettings(std::int32_t* plBaud, char* pcParity, int* pnDataBits,
                                   int* pnStopBits) {
    // Without a record the port reports the line it would configure when opened.
    if (m_pDcb == nullptr) {
        *plBaud = static_cast<std::int32_t>(CBR_19200);
        *pcParity = 'N';
        *pnDataBits = 8;
        *pnStopBits = 1;
        return;
    }
    *plBaud = static_cast<std::int32_t>(m_pDcb->BaudRate);
    *pnDataBits = m_pDcb->ByteSize;
    *pnStopBits = m_pDcb->StopBits == TWOSTOPBITS ? 2 : 1;
    // Only table codes ever reach the record; an unknown one reads as no parity.
    *pcParity = 'N';
    for (const ParityRow& row : g_parityTable) {
        if (row.bCode == m_pDcb->Parity) {
            *pcParity = row.cLetter;
            break;
        }
    }
}

int Win32ComPort::GetLineStatus(LineStatusBlock* pBlock) {
    PollStatus();
    for (const LineStatusItemPlace& item : g_lineStatusLayout) {
        int nAnswer = LineState(item.nLine, -1) & 3;
        std::uint8_t& byte = pBlock->bytes[item.nByte];
        byte = static_cast<std::uint8_t>((byte & ~(3 << item.nShift)) | (nAnswer << item.nShift));
    }
    m_dwCommErrors = 0;
    return CL_OK;
}
