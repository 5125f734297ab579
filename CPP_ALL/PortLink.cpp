// PortLink: timed reads and paced writes over a port, with the guards that restore its state.
#include "PortLink.h"

#include "HandshakeState.h"
#include "LineSettings.h"

#include "platform/windows.h"

#include <new>

namespace {

// Whether at least nTimeoutMs have passed since dwStart. Unsigned subtraction keeps this right
// across the wrap of the tick count; 0 or less has always passed.
bool TimeoutPassed(DWORD dwStart, int nTimeoutMs) {
    if (nTimeoutMs <= 0)
        return true;
    return GetTickCount() - dwStart >= static_cast<DWORD>(nTimeoutMs);
}

} // namespace

PortLink::PortLink(ComPort* pPort)
    : m_nCharDelay(0), m_pPort(pPort), m_pHandshake(nullptr), m_pSettings(nullptr) {
    if (m_pPort == nullptr || m_pPort->PeekLastError() != CL_OK)
        return;

    m_pSettings = new (std::nothrow) LineSettings(this);
    if (m_pSettings == nullptr) {
        if (m_pPort->PeekLastError() == CL_OK)
            m_pPort->m_nLastError = CL_ERR_NO_MEMORY;
        return;
    }
    m_pSettings->Set(9600, 'N', 8, 1);

    m_pHandshake = new (std::nothrow) HandshakeState(this);
    if (m_pHandshake == nullptr) {
        // The guards come as a pair: without the second, the first puts the settings back.
        delete m_pSettings;
        m_pSettings = nullptr;
        if (m_pPort->PeekLastError() == CL_OK)
            m_pPort->m_nLastError = CL_ERR_NO_MEMORY;
        return;
    }
    m_pPort->SetHandshake(HANDSHAKE_NONE, HANDSHAKE_NONE);
}

PortLink::~PortLink() {
    delete m_pHandshake;
    m_pHandshake = nullptr;
    delete m_pSettings;
    m_pSettings = nullptr;
}

int PortLink::ReadChar(int nTimeoutMs) {
    if (m_pPort == nullptr)
        return CL_ERR_FAILED;
    DWORD dwStart = GetTickCount();
    int c = m_pPort->GetChar();
    if (c >= 0)
        return c;
    for (;;) {
        if (TimeoutPassed(dwStart, nTimeoutMs))
            return CL_ERR_NO_DATA;
        int nIdle = m_pPort->Idle();
        if (nIdle < 0)
            return nIdle;
        c = m_pPort->GetChar();
        if (c >= 0)
            return c;
    }
}

int PortLink::WriteChar(unsigned char c) {
    if (m_pPort == nullptr)
        return CL_ERR_FAILED;
    int nResult = m_pPort->PutChar(c);
    if (m_nCharDelay == 0)
        return nResult;
    DWORD dwStart = GetTickCount();
    while (!TimeoutPassed(dwStart, m_nCharDelay)) {
        nResult = m_pPort->Idle();
        if (nResult < 0)
            return nResult;
    }
    return nResult;
}

int PortLink::Optional() {
    return CL_ERR_UNSUPPORTED;
}

int PortLink::Write(const void* pData, std::uint32_t nCount) {
    if (pData == nullptr || m_pPort == nullptr)
        return 0;
    return m_pPort->Write(pData, nCount);
}

int PortLink::Read(char* pBuffer, std::uint32_t nCount, int nTimeoutMs) {
    if (pBuffer == nullptr || m_pPort == nullptr)
        return 0;
    DWORD dwStart = GetTickCount();
    std::uint32_t nTotal = 0;
    std::uint32_t nRemaining = nCount;
    // A count outside 0..nRemaining would move the position out of the buffer.
    auto take = [&](int nRead) {
        std::uint32_t nTaken = nRead < 0 ? 0 : static_cast<std::uint32_t>(nRead);
        if (nTaken > nRemaining)
            nTaken = nRemaining;
        nTotal += nTaken;
        nRemaining -= nTaken;
    };
    take(m_pPort->Read(pBuffer, nRemaining));
    while (nRemaining != 0) {
        if (TimeoutPassed(dwStart, nTimeoutMs))
            break;
        int nIdle = m_pPort->Idle();
        if (nIdle < 0)
            return nIdle;
        take(m_pPort->Read(pBuffer + nTotal, nRemaining));
    }
    pBuffer[nTotal] = '\0';
    return static_cast<int>(nTotal);
}

int PortLink::RxCount() {
    if (m_pPort == nullptr)
        return 0;
    QueueStatus status{};
    m_pPort->GetQueueStatus(&status, 1);
    return status.nRxCount;
}

int PortLink::GetErrorFlags(LineErrorFlags* pFlags) {
    int nPending = m_pPort != nullptr ? m_pPort->TakeLastError() : CL_ERR_FAILED;
    if (pFlags != nullptr)
        *pFlags = 0;
    if (nPending != CL_OK)
        return nPending;
    // Without the guard there is no line status to read, and "no errors" would be a guess.
    if (m_pHandshake == nullptr)
        return CL_ERR_FAILED;

    m_pHandshake->Refresh();
    LineErrorFlags wFlags = 0;
    if (m_pHandshake->ParityError() != 0)
        wFlags |= LEF_PARITY_ERROR;
    if (m_pHandshake->FramingError() != 0)
        wFlags |= LEF_FRAMING_ERROR;
    if (m_pHandshake->RxOverflow() != 0)
        wFlags |= LEF_RX_OVERFLOW;
    if (m_pHandshake->Overrun() != 0)
        wFlags |= LEF_OVERRUN;
    if (m_pHandshake->BreakDetected() != 0)
        wFlags |= LEF_BREAK_DETECT;
    if (pFlags != nullptr)
        *pFlags = wFlags;
    return CL_OK;
}
