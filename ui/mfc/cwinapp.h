// CWinApp, the one application object, and the Afx functions the program calls.
// Differs from MFC:
// - There is no application message loop: after InitInstance, ExitInstance's value is the exit
//   code whatever InitInstance returned (a dialog program's dialog loop is the only loop).
// - The constructor only records the object; nothing touches a front end before
//   ui::run_application (our main) calls InitInstance.
// - m_pszAppName defaults to the version resource's original file name without ".EXE".
#pragma once

#include "ui/mfc/cwnd.h"

#include <string>

class COccManager;

class CWinApp : public CCmdTarget {
public:
    explicit CWinApp(LPCTSTR lpszAppName = NULL);
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance();
    virtual int ExitInstance();

    HICON LoadIcon(UINT nIDResource) const;
    BOOL Enable3dControlsStatic();
    afx_msg void OnHelp();

    CWnd* m_pMainWnd = NULL;
    LPCTSTR m_pszAppName = NULL;

    DECLARE_MESSAGE_MAP()

private:
    friend void AfxSetAppName(CWinApp& app, const std::string& name);
    std::string m_appName;
};

// The application object, or NULL before it is constructed.
CWinApp* AfxGetApp();
// Control containers are not used by the dialogs; kept for the start-up sequence.
void AfxEnableControlContainer(COccManager* pManager = NULL);
// A message box captioned with the application's name, over the active dialog.
int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
void AfxSetAppName(CWinApp& app, const std::string& name);
