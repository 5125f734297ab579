// HandshakeState: a guard over a port's two handshake modes, holding its latest line status.
#pragma once

#include "COMLINK.h"

class PortLink;

// Saves the port's handshake modes once, at construction, and puts them back when destroyed.
// The port is the link's, not owned, and must outlive this object. Made for a link without a
// port, it holds HANDSHAKE_NONE and an all-zero block, answers CL_ERR_FAILED and restores
// nothing.
class HandshakeState {
public:
    // Refreshes the line status (clearing the port's accumulated receive errors), then saves
    // the port's two handshake modes.
    explicit HandshakeState(PortLink* pLink);
    // Sets the saved modes again, ignoring failure.
    ~HandshakeState();

    HandshakeState(const HandshakeState&) = delete;
    HandshakeState& operator=(const HandshakeState&) = delete;

    // The port's SetHandshake result; the saved modes do not change.
    int Set(int nRxMode, int nTxMode);
    // Fetches the port's LineStatusBlock into m_lineStatus; the port's GetLineStatus result.
    int Refresh();

    // Items of m_lineStatus as the last Refresh left them, 0 to 3; the port is not called.
    int ParityError() const;
    int FramingError() const;
    int RxOverflow() const;
    int Overrun() const;
    int BreakDetected() const;

    int m_nSavedRxMode;
    int m_nSavedTxMode;
    LineStatusBlock m_lineStatus;
    ComPort* m_pPort; // not owned; null when the link has none
};
