// Win32ComPort construction, opening with the default line state, closing and destruction.
#include "Win32ComPort.h"

// Room for "\\.\COM" and any int in decimal.
static const unsigned kDeviceNameSize = 32;

Win32ComPort::Win32ComPort(int nPortIndex, unsigned nRxQueueSize, unsigned nTxQueueSize,
                           int nSkip) {
    if (nSkip != 0)
        return;

    m_pDcb = static_cast<DCB*>(AllocZeroed(sizeof(DCB)));
    if (m_pDcb != nullptr)
        m_pReadOverlapped = static_cast<OVERLAPPED*>(AllocZeroed(sizeof(OVERLAPPED)));
    if (m_pReadOverlapped != nullptr)
        m_pWriteOverlapped = static_cast<OVERLAPPED*>(AllocZeroed(sizeof(OVERLAPPED)));
    if (m_pWriteOverlapped == nullptr) {
        FreeBlock(m_pReadOverlapped);
        FreeBlock(m_pDcb);
        m_pReadOverlapped = nullptr;
        m_pDcb = nullptr;
        m_nLastError = CL_ERR_NO_MEMORY;
        return;
    }

    m_nTxQueueSize = nTxQueueSize & 0xFFFFu;
    m_nRxQueueSize = nRxQueueSize & 0xFFFFu;
    m_nLastError = CL_OK;
    m_nPortIndex = nPortIndex;
    m_nRxHandshake = HANDSHAKE_NONE;
    m_nTxHandshake = HANDSHAKE_NONE;
    m_nDtr = 1;
    m_nRts = 1;
    m_wBreak = 0;
    m_dwCommErrors = 0;

    Win32ComPort::Open(nPortIndex);

    LineState(LINE_DTR, 1);
    LineState(LINE_RTS, 1);
}

Win32ComPort::~Win32ComPort() {
    // Only the object that raised the count closes the device; a port refused with
    // CL_ERR_IN_USE, a shell or an empty port leaves the holder's device alone.
    if (m_pDcb != nullptr && HoldsOpenCount() && HeldOpenCount() == 1)
        Win32ComPort::Close();
    FreeBlock(m_pReadOverlapped);
    FreeBlock(m_pWriteOverlapped);
    FreeBlock(m_pDcb);
}

void Win32ComPort::Open(int) {
    // The table has no entry for this index: nothing can be claimed, so nothing is opened.
    if (!PortIndexInTable(m_nPortIndex)) {
        m_nLastError = CL_ERR_HARDWARE;
        return;
    }
    // A shell or empty port has no record to configure the device with.
    if (m_pDcb == nullptr) {
        m_nLastError = CL_ERR_FAILED;
        return;
    }
    if (g_portOpenCount[m_nPortIndex] != 0) {
        m_nLastError = CL_ERR_IN_USE;
        return;
    }
    if (OpenDevice() != CL_OK)
        return;
    RaiseOpenCount();

    SetupComm(m_hDevice, m_nRxQueueSize, m_nTxQueueSize);
    SetCommMask(m_hDevice, 0);

    GetCommState(m_hDevice, m_pDcb);
    m_pDcb->BaudRate = CBR_19200;
    m_pDcb->ByteSize = 8;
    m_pDcb->Parity = NOPARITY;
    m_pDcb->StopBits = ONESTOPBIT;
    m_pDcb->fBinary = 1;
    m_pDcb->fOutxCtsFlow = 0;
    m_pDcb->fOutxDsrFlow = 0;
    m_pDcb->fDtrControl = DTR_CONTROL_ENABLE;
    m_pDcb->fRtsControl = RTS_CONTROL_DISABLE;
    m_pDcb->fNull = 0;
    m_pDcb->XonChar = 0x11;
    m_pDcb->XoffChar = 0x13;
    m_pDcb->EofChar = 0;
    m_pDcb->EvtChar = 0;
    m_pDcb->XonLim = static_cast<WORD>(m_nRxQueueSize / 4);
    m_pDcb->XoffLim = 128;

    // Reads return at once with what has arrived; writes have no total time-out.
    COMMTIMEOUTS timeouts = {MAXDWORD, 0, 0, 0, 0};
    SetCommTimeouts(m_hDevice, &timeouts);

    // The device stays open and counted on failure, so destruction still closes it.
    if (!SetCommState(m_hDevice, m_pDcb))
        m_nLastError = MapLastError();
}

int Win32ComPort::OpenDevice() {
    // Only indices of the open-count table name a device; index + 1 cannot overflow then.
    if (!PortIndexInTable(m_nPortIndex)) {
        m_nLastError = CL_ERR_HARDWARE;
        return CL_ERR_HARDWARE;
    }
    char* pszName = static_cast<char*>(AllocZeroed(kDeviceNameSize));
    if (pszName == nullptr) {
        m_nLastError = CL_ERR_NO_MEMORY;
        return CL_ERR_NO_MEMORY;
    }
    wsprintfA(pszName, "\\\\.\\COM%d", m_nPortIndex + 1);
    HANDLE hDevice = CreateFileA(pszName, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_OVERLAPPED, nullptr);
    FreeBlock(pszName);
    if (hDevice == INVALID_HANDLE_VALUE) {
        int nError = MapLastError();
        m_nLastError = nError;
        return nError;
    }
    m_hDevice = hDevice;
    return CL_OK;
}

int Win32ComPort::Close() {
    Purge(0, 0);
    Purge(1, 0);
    EscapeCommFunction(m_hDevice, CLRDTR);
    EscapeCommFunction(m_hDevice, CLRRTS);
    BOOL bClosed = CloseHandle(m_hDevice);
    // The handle is given up either way, so a second Close reaches no device and never
    // releases a handle that has since been given to someone else.
    m_hDevice = INVALID_HANDLE_VALUE;
    if (!bClosed) {
        m_nLastError = CL_ERR_CLOSE;
        return CL_ERR_CLOSE;
    }
    return CL_OK;
}
