// Win32ComPort data transfer, queues, the error refresh and the communication events.
#include "Win32ComPort.h"

#include <cstring>

void Win32ComPort::RefreshStatus(COMSTAT* pStat) {
    // A failing ClearCommError (no device, device gone) fills nothing: start from zero counts
    // and no error bits so that nothing is read uninitialised.
    DWORD dwErrors = 0;
    std::memset(pStat, 0, sizeof *pStat);
    if (!ClearCommError(m_hDevice, &dwErrors, pStat)) {
        std::memset(pStat, 0, sizeof *pStat);
        dwErrors = 0;
    }
    m_dwCommErrors |= dwErrors;
}

int Win32ComPort::Idle() {
    Sleep(0);
    return 0;
}

void Win32ComPort::PollStatus() {
    COMSTAT stat;
    RefreshStatus(&stat);
}

void Win32ComPort::GetQueueStatus(QueueStatus* pStatus, int) {
    COMSTAT stat;
    RefreshStatus(&stat);
    pStatus->nRxFilled = 1;
    pStatus->nRxCount = static_cast<std::int32_t>(stat.cbInQue);
    pStatus->nRxSize = static_cast<std::int32_t>(m_nRxQueueSize);
    pStatus->nTxFilled = 1;
    pStatus->nTxCount = static_cast<std::int32_t>(stat.cbOutQue);
    pStatus->nTxSize = static_cast<std::int32_t>(m_nTxQueueSize);
    std::uint16_t wFlags = 0;
    if (stat.fXoffSent)
        wFlags |= QS_BLOCK_SENT;
    if (stat.fCtsHold || stat.fDsrHold || stat.fXoffHold)
        wFlags |= QS_BLOCK_RECEIVED;
    pStatus->wBlockFlags = wFlags;
}

int Win32ComPort::SetQueueSizes(unsigned nRxSize, unsigned nXoffLimit, unsigned nTxSize) {
    if (m_pDcb == nullptr) {
        m_nLastError = CL_ERR_FAILED;
        return CL_ERR_FAILED;
    }
    Purge(0, 0);
    Purge(1, 0);
    if (nRxSize != 0)
        m_nRxQueueSize = nRxSize & 0xFFFFu;
    if (nTxSize != 0)
        m_nTxQueueSize = nTxSize & 0xFFFFu;
    m_pDcb->XonLim = static_cast<WORD>(nRxSize / 4);
    if (nXoffLimit != 0)
        m_pDcb->XoffLim = static_cast<WORD>(nXoffLimit);
    SetupComm(m_hDevice, m_nRxQueueSize, m_nTxQueueSize);
    Purge(0, 0);
    Purge(1, 0);
    if (!SetCommState(m_hDevice, m_pDcb)) {
        int nError = MapLastError();
        m_nLastError = nError;
        return nError;
    }
    return CL_OK;
}

int Win32ComPort::PutChar(unsigned char c) {
    if (Write(&c, 1) == 1)
        return CL_OK;
    return m_nLastError;
}

int Win32ComPort::PutString(const char* pszText) {
    // A null text queues nothing rather than being read.
    std::uint32_t nLength =
        pszText != nullptr ? static_cast<std::uint32_t>(std::strlen(pszText)) : 0;
    return Write(pszText, nLength);
}

int Win32ComPort::Write(const void* pData, std::uint32_t nCount) {
    COMSTAT stat;
    RefreshStatus(&stat);
    DWORD dwFree = stat.cbOutQue >= m_nTxQueueSize ? 0 : m_nTxQueueSize - stat.cbOutQue;
    DWORD dwToWrite = nCount < dwFree ? nCount : dwFree;

    DWORD dwWritten = 0;
    DWORD dwResult;
    if (WriteFile(m_hDevice, pData, dwToWrite, &dwWritten, m_pWriteOverlapped)) {
        dwResult = dwWritten;
    } else if (GetLastError() == ERROR_IO_PENDING) {
        // Handed over and on its way: counts as queued, not waited for.
        dwResult = dwToWrite;
    } else {
        dwResult = dwWritten;
        RefreshStatus(&stat);
    }
    if (dwResult < nCount)
        m_nLastError = CL_ERR_SHORT_WRITE;
    return static_cast<int>(dwResult);
}

int Win32ComPort::PutPriorityChar(unsigned char c) {
    if (TransmitCommChar(m_hDevice, static_cast<char>(c)))
        return CL_OK;
    return CL_ERR_FAILED;
}

int Win32ComPort::GetChar() {
    unsigned char c = 0;
    if (Read(&c, 1) == 1)
        return c;
    return CL_ERR_NO_DATA;
}

int Win32ComPort::Read(void* pBuffer, std::uint32_t nCount) {
    DWORD dwRead = 0;
    COMSTAT stat;
    RefreshStatus(&stat);
    if (stat.cbInQue == 0)
        return 0;
    DWORD dwToRead = nCount < stat.cbInQue ? nCount : stat.cbInQue;
    if (!ReadFile(m_hDevice, pBuffer, dwToRead, &dwRead, m_pReadOverlapped) &&
        GetLastError() != ERROR_IO_PENDING)
        RefreshStatus(&stat);
    // Reads never overlap: an unfinished one is waited for here.
    if (dwRead < dwToRead)
        GetOverlappedResult(m_hDevice, m_pReadOverlapped, &dwRead, TRUE);
    return static_cast<int>(dwRead);
}

int Win32ComPort::Purge(int nWhich, int nCount) {
    if (nWhich != 0) {
        PurgeComm(m_hDevice, PURGE_TXCLEAR);
        return CL_OK;
    }
    if (nCount == 0) {
        PurgeComm(m_hDevice, PURGE_RXCLEAR);
        return CL_OK;
    }
    // Counted down unsigned: -1 allows 4294967295 bytes.
    std::uint32_t nLeft = static_cast<std::uint32_t>(nCount);
    for (;;) {
        if (GetChar() == CL_ERR_NO_DATA)
            return CL_OK;
        if (--nLeft == 0)
            return CL_ERR_FAILED;
    }
}

int Win32ComPort::SetEventChar(char cEvent) {
    if (m_pDcb == nullptr)
        return 0;
    GetCommState(m_hDevice, m_pDcb);
    m_pDcb->EvtChar = cEvent;
    return SetCommState(m_hDevice, m_pDcb);
}

int Win32ComPort::GetEventMask(DWORD* pdwMask) {
    if (GetCommMask(m_hDevice, pdwMask))
        return CL_OK;
    return MapLastError();
}

int Win32ComPort::SetEventMask(DWORD dwMask) {
    if (SetCommMask(m_hDevice, dwMask))
        return CL_OK;
    return MapLastError();
}

int Win32ComPort::WaitEvent(DWORD* pdwMask) {
    if (WaitCommEvent(m_hDevice, pdwMask, nullptr))
        return CL_OK;
    return MapLastError();
}
