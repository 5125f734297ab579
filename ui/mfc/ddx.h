// Dialog data exchange: CDataExchange and DDX_Text for int and CString.
// Differs from MFC:
// - A failed exchange sets m_bFailed instead of throwing; later DDX_ calls of the same pass do
//   nothing, so the controls after the failing one stay unread, and UpdateData returns FALSE.
// - DDX_Text for int refuses numbers outside the range of int with the same prompt as text
//   that is not a number, instead of storing a wrapped value.
#pragma once

#include "ui/mfc/afx_types.h"
#include "ui/mfc/cstring.h"

#include <optional>
#include <string_view>

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate; // TRUE: controls to members
    CWnd* m_pDlgWnd;
    BOOL m_bFailed = FALSE;

    // Remembers the control being exchanged, for Fail.
    void PrepareEditCtrl(int nIDC);
    // Puts the focus on the last prepared control, selects its text and fails the exchange.
    void Fail();

private:
    int m_idLastControl = 0;
};

void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);

namespace ui::mfc {

// A decimal int with optional sign and blanks or tabs around it; nothing for any other text,
// including numbers outside the range of int.
std::optional<int> parse_int_field(std::string_view text);

} // namespace ui::mfc
