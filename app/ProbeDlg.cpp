// The main dialog: construction, data exchange, system menu, icon and painting.
#include "ProbeDlg.h"
#include "AboutDlg.h"

static_assert((IDM_ABOUTBOX & 0xFFF0) == IDM_ABOUTBOX, "IDM_ABOUTBOX must be a system command");
static_assert(IDM_ABOUTBOX < 0xF000, "IDM_ABOUTBOX must not collide with the system's commands");

CProbeDlg::CProbeDlg(CWnd* pParent) : CDialog(CProbeDlg::IDD, pParent) {
    m_nPort = 5;
    m_strStatus = "Enter a port number";
    m_strBinary = "";
    m_strAscii = "";
    m_hIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
}

void CProbeDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PORT, m_nPort);
    DDX_Text(pDX, IDC_STATUS, m_strStatus);
    DDX_Text(pDX, IDC_BINARY, m_strBinary);
    DDX_Text(pDX, IDC_ASCII, m_strAscii);
}

BEGIN_MESSAGE_MAP(CProbeDlg, CDialog)
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_BN_CLICKED(IDC_OPEN_PORT, OnOpenPort)
ON_BN_CLICKED(IDC_READ_BINARY, OnReadBinary)
ON_BN_CLICKED(IDC_READ_ASCII, OnReadAscii)
END_MESSAGE_MAP()

BOOL CProbeDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    // The About entry goes at the end of the system menu, after a separator.
    CMenu* pSysMenu = GetSystemMenu(FALSE);
    if (pSysMenu != NULL) {
        CString strAboutMenu;
        strAboutMenu.LoadString(IDS_ABOUTBOX);
        if (!strAboutMenu.IsEmpty()) {
            pSysMenu->AppendMenu(MF_SEPARATOR);
            pSysMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, strAboutMenu);
        }
    }

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    return TRUE;
}

void CProbeDlg::OnSysCommand(UINT nID, LPARAM lParam) {
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg dlgAbout;
        dlgAbout.DoModal();
    } else {
        CDialog::OnSysCommand(nID, lParam);
    }
}

// Minimised, the client area shows the icon in its middle; otherwise the dialog paints itself.
void CProbeDlg::OnPaint() {
    if (IsIconic()) {
        CPaintDC dc(this);
        SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);

        const int cxIcon = GetSystemMetrics(SM_CXICON);
        const int cyIcon = GetSystemMetrics(SM_CYICON);
        CRect rect;
        GetClientRect(&rect);
        const int x = (rect.Width() - cxIcon + 1) / 2;
        const int y = (rect.Height() - cyIcon + 1) / 2;

        dc.DrawIcon(x, y, m_hIcon);
    } else {
        CDialog::OnPaint();
    }
}

// The cursor shown while the minimised window is dragged.
HCURSOR CProbeDlg::OnQueryDragIcon() {
    return static_cast<HCURSOR>(m_hIcon);
}
