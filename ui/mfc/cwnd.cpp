// CWnd over the dialog model: message dispatch through the maps, default handling, the system
// menu, icons, painting and window texts.
#include "ui/mfc/cwnd.h"
#include "ui/mfc/ddx.h"
#include "ui/mfc/user32.h"
#include "ui/model/dialog.h"

#include <utility>

namespace {

HMENU to_hmenu(ui::model::Menu* menu) {
    return reinterpret_cast<HMENU>(menu);
}
ui::model::Menu* menu_from(HMENU hMenu) {
    return reinterpret_cast<ui::model::Menu*>(hMenu);
}

} // namespace

// Receives the model's messages and hands them to the window procedure.
class CWnd::Sink final : public ui::model::MessageSink {
public:
    explicit Sink(CWnd& wnd) : m_wnd(wnd) {}
    std::intptr_t window_proc(const ui::model::Message& m) override {
        return m_wnd.WindowProc(m.message, m.wparam, m.lparam);
    }

private:
    CWnd& m_wnd;
};

CWnd::CWnd() = default;
CWnd::~CWnd() {
    DetachModel();
}

void CWnd::AttachModel(std::unique_ptr<ui::model::Dialog> model) {
    DetachModel();
    m_model = std::move(model);
    m_sink = std::make_unique<Sink>(*this);
    m_model->set_sink(m_sink.get());
    m_hWnd = ui::mfc::to_hwnd(m_model.get());
    ui::mfc::register_window(m_model.get());
    m_systemMenu.m_hMenu = m_model->has_system_menu() ? to_hmenu(&m_model->system_menu()) : nullptr;
}

void CWnd::DetachModel() {
    if (m_model) {
        ui::mfc::unregister_window(m_model.get());
        m_model->set_sink(nullptr);
    }
    m_model.reset();
    m_sink.reset();
    m_hWnd = nullptr;
    m_systemMenu.m_hMenu = nullptr;
}

ui::model::Dialog* CWnd::GetModel() const {
    return m_model.get();
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
    if (!m_model)
        return FALSE;
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return dx.m_bFailed ? FALSE : TRUE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) {
    if (!m_model || !m_model->has_system_menu())
        return NULL;
    if (bRevert) {
        m_model->revert_system_menu();
        return NULL;
    }
    return &m_systemMenu;
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon) {
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}

BOOL CWnd::IsIconic() const {
    return m_model && m_model->iconic() ? TRUE : FALSE;
}

void CWnd::GetClientRect(LPRECT lpRect) const {
    if (lpRect == nullptr)
        return;
    *lpRect = RECT{};
    if (m_model) {
        const auto r = m_model->client_rect();
        *lpRect = RECT{r.x, r.y, r.right(), r.bottom()};
    }
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return m_model ? m_model->send(message, wParam, lParam) : 0;
}

void CWnd::UpdateWindow() {
    if (m_model)
        m_model->update_window();
}

void CWnd::SetWindowText(LPCTSTR lpszString) {
    if (m_model)
        m_model->set_caption(lpszString != nullptr ? lpszString : "");
}

void CWnd::GetWindowText(CString& rString) const {
    rString = m_model ? m_model->caption().c_str() : "";
}

void CWnd::SetDlgItemText(int nID, LPCTSTR lpszString) {
    if (m_model)
        m_model->set_text(nID, lpszString != nullptr ? lpszString : "");
}

int CWnd::GetDlgItemText(int nID, CString& rString) const {
    rString = m_model ? m_model->text(nID) : std::string();
    return rString.GetLength();
}

void CWnd::OnSysCommand(UINT, LPARAM) {
    Default();
}
void CWnd::OnPaint() {
    Default();
}
HCURSOR CWnd::OnQueryDragIcon() {
    return reinterpret_cast<HCURSOR>(Default());
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // Nested messages (a handler sending another) keep their own current message.
    const CurrentMessage saved = std::exchange(m_current, CurrentMessage{message, wParam, lParam});
    LRESULT result = 0;
    if (const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(message, wParam))
        result = entry->pfn(this, wParam, lParam);
    else
        result = DefWindowProc(message, wParam, lParam);
    m_current = saved;
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return m_model ? m_model->default_message({message, wParam, lParam}) : 0;
}

LRESULT CWnd::Default() {
    return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam);
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
    return ::AppendMenuA(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}

UINT CMenu::GetMenuItemCount() const {
    const ui::model::Menu* menu = menu_from(m_hMenu);
    return menu != nullptr ? static_cast<UINT>(menu->items().size()) : 0;
}

BOOL CDC::DrawIcon(int x, int y, HICON hIcon) {
    return ::DrawIcon(m_hDC, x, y, hIcon);
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_dialog(pWnd != nullptr ? pWnd->GetModel() : nullptr) {
    if (m_dialog != nullptr) {
        m_dialog->begin_paint();
        m_hDC = ui::mfc::to_hdc(m_dialog);
    }
}

CPaintDC::~CPaintDC() {
    if (m_dialog != nullptr)
        m_dialog->end_paint();
}
