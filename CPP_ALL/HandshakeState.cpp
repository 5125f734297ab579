// HandshakeState: saves and restores a port's handshake modes and decodes its line status.
#include "HandshakeState.h"

#include "PortLink.h"

namespace {

// Byte and bit position of an item in a LineStatusBlock, bit 0 the least significant.
int ItemOf(const LineStatusBlock& block, int nByte, int nShift) {
    return (block.bytes[nByte] >> nShift) & 0x03;
}

} // namespace

HandshakeState::HandshakeState(PortLink* pLink)
    : m_nSavedRxMode(HANDSHAKE_NONE), m_nSavedTxMode(HANDSHAKE_NONE), m_lineStatus{},
      m_pPort(pLink != nullptr ? pLink->m_pPort : nullptr) {
    if (m_pPort == nullptr)
        return;
    Refresh();
    m_pPort->GetHandshake(&m_nSavedRxMode, &m_nSavedTxMode);
}

HandshakeState::~HandshakeState() {
    if (m_pPort != nullptr)
        Set(m_nSavedRxMode, m_nSavedTxMode); // nobody is left to hear a failure
}

int HandshakeState::Set(int nRxMode, int nTxMode) {
    if (m_pPort == nullptr)
        return CL_ERR_FAILED;
    return m_pPort->SetHandshake(nRxMode, nTxMode);
}

int HandshakeState::Refresh() {
    if (m_pPort == nullptr)
        return CL_ERR_FAILED;
    return m_pPort->GetLineStatus(&m_lineStatus);
}

int HandshakeState::ParityError() const {
    return ItemOf(m_lineStatus, 3, 0);
}
int HandshakeState::FramingError() const {
    return ItemOf(m_lineStatus, 3, 2);
}
int HandshakeState::RxOverflow() const {
    return ItemOf(m_lineStatus, 3, 4);
}
int HandshakeState::Overrun() const {
    return ItemOf(m_lineStatus, 3, 6);
}
int HandshakeState::BreakDetected() const {
    return ItemOf(m_lineStatus, 2, 6);
}
