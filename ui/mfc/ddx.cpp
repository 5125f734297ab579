// Data exchange between dialog members and the model's controls.
#include "ui/mfc/ddx.h"
#include "ui/mfc/cwinapp.h"
#include "ui/mfc/cwnd.h"
#include "ui/model/dialog.h"

#include <climits>

namespace ui::mfc {

std::optional<int> parse_int_field(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    std::size_t i = 0;
    while (i < text.size() && blank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t digits_start = i;
    long long value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            return std::nullopt;
        ++i;
    }
    if (i == digits_start)
        return std::nullopt;
    while (i < text.size() && blank(text[i]))
        ++i;
    if (i != text.size())
        return std::nullopt;
    if (negative)
        value = -value;
    if (value < INT_MIN || value > INT_MAX)
        return std::nullopt;
    return static_cast<int>(value);
}

} // namespace ui::mfc

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

void CDataExchange::PrepareEditCtrl(int nIDC) {
    m_idLastControl = nIDC;
}

void CDataExchange::Fail() {
    if (auto* dialog = m_pDlgWnd != nullptr ? m_pDlgWnd->GetModel() : nullptr) {
        if (dialog->set_focus(m_idLastControl))
            if (auto* control = dialog->find(m_idLastControl))
                control->select_all();
    }
    m_bFailed = TRUE;
}

namespace {

ui::model::Dialog* exchange_dialog(CDataExchange* pDX) {
    if (pDX == nullptr || pDX->m_bFailed || pDX->m_pDlgWnd == nullptr)
        return nullptr;
    return pDX->m_pDlgWnd->GetModel();
}

} // namespace

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) {
    auto* dialog = exchange_dialog(pDX);
    if (dialog == nullptr)
        return;
    pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        CString text;
        text.Format("%d", value);
        dialog->set_text(nIDC, text.str());
        return;
    }
    if (auto parsed = ui::mfc::parse_int_field(dialog->text(nIDC))) {
        value = *parsed;
        return;
    }
    AfxMessageBox("Please enter an integer.", MB_ICONEXCLAMATION);
    pDX->Fail();
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
    auto* dialog = exchange_dialog(pDX);
    if (dialog == nullptr)
        return;
    pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = dialog->text(nIDC);
    else
        dialog->set_text(nIDC, value.str());
}
