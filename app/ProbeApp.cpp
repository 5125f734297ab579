// The application object and its start-up.
#include "ProbeApp.h"
#include "ProbeDlg.h"

BEGIN_MESSAGE_MAP(CProbeApp, CWinApp)
ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()

CProbeApp::CProbeApp() {}

CProbeApp theApp;

BOOL CProbeApp::InitInstance() {
    AfxEnableControlContainer();
    Enable3dControlsStatic();

    CProbeDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();

    // The dialog has closed: end the program rather than start a message loop.
    return FALSE;
}
