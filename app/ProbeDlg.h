// CProbeDlg: the main dialog. The port number, the status line and the two readings are
// exchanged with their edit boxes; the three buttons talk to the probe (ProbeDlgConversation.cpp).
#pragma once

#include "stdafx.h"
#include "resource.h"

class CProbeDlg : public CDialog {
public:
    CProbeDlg(CWnd* pParent = NULL);

    enum { IDD = IDD_PROBE_DIALOG };
    int m_nPort;
    CString m_strStatus;
    CString m_strBinary;
    CString m_strAscii;

protected:
    HICON m_hIcon;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg void OnOpenPort();
    afx_msg void OnReadBinary();
    afx_msg void OnReadAscii();

    DECLARE_MESSAGE_MAP()
};
