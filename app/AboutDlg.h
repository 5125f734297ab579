// CAboutDlg: the About box reached from the system menu.
#pragma once

#include "stdafx.h"
#include "resource.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();

    enum { IDD = IDD_ABOUTBOX };

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    DECLARE_MESSAGE_MAP()
};
