// The program's main dialog with its three command buttons answered by the test: each handler
// reads the controls and records what it saw. Everything else is the program's own.
#pragma once

#include "ProbeDlg.h"

#include <functional>
#include <string>
#include <vector>

namespace ui::qt::test {

struct HandlerCall {
    int button = 0;
    int port = 0;       // m_nPort after the exchange
    std::string status; // m_strStatus after the exchange
};

class CScriptedProbeDlg : public CProbeDlg {
public:
    // Runs inside the Open Port handler, after "Testing..." is shown with UpdateWindow.
    std::function<void(CScriptedProbeDlg&)> m_onOpenPortBlocked;
    std::vector<HandlerCall> m_calls;

protected:
    afx_msg void OnScriptedOpenPort();
    afx_msg void OnScriptedReadBinary();
    afx_msg void OnScriptedReadAscii();
    void Record(int nButton);

    DECLARE_MESSAGE_MAP()
};

} // namespace ui::qt::test
