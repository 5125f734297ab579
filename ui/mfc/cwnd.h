// CWnd, CMenu and the painting device contexts over the dialog model.
// Differs from MFC:
// - A CWnd is attached to a ui::model::Dialog only while its dialog is shown (DoModal, or
//   Create until DestroyWindow); controls have no CWnd objects of their own.
// - CMenu wraps the model's system menu; GetSystemMenu(TRUE) restores the standard items.
// - Painting records icons drawn with DrawIcon into the model; the front end shows them.
#pragma once

#include "ui/mfc/afx_types.h"
#include "ui/mfc/cstring.h"
#include "ui/mfc/message_map.h"

#include <memory>

namespace ui::model {
class Dialog;
} // namespace ui::model

class CDataExchange;

class CRect : public RECT {
public:
    CRect() = default;
    CRect(LONG l, LONG t, LONG r, LONG b) : RECT{l, t, r, b} {}
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }
};

class CMenu {
public:
    CMenu() = default;
    explicit CMenu(HMENU hMenu) : m_hMenu(hMenu) {}
    HMENU m_hMenu = nullptr;

    // nFlags: MF_STRING or MF_SEPARATOR, optionally MF_GRAYED/MF_DISABLED.
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = NULL);
    UINT GetMenuItemCount() const;
};

class CWnd : public CCmdTarget {
public:
    CWnd();
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }

    // Moves data between the members and the controls: TRUE reads the controls (and may fail
    // with a prompt), FALSE writes them. Returns whether every exchange succeeded.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX);

    // The system menu, or NULL when the window has none; bRevert TRUE restores the standard
    // menu and returns NULL. The pointer stays valid while the window exists.
    CMenu* GetSystemMenu(BOOL bRevert);
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    BOOL IsIconic() const;
    void GetClientRect(LPRECT lpRect) const;
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // Paints now when anything changed, so the front end shows it before the caller goes on.
    void UpdateWindow();
    void SetWindowText(LPCTSTR lpszString);
    void GetWindowText(CString& rString) const;
    void SetDlgItemText(int nID, LPCTSTR lpszString);
    int GetDlgItemText(int nID, CString& rString) const;

    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Passes the message being handled to the default handling.
    LRESULT Default();

    // Our own: the model behind the window, or null while it is not shown.
    ui::model::Dialog* GetModel() const;

protected:
    // Attaches a freshly built model (owned) and makes it send its messages here.
    void AttachModel(std::unique_ptr<ui::model::Dialog> model);
    void DetachModel();

private:
    class Sink;
    std::unique_ptr<ui::model::Dialog> m_model;
    std::unique_ptr<Sink> m_sink;
    CMenu m_systemMenu;
    struct CurrentMessage {
        UINT message = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
    } m_current;
};

class CDC {
public:
    HDC m_hDC = nullptr;
    HDC GetSafeHdc() const { return m_hDC; }
    BOOL DrawIcon(int x, int y, HICON hIcon);
};

// Begins a paint of pWnd's window and ends it (the front end shows the result) when destroyed.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC();
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

private:
    ui::model::Dialog* m_dialog = nullptr;
};
