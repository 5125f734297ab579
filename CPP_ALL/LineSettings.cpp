// LineSettings: saves a port's character format when bound, applies its own, restores on exit.
#include "LineSettings.h"

#include "PortLink.h"

LineSettings::LineSettings(PortLink* pLink)
    : m_nBaud(1200), m_cParity('N'), m_nDataBits(8), m_nStopBits(1), m_nSavedBaud(1200),
      m_cSavedParity('N'), m_nSavedDataBits(8), m_nSavedStopBits(1), m_pPort(nullptr) {
    if (pLink != nullptr)
        Bind(pLink);
}

LineSettings::~LineSettings() {
    if (m_pPort == nullptr)
        return;
    m_nBaud = m_nSavedBaud;
    m_cParity = m_cSavedParity;
    m_nDataBits = m_nSavedDataBits;
    m_nStopBits = m_nSavedStopBits;
    Apply(); // nobody is left to hear a failure
}

int LineSettings::Bind(PortLink* pLink) {
    if (pLink == nullptr)
        return CL_ERR_FAILED;
    m_pPort = pLink->m_pPort;
    SavePortSettings();
    return Apply();
}

int LineSettings::Apply() {
    if (m_pPort == nullptr)
        return CL_ERR_FAILED;
    int nResult = m_pPort->SetLineSettings(m_nBaud, m_cParity, m_nDataBits, m_nStopBits);
    return nResult >= 0 ? CL_OK : CL_ERR_FAILED;
}

int LineSettings::SavePortSettings() {
    if (m_pPort == nullptr)
        return CL_ERR_FAILED;
    m_pPort->GetLineSettings(&m_nSavedBaud, &m_cSavedParity, &m_nSavedDataBits, &m_nSavedStopBits);
    return CL_OK;
}

int LineSettings::Set(std::int32_t lBaud, char cParity, int nDataBits, int nStopBits) {
    m_nBaud = lBaud;
    m_cParity = cParity;
    m_nDataBits = nDataBits;
    m_nStopBits = nStopBits;
    return Apply();
}
