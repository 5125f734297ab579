// PortLink: a port with timed reads, a pause after each written byte and a receive-error summary.
// It brings the port to 9600-N-8-1 without flow control and, through the two guards it owns,
// puts back the settings and handshake modes the port had before.
#pragma once

#include "COMLINK.h"

#include <cstdint>

class HandshakeState;
class LineSettings;

// Receive errors seen since the port's previous GetLineStatus, filled by GetErrorFlags.
typedef std::uint16_t LineErrorFlags;

#define LEF_PARITY_ERROR 0x0001
#define LEF_FRAMING_ERROR 0x0002
#define LEF_RX_OVERFLOW 0x0004
#define LEF_OVERRUN 0x0008
#define LEF_BREAK_DETECT 0x0010

// Waits poll the port on GetTickCount and call its Idle between two polls. The time that has
// passed is the unsigned difference between the tick count now and at the start, so a wait ends
// once its time-out has passed even when the 32-bit tick count wraps inside it; a time-out of 0
// or less ends a wait at the first check.
//
// The port is not owned and must outlive the link. A null port gives a link that never touches
// memory through it: counts are 0, codes CL_ERR_FAILED.
class PortLink {
public:
    // Unless the port already holds a failure code (left there for GetErrorFlags), creates the
    // guards, applies 9600-N-8-1 and sets both handshake modes to HANDSHAKE_NONE. Set-up failures
    // stay in the port's last error. When a guard cannot be allocated the link stays without
    // guards (the port's settings put back) and the port's last error becomes CL_ERR_NO_MEMORY
    // unless it already holds a code.
    explicit PortLink(ComPort* pPort);
    // Destroys the handshake guard, then the settings guard; each puts back what it saved.
    virtual ~PortLink();

    PortLink(const PortLink&) = delete;
    PortLink& operator=(const PortLink&) = delete;

    // The next received byte (0 to 255), waiting up to nTimeoutMs; CL_ERR_NO_DATA when none came
    // in time, or Idle's negative result. A byte already waiting is returned at once.
    virtual int ReadChar(int nTimeoutMs);
    // Queues one byte, then pauses m_nCharDelay milliseconds (none when 0 or less). Returns the
    // result of the last port call: PutChar's without a pause, else the last Idle's.
    virtual int WriteChar(unsigned char c);
    // Always CL_ERR_UNSUPPORTED.
    virtual int Optional();

    // The port's Write result (bytes queued); 0 for null data, without calling the port.
    int Write(const void* pData, std::uint32_t nCount);
    // Reads what arrives within nTimeoutMs, up to nCount bytes, and writes a zero byte right
    // after them: pBuffer needs room for nCount + 1 bytes. Returns the bytes read, or Idle's
    // negative result (the buffer is then left unterminated). Null buffer or null port: 0, nothing
    // touched. A count the port reports outside 0..remaining is clamped, so the buffer is never
    // overrun.
    int Read(char* pBuffer, std::uint32_t nCount, int nTimeoutMs);
    // Received bytes waiting in the port; nothing is taken.
    int RxCount();
    // Takes the port's pending failure code; the flags become 0 and that code is returned.
    // Without a pending code, fetches a fresh LineStatusBlock (clearing the port's accumulated
    // errors) and sets a bit per error item seen: CL_OK. A link without guards cannot fetch one
    // and returns CL_ERR_FAILED with the flags 0. pFlags may be null.
    int GetErrorFlags(LineErrorFlags* pFlags);

    int m_nCharDelay;             // pause after each WriteChar, milliseconds; set by the caller
    ComPort* m_pPort;             // not owned
    HandshakeState* m_pHandshake; // owned; null on a link without guards
    LineSettings* m_pSettings;    // owned; null on a link without guards
};
