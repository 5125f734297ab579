// LineSettings: a guard over a port's baud rate, parity, data bits and stop bits.
#pragma once

#include "COMLINK.h"

#include <cstdint>

class PortLink;

// Holds a current set (applied to the port) and a saved set (read from the port when bound,
// put back when destroyed). Both start at 1200-N-8-1. Unbound (no port), every operation that
// needs the port returns CL_ERR_FAILED and destruction does nothing. The port is the link's,
// not owned, and must outlive this object.
class LineSettings {
public:
    // Binds to the link when one is given; the result of binding is not looked at.
    explicit LineSettings(PortLink* pLink = nullptr);
    // Bound: applies the saved set, ignoring failure.
    ~LineSettings();

    LineSettings(const LineSettings&) = delete;
    LineSettings& operator=(const LineSettings&) = delete;

    // Takes the link's port, saves its settings and applies the current set at once. Returns
    // Apply's result. A null link changes nothing and returns CL_ERR_FAILED; a link without a
    // port leaves this object unbound, and CL_ERR_FAILED is returned.
    int Bind(PortLink* pLink);
    // Sends the current set to the port: CL_OK, or CL_ERR_FAILED when unbound or refused (the
    // port keeps its own code).
    int Apply();
    // Reads the port's settings into the saved set: CL_OK, or CL_ERR_FAILED when unbound.
    int SavePortSettings();
    // Stores the values as the current set, kept even when applying them fails; Apply's result.
    int Set(std::int32_t lBaud, char cParity, int nDataBits, int nStopBits);

    std::int32_t m_nBaud;
    char m_cParity;
    int m_nDataBits;
    int m_nStopBits;
    std::int32_t m_nSavedBaud;
    char m_cSavedParity;
    int m_nSavedDataBits;
    int m_nSavedStopBits;
    ComPort* m_pPort; // not owned; null until bound
};
