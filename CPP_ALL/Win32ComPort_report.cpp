// Win32ComPort::Report: the port's configuration and queue state as six lines of text.
#include "Win32ComPort.h"

// One line of the report, terminating zero included; longer lines are cut, never overrun.
static const int kReportLineSize = 84;

// Character fields print as signed chars widened to int, so 0x80 and above give 8 digits.
static int CharField(char c) {
    return static_cast<signed char>(c);
}

void Win32ComPort::Report(ReportSink pfnSink) {
    char szLine[kReportLineSize];

    // Without a record there is no configuration to describe; only the queue line follows.
    if (m_pDcb != nullptr) {
        const DCB& dcb = *m_pDcb;
        wnsprintfA(szLine, kReportLineSize,
                   "Port type: MS Win32  BaudRate: %-6u  ByteSize: %1d  Parity: %1d",
                   static_cast<unsigned>(dcb.BaudRate), static_cast<int>(dcb.ByteSize),
                   static_cast<int>(dcb.Parity));
        pfnSink(szLine);

        wnsprintfA(szLine, kReportLineSize, "StopBits: %1d  fBinary: %1d  fRtsControl: %1d",
                   static_cast<int>(dcb.StopBits), static_cast<int>(dcb.fBinary),
                   static_cast<int>(dcb.fRtsControl));
        pfnSink(szLine);

        wnsprintfA(szLine, kReportLineSize,
                   "Parity: %1d  OutCtsFlow: %1d  OutDsrFlow: %1d  DtrControl: %1d  OutX: %1d  "
                   "InX: %1d",
                   static_cast<int>(dcb.fParity), static_cast<int>(dcb.fOutxCtsFlow),
                   static_cast<int>(dcb.fOutxDsrFlow), static_cast<int>(dcb.fDtrControl),
                   static_cast<int>(dcb.fOutX), static_cast<int>(dcb.fInX));
        pfnSink(szLine);

        wnsprintfA(szLine, kReportLineSize, "Null: %1d  XonChar: %02x  XoffChar: %02x",
                   static_cast<int>(dcb.fNull), CharField(dcb.XonChar), CharField(dcb.XoffChar));
        pfnSink(szLine);

        wnsprintfA(szLine, kReportLineSize, "XonLim: %-5u XoffLim: %-5u EofChr: %02x  EvtChr: %02x",
                   static_cast<unsigned>(dcb.XonLim), static_cast<unsigned>(dcb.XoffLim),
                   CharField(dcb.EofChar), CharField(dcb.EvtChar));
        pfnSink(szLine);
    }

    QueueStatus status;
    GetQueueStatus(&status, 7);
    wnsprintfA(szLine, kReportLineSize,
               "RX sz/ct: %5d/%-5d  TX sz/ct: %5d/%-5d  BLOCK SENT:%d  BLOCK RECEIVED:%d",
               status.nRxSize, status.nRxCount, status.nTxSize, status.nTxCount,
               (status.wBlockFlags & QS_BLOCK_SENT) != 0 ? 1 : 0,
               (status.wBlockFlags & QS_BLOCK_RECEIVED) != 0 ? 1 : 0);
    pfnSink(szLine);
}
