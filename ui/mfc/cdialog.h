// CDialog: a dialog built from a template of the installed resource module, run modally or shown
// modeless.
// Differs from MFC:
// - DoModal returns -1 when the template is missing or no front end is installed.
// - Create shows the dialog modeless without a loop of its own: the caller (a test, through
//   ui::headless) drives its model until DestroyWindow.
#pragma once

#include "ui/mfc/cwnd.h"

#include <memory>

namespace ui::model {
class ShownDialog;
}

class CDialog : public CWnd {
public:
    CDialog() = default;
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    ~CDialog() override;

    virtual INT_PTR DoModal();
    // Builds and initialises the dialog without running a loop; FALSE when there is no template.
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    BOOL DestroyWindow();
    // Ends the modal loop with nResult once the current handler returns.
    void EndDialog(int nResult);
    virtual BOOL OnInitDialog();

    UINT m_nIDHelp = 0;

protected:
    virtual void OnOK();
    virtual void OnCancel();

    UINT m_nIDTemplate = 0;
    CWnd* m_pParentWnd = NULL;

    DECLARE_MESSAGE_MAP()

private:
    BOOL BuildFromTemplate(UINT nIDTemplate);
    afx_msg LRESULT HandleInitDialog(WPARAM, LPARAM);
    std::unique_ptr<ui::model::ShownDialog> m_shown; // while shown modeless
};
