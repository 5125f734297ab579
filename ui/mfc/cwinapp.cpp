// The application object and the Afx helpers.
#include "ui/mfc/cwinapp.h"
#include "ui/mfc/user32.h"

namespace {
CWinApp* s_app = nullptr;
}

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCTSTR lpszAppName) {
    if (lpszAppName != nullptr)
        m_appName = lpszAppName;
    m_pszAppName = lpszAppName != nullptr ? m_appName.c_str() : NULL;
    s_app = this;
}

CWinApp::~CWinApp() {
    if (s_app == this)
        s_app = nullptr;
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}
int CWinApp::ExitInstance() {
    return 0;
}

HICON CWinApp::LoadIcon(UINT nIDResource) const {
    return ::LoadIconA(nullptr, MAKEINTRESOURCE(nIDResource));
}

BOOL CWinApp::Enable3dControlsStatic() {
    return TRUE;
}

// The program supplies no help content.
void CWinApp::OnHelp() {}

void AfxSetAppName(CWinApp& app, const std::string& name) {
    app.m_appName = name;
    app.m_pszAppName = app.m_appName.c_str();
}

CWinApp* AfxGetApp() {
    return s_app;
}

void AfxEnableControlContainer(COccManager*) {}

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT) {
    const CWinApp* app = AfxGetApp();
    const char* caption = app != nullptr && app->m_pszAppName != nullptr ? app->m_pszAppName : "";
    return MessageBoxA(nullptr, lpszText, caption, nType);
}
