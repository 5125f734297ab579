// COMLINK: the abstract serial port, its records and the library-wide helpers.
#pragma once

#include "ComLinkCodes.h"

#include <cstdint>

// Filled by GetQueueStatus.
struct QueueStatus {
    std::int32_t nRxFilled;    // 1 when the receive fields below are filled
    std::int32_t nRxCount;     // bytes received and waiting to be read
    std::int32_t nRxSize;      // size of the receive queue
    std::int32_t nTxFilled;    // 1 when the transmit fields below are filled
    std::int32_t nTxCount;     // bytes queued and not yet sent
    std::int32_t nTxSize;      // size of the transmit queue
    std::uint16_t wBlockFlags; // bit 0: XOFF sent (peer held); bit 1: own transmission held
};

#define QS_BLOCK_SENT 0x0001
#define QS_BLOCK_RECEIVED 0x0002

// Sixteen 2-bit items, LineState answers cut to two bits (0 off, 1 on, 2 not served).
//   byte 0: DTR, RTS, BREAK, DSR        byte 1: CTS, RI, CD, ITEM20
//   byte 2: ITEM19, ITEM17, ITEM18, BREAK_DETECT
//   byte 3: PARITY_ERROR, FRAMING_ERROR, RX_OVERFLOW, OVERRUN   (bits 0-1 first)
struct LineStatusBlock {
    std::uint8_t bytes[4];
};

// Where each item of a LineStatusBlock lies, in the order GetLineStatus asks for them.
struct LineStatusItemPlace {
    int nLine;
    int nByte;
    int nShift;
};
inline constexpr LineStatusItemPlace g_lineStatusLayout[16] = {
    {LINE_DTR, 0, 0},          {LINE_RTS, 0, 2},           {LINE_BREAK, 0, 4},
    {LINE_DSR, 0, 6},          {LINE_CTS, 1, 0},           {LINE_RI, 1, 2},
    {LINE_CD, 1, 4},           {LINE_ITEM20, 1, 6},        {LINE_ITEM19, 2, 0},
    {LINE_ITEM17, 2, 2},       {LINE_ITEM18, 2, 4},        {LINE_BREAK_DETECT, 2, 6},
    {LINE_PARITY_ERROR, 3, 0}, {LINE_FRAMING_ERROR, 3, 2}, {LINE_RX_OVERFLOW, 3, 4},
    {LINE_OVERRUN, 3, 6},
};

// Receives one zero-terminated line of Report; the buffer is reused for the next line.
typedef void (*ReportSink)(const char* line);

// Number of entries in g_portOpenCount; indices outside 0..COMLINK_MAX_PORTS-1 are never
// read or written.
#define COMLINK_MAX_PORTS 256

// Open counts per port index, shared by all port objects of the process.
extern std::uint16_t g_portOpenCount[COMLINK_MAX_PORTS];

inline bool PortIndexInTable(int nIndex) {
    return nIndex >= 0 && nIndex < COMLINK_MAX_PORTS;
}

// Shows "Pure Virtual function called @<path>,<line>" under "Library Error" and ends the
// process with exit code 1. Does not return.
[[noreturn]] void ReportUnimplemented(const char* pszSource, int nLine);

// Zero-filled block of nSize bytes, or null (nothing written) when the heap is exhausted.
void* AllocZeroed(unsigned nSize);
// Releases a block of AllocZeroed; null is ignored.
void FreeBlock(void* pBlock);

// The abstract serial port. Every operation has a body: 22 report themselves as unimplemented
// and end the process, OptionalA and OptionalB answer CL_ERR_UNSUPPORTED. Failing operations
// store their code in m_nLastError, which no success clears; only TakeLastError does.
class ComPort {
public:
    ComPort();
    // Lowers by one the open count this object raised (see RaiseOpenCount), at the index it
    // raised even if m_nPortIndex changed since; never below zero, never outside the table.
    virtual ~ComPort();

    // A copy would lower the open count a second time.
    ComPort(const ComPort&) = delete;
    ComPort& operator=(const ComPort&) = delete;

    virtual int Idle();
    virtual void PollStatus();
    virtual void Open(int nPortIndex);
    virtual int OpenDevice();
    virtual int Close();
    virtual void GetQueueStatus(QueueStatus* pStatus, int nSelector);
    virtual int SetQueueSizes(unsigned nRxSize, unsigned nXoffLimit, unsigned nTxSize);
    virtual int SetHandshake(int nRxMode, int nTxMode);
    virtual int GetHandshake(int* pnRxMode, int* pnTxMode);
    virtual int SetBreak(int nState);
    virtual int LineState(int nLine, int nValue);
    virtual int SetLineSettings(std::int32_t lBaud, char cParity, int nDataBits, int nStopBits);
    virtual void GetLineSettings(std::int32_t* plBaud, char* pcParity, int* pnDataBits,
                                 int* pnStopBits);
    virtual int GetLineStatus(LineStatusBlock* pBlock);
    virtual int PutChar(unsigned char c);
    virtual int PutString(const char* pszText);
    virtual int Write(const void* pData, std::uint32_t nCount);
    virtual int PutPriorityChar(unsigned char c);
    virtual int GetChar();
    virtual int Read(void* pBuffer, std::uint32_t nCount);
    virtual int Purge(int nWhich, int nCount);
    virtual void Report(ReportSink pfnSink);
    virtual int OptionalA();
    virtual int OptionalB();

    // m_nLastError, left as it is.
    int PeekLastError() const { return m_nLastError; }
    // m_nLastError, reset to CL_OK.
    int TakeLastError();

    int m_nPortIndex;
    int m_nLastError;

protected:
    // Adds one to the open count of m_nPortIndex and remembers that this object holds it.
    // Returns false, changing nothing, for an index outside the table or when this object
    // already holds a count.
    bool RaiseOpenCount();
    // Whether this object raised the open count of its index.
    bool HoldsOpenCount() const { return m_nHeldIndex >= 0; }
    // The open count this object raised; only valid while HoldsOpenCount().
    std::uint16_t HeldOpenCount() const { return g_portOpenCount[m_nHeldIndex]; }

private:
    int m_nHeldIndex = -1; // index whose count this object raised, or -1
};

#define COMLINK_SOURCE_PATH "..\\CPP_ALL\\COMLINK"
