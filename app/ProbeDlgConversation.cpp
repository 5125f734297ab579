// The conversation with the probe: the Open Port, Read Binary and Read ASCII handlers and the
// serial objects they share.
#include "ProbeDlg.h"

#include "LineSettings.h"
#include "PortLink.h"
#include "ProbeConversation.h"
#include "ProbeReading.h"
#include "Win32ComPort.h"

ComPort* g_pPort = nullptr;
PortLink* g_pLink = nullptr;
LineSettings* g_pSettings = nullptr;

void DeleteSerialObjects() {
    // Guards restore what they saved while the port is still open.
    if (g_pSettings != nullptr) {
        delete g_pSettings;
        g_pSettings = nullptr;
    }
    if (g_pLink != nullptr) {
        delete g_pLink;
        g_pLink = nullptr;
    }
    if (g_pPort != nullptr) {
        delete g_pPort;
        g_pPort = nullptr;
    }
}

namespace {

// Port numbers the dialog accepts; each names COM1 to COM16.
const int kFirstPort = 1;
const int kLastPort = 16;

const DWORD kRxQueueSize = 4096;
const DWORD kTxQueueSize = 2048;

const DWORD kIdentifyPauseMs = 150;
const DWORD kAsciiSettleMs = 30;
const int kReadTimeoutMs = 100;

// A probe answers within a second; a reading that has not arrived after this is given up.
const DWORD kReplyWaitLimitMs = 2000;
// After giving up, bytes of the late reply that arrive within this pause are dropped with
// what came before, so that they do not start the next reply.
const DWORD kLateReplyGraceMs = 100;

const int kBinaryReplyLength = 2;
const int kAsciiReplyLength = 5;

const char* const kNoPortOpenText = "No port open";
const char* const kNoReplyText = "No reply";

// The settings object exists only once the port came up, so it marks a usable link.
bool HaveOpenPort() {
    return g_pLink != nullptr && g_pSettings != nullptr;
}

void SendCommand(BYTE bCommand) {
    g_pLink->Write(&bCommand, 1);
}

// Polls the receive count in 1 ms steps until nBytes are waiting; FALSE when the limit passes.
BOOL WaitForReply(int nBytes) {
    const DWORD dwStart = GetTickCount();
    while (g_pLink->RxCount() < nBytes) {
        if (GetTickCount() - dwStart >= kReplyWaitLimitMs)
            return FALSE;
        Sleep(1);
    }
    return TRUE;
}

// Takes nWaiting bytes from the link: the first PROBE_REPLY_MAX into the zero-terminated
// buffer, the rest read and dropped, so that they do not start the next reply.
void TakeReply(char* pBuffer, int nWaiting) {
    const DWORD dwKeep = ReplyBytesToKeep(nWaiting);
    g_pLink->Read(pBuffer, dwKeep, kReadTimeoutMs);

    int nExtra = nWaiting - static_cast<int>(dwKeep);
    char szDiscard[PROBE_REPLY_BUFFER];
    while (nExtra > 0) {
        const DWORD dwChunk = ReplyBytesToKeep(nExtra);
        const int nTaken = g_pLink->Read(szDiscard, dwChunk, kReadTimeoutMs);
        if (nTaken <= 0)
            break;
        nExtra -= nTaken;
    }
}

// A reading given up on: waits for stragglers, then drops everything waiting.
void DropUnansweredReply() {
    Sleep(kLateReplyGraceMs);
    char szDiscard[PROBE_REPLY_BUFFER];
    TakeReply(szDiscard, g_pLink->RxCount());
}

} // namespace

void CProbeDlg::OnOpenPort() {
    UpdateData(TRUE);

    m_strStatus = "Testing...";
    UpdateData(FALSE);
    UpdateWindow();

    DeleteSerialObjects();

    if (m_nPort >= kFirstPort && m_nPort <= kLastPort) {
        g_pPort = new Win32ComPort(m_nPort - 1, kRxQueueSize, kTxQueueSize, 0);
        g_pLink = new PortLink(g_pPort);
    }

    LineErrorFlags flags = 0;
    if (g_pLink == nullptr || g_pLink->GetErrorFlags(&flags) != 0) {
        m_strStatus.Format("COM%d:No Port", m_nPort);
    } else {
        g_pSettings = new LineSettings(g_pLink);
        if (g_pSettings->Set(9600, 'N', 8, 1) != 0) {
            m_strStatus = "Error setting Baud Rate.";
        } else {
            SendCommand(CMD_IDENTIFY);
            Sleep(kIdentifyPauseMs);

            char szReply[PROBE_REPLY_BUFFER];
            szReply[0] = 0;
            const int nWaiting = g_pLink->RxCount();
            if (nWaiting != 0)
                TakeReply(szReply, nWaiting);

            if (szReply[0] == 'T')
                m_strStatus = "Korvex-Zelt Ready";
            else
                m_strStatus = "no Korvex-Zelt";
        }
    }

    UpdateData(FALSE);
    UpdateWindow();
}

void CProbeDlg::OnReadBinary() {
    UpdateData(TRUE);

    m_strBinary.Format(" ");
    m_strAscii.Format(" ");
    UpdateData(FALSE);
    UpdateWindow();

    if (!HaveOpenPort()) {
        m_strBinary = kNoPortOpenText;
    } else {
        SendCommand(CMD_READ_BINARY);
        const BOOL bArrived = WaitForReply(kBinaryReplyLength);

        char szReply[PROBE_REPLY_BUFFER] = {0};
        int nRead = 0;
        if (bArrived)
            nRead = g_pLink->Read(szReply, kBinaryReplyLength, kReadTimeoutMs);
        else
            DropUnansweredReply();

        UpdateData(TRUE);
        // Both bytes or no reading: a device gone between the count and the read takes none.
        if (nRead == kBinaryReplyLength) {
            const double dFahrenheit =
                FahrenheitFromReading(static_cast<BYTE>(szReply[0]), static_cast<BYTE>(szReply[1]));
            m_strBinary.Format("%.1f", dFahrenheit);
        } else {
            m_strBinary = kNoReplyText;
        }
    }

    UpdateData(FALSE);
    UpdateWindow();
}

void CProbeDlg::OnReadAscii() {
    UpdateData(TRUE);

    m_strBinary.Format(" ");
    m_strAscii.Format(" ");
    UpdateData(FALSE);
    UpdateWindow();

    if (!HaveOpenPort()) {
        m_strAscii = kNoPortOpenText;
    } else {
        SendCommand(CMD_READ_ASCII);
        const BOOL bArrived = WaitForReply(kAsciiReplyLength);

        char szReply[PROBE_REPLY_BUFFER];
        szReply[0] = 0;
        if (bArrived) {
            Sleep(kAsciiSettleMs);
            TakeReply(szReply, g_pLink->RxCount());
        } else {
            DropUnansweredReply();
        }

        UpdateData(TRUE);
        if (bArrived)
            m_strAscii.Format("%s", szReply);
        else
            m_strAscii = kNoReplyText;
    }

    UpdateData(FALSE);
    UpdateWindow();
}
