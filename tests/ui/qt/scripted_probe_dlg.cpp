// The main dialog with test handlers.
#include "scripted_probe_dlg.h"

namespace ui::qt::test {

BEGIN_MESSAGE_MAP(CScriptedProbeDlg, CProbeDlg)
ON_BN_CLICKED(IDC_OPEN_PORT, OnScriptedOpenPort)
ON_BN_CLICKED(IDC_READ_BINARY, OnScriptedReadBinary)
ON_BN_CLICKED(IDC_READ_ASCII, OnScriptedReadAscii)
END_MESSAGE_MAP()

void CScriptedProbeDlg::Record(int nButton) {
    UpdateData(TRUE);
    m_calls.push_back({nButton, m_nPort, std::string(static_cast<const char*>(m_strStatus))});
}

void CScriptedProbeDlg::OnScriptedOpenPort() {
    Record(IDC_OPEN_PORT);
    m_strStatus = "Testing...";
    UpdateData(FALSE);
    UpdateWindow();
    if (m_onOpenPortBlocked)
        m_onOpenPortBlocked(*this);
}

void CScriptedProbeDlg::OnScriptedReadBinary() {
    Record(IDC_READ_BINARY);
}

void CScriptedProbeDlg::OnScriptedReadAscii() {
    Record(IDC_READ_ASCII);
}

} // namespace ui::qt::test
