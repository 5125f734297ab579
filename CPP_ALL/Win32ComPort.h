// Win32ComPort: the ComPort interface over a Win32 serial device opened for overlapped I/O.
#pragma once

#include "COMLINK.h"

#include "platform/windows.h"

// A serial port on "\\.\COM<index + 1>". The constructor claims the index, opens the device
// and applies 19200-N-8-1 with DTR and RTS raised; the outcome is in m_nLastError only.
// Operations built on other operations (GetChar on Read, PutChar on Write, Purge on GetChar,
// Close on Purge, LineState on SetBreak and ModemLine, ...) call them through the table of
// operations, so a derived class that replaces one changes the others too.
//
// A port without its records (a shell built with a non-zero skip flag, or an empty port whose
// allocation failed) reads and writes through no record: Open and the setters store (setters
// also return) CL_ERR_FAILED, GetLineSettings writes the unconfigured defaults 19200, 'N', 8, 1,
// Report writes only its queue line, and device calls go to a handle that names no device.
class Win32ComPort : public ComPort {
public:
    // nRxQueueSize and nTxQueueSize keep their low 16 bits. A non-zero nSkip builds a shell:
    // no records, no device, index 0. An index outside g_portOpenCount stores CL_ERR_HARDWARE
    // and opens nothing.
    Win32ComPort(int nPortIndex, unsigned nRxQueueSize, unsigned nTxQueueSize, int nSkip);
    // Closes the device only when this object holds the index's open count, the count is
    // exactly 1 and the DCB record exists; then releases the records.
    ~Win32ComPort() override;

    // Sleep(0); always 0.
    int Idle() override;
    // Gathers the device's pending CE_ bits into m_dwCommErrors.
    void PollStatus() override;
    // Claims m_nPortIndex, opens the device and applies the defaults; the argument is ignored.
    // Failures are stored in m_nLastError only.
    void Open(int nPortIndex) override;
    // CL_OK, or the code of MapLastError, stored.
    int OpenDevice() override;
    // Clears both queues, drops DTR then RTS and releases the handle, which then names no
    // device. CL_OK, or CL_ERR_CLOSE (stored) also when the port holds no device.
    int Close() override;
    // Fills all seven fields whatever the selector.
    void GetQueueStatus(QueueStatus* pStatus, int nSelector) override;
    // 0 keeps a size or the XOFF limit; XonLim becomes nRxSize / 4 even for 0. Clears both
    // queues before and after. CL_OK or the code of MapLastError, stored.
    int SetQueueSizes(unsigned nRxSize, unsigned nXoffLimit, unsigned nTxSize) override;
    // CL_OK, or a code: an invalid receive mode stores CL_ERR_BAD_HANDSHAKE and returns
    // CL_ERR_FAILED; the other failures store what they return. Modes are remembered on
    // success only.
    int SetHandshake(int nRxMode, int nTxMode) override;
    // The modes of the last successful SetHandshake; always CL_OK.
    int GetHandshake(int* pnRxMode, int* pnTxMode) override;
    // Negative: the current state. 1 starts a break, other values end it. The new state, or
    // CL_ERR_BREAK (stored).
    int SetBreak(int nState) override;
    // 0 or 1 for a line, 2 for an identifier that is not one; LINE_BREAK answers SetBreak.
    int LineState(int nLine, int nValue) override;
    // Checks parity letter, data bits, stop bits in that order; earlier edits stay in the
    // working DCB when a later check fails. CL_OK or a code, stored.
    int SetLineSettings(std::int32_t lBaud, char cParity, int nDataBits, int nStopBits) override;
    // From the working DCB, no device call; 1.5 stop bits read as 1.
    void GetLineSettings(std::int32_t* plBaud, char* pcParity, int* pnDataBits,
                         int* pnStopBits) override;
    // Fills all sixteen items and clears the gathered receive errors; always CL_OK.
    int GetLineStatus(LineStatusBlock* pBlock) override;
    // CL_OK, or m_nLastError when the byte was not queued.
    int PutChar(unsigned char c) override;
    // Bytes queued.
    int PutString(const char* pszText) override;
    // Queues what fits in the transmit queue without waiting; fewer than nCount stores
    // CL_ERR_SHORT_WRITE. Returns the count queued.
    int Write(const void* pData, std::uint32_t nCount) override;
    // CL_OK or CL_ERR_FAILED (not stored).
    int PutPriorityChar(unsigned char c) override;
    // 0 to 255, or CL_ERR_NO_DATA at once.
    int GetChar() override;
    // Takes only bytes already received; 0 to nCount, never negative, never stores a code.
    int Read(void* pBuffer, std::uint32_t nCount) override;
    // nWhich non-zero clears the transmit queue; 0 with nCount 0 the receive queue; otherwise
    // drains up to nCount bytes (unsigned) and answers CL_ERR_FAILED when the limit is hit.
    int Purge(int nWhich, int nCount) override;
    // Six lines to pfnSink, one 84-byte buffer reused for each.
    void Report(ReportSink pfnSink) override;

    // Non-zero on success, 0 on failure; the last error is not touched.
    virtual int SetEventChar(char cEvent);
    // 0, or the code of MapLastError, returned only.
    virtual int GetEventMask(DWORD* pdwMask);
    virtual int SetEventMask(DWORD dwMask);
    // Blocks until an event of the mask set with SetEventMask occurs.
    virtual int WaitEvent(DWORD* pdwMask);
    // Masks 1 and 2 answer m_nDtr and m_nRts; others read MS_ bits live: 1 if any is set.
    virtual int ModemLine(int nMask);
    // The library code for GetLastError(); stores nothing.
    virtual int MapLastError();

protected:
    DCB* m_pDcb = nullptr;
    OVERLAPPED* m_pReadOverlapped = nullptr;
    OVERLAPPED* m_pWriteOverlapped = nullptr;
    HANDLE m_hDevice = INVALID_HANDLE_VALUE;
    std::int32_t m_nRxHandshake = HANDSHAKE_NONE;
    std::int32_t m_nTxHandshake = HANDSHAKE_NONE;
    std::int32_t m_nRts = 0;
    std::int32_t m_nDtr = 0;
    std::uint16_t m_wBreak = 0;
    DWORD m_dwCommErrors = 0;
    DWORD m_nTxQueueSize = 0;
    DWORD m_nRxQueueSize = 0;

private:
    // ClearCommError into the locals; zero counts and no error bits when the call fails.
    // ORs the error word into m_dwCommErrors.
    void RefreshStatus(COMSTAT* pStat);
};

// One row of the parity table: the interface's letter and the DCB.Parity code.
struct ParityRow {
    char cLetter;
    BYTE bCode;
};
inline constexpr ParityRow g_parityTable[] = {
    {'N', NOPARITY}, {'O', ODDPARITY}, {'E', EVENPARITY}, {'M', MARKPARITY}, {'S', SPACEPARITY},
};
