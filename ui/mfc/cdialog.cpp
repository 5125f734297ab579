// CDialog: building the model from a template, initialisation, the modal loop, OK and Cancel.
#include "ui/mfc/cdialog.h"
#include "ui/frontend.h"
#include "ui/model/dialog.h"
#include "ui/model/modal_loop.h"
#include "ui/res/module.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel){WM_INITDIALOG,
                               0,
                               0,
                               0,
                               AfxSig_vv,
                               [](CCmdTarget* target, WPARAM wParam, LPARAM lParam) -> LRESULT {
                                   return static_cast<ThisClass*>(target)->HandleInitDialog(wParam,
                                                                                            lParam);
                               }},
    END_MESSAGE_MAP()

        CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() {
    DestroyWindow();
}

BOOL CDialog::BuildFromTemplate(UINT nIDTemplate) {
    const ui::res::Module* module = ui::res::current_module();
    const ui::model::DialogTemplate* dialog_template =
        module != nullptr ? module->find_dialog(static_cast<int>(nIDTemplate)) : nullptr;
    if (dialog_template == nullptr)
        return FALSE;
    auto model = std::make_unique<ui::model::Dialog>(*dialog_template,
                                                     [](int id) { return ui::res::load_icon(id); });
    model->attach(ui::current_front_end());
    AttachModel(std::move(model));
    // WM_INITDIALOG runs OnInitDialog; TRUE asks for the focus on the first tab stop.
    if (SendMessage(WM_INITDIALOG, 0, 0) != 0 && GetModel() != nullptr)
        GetModel()->focus_first_tab_stop();
    return TRUE;
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) {
    return OnInitDialog();
}

INT_PTR CDialog::DoModal() {
    if (!BuildFromTemplate(m_nIDTemplate))
        return -1;
    const int result = ui::model::run_modal_loop(*GetModel());
    DetachModel();
    return result;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
    m_nIDTemplate = nIDTemplate;
    m_pParentWnd = pParentWnd;
    if (!BuildFromTemplate(nIDTemplate))
        return FALSE;
    m_shown = std::make_unique<ui::model::ShownDialog>(*GetModel());
    return TRUE;
}

BOOL CDialog::DestroyWindow() {
    if (GetModel() == nullptr)
        return FALSE;
    m_shown.reset();
    DetachModel();
    return TRUE;
}

void CDialog::EndDialog(int nResult) {
    if (auto* model = GetModel())
        model->end(nResult);
}

BOOL CDialog::OnInitDialog() {
    // The first exchange: members to controls.
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}
