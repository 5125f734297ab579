// A small resource module and dialog class for the dialog-layer tests.
#pragma once

#include "ui/mfc.h"
#include "ui/model/window_styles.h"
#include "ui/res/module.h"

#include <string>
#include <vector>

namespace ui::test {

inline constexpr int IDD_TEST = 200;
inline constexpr int IDC_NAME = 300;   // edit
inline constexpr int IDC_NUMBER = 301; // edit, exchanged as int
inline constexpr int IDC_APPLY = 302;  // push button
inline constexpr int IDC_NOTE = 303;   // edit after the number

// OK (default), a label, name edit, number edit, Apply, note edit, Cancel.
inline res::Module make_test_module() {
    using namespace ui::model::style;
    const std::uint32_t child = WS_CHILD | WS_VISIBLE;
    model::DialogTemplate d;
    d.id = IDD_TEST;
    d.size = {120, 80};
    d.caption = "Test";
    d.font = {"MS Sans Serif", 8, 0, false, 1};
    d.style = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT;
    d.controls = {
        {"BUTTON", IDOK, "OK", {80, 5, 30, 14}, child | BS_DEFPUSHBUTTON | WS_TABSTOP, 0},
        {"STATIC", -1, "Name", {5, 5, 30, 8}, child | SS_LEFT | WS_GROUP, 0},
        {"EDIT", IDC_NAME, "", {5, 15, 60, 14}, child | WS_BORDER | WS_TABSTOP, 0},
        {"EDIT", IDC_NUMBER, "", {5, 32, 60, 14}, child | WS_BORDER | WS_TABSTOP, 0},
        {"BUTTON", IDC_APPLY, "Apply", {80, 22, 30, 14}, child | BS_PUSHBUTTON | WS_TABSTOP, 0},
        {"EDIT", IDC_NOTE, "", {5, 50, 60, 14}, child | WS_BORDER | WS_TABSTOP, 0},
        {"BUTTON", IDCANCEL, "Cancel", {80, 40, 30, 14}, child | BS_PUSHBUTTON | WS_TABSTOP, 0},
    };
    res::Module module;
    module.language = 1033;
    module.dialogs.push_back(std::move(d));
    return module;
}

// Records what its handlers saw; exchanges name, number and note in that order.
class CTestDlg : public CDialog {
public:
    CTestDlg() : CDialog(IDD_TEST) {}
    CString m_strName = "first";
    int m_nNumber = 7;
    CString m_strNote = "note";
    std::vector<std::string> m_calls;

    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, IDC_NAME, m_strName);
        DDX_Text(pDX, IDC_NUMBER, m_nNumber);
        DDX_Text(pDX, IDC_NOTE, m_strNote);
    }

protected:
    afx_msg void OnApply() { m_calls.push_back("apply"); }
    void OnOK() override {
        m_calls.push_back("ok");
        CDialog::OnOK();
    }
    void OnCancel() override {
        m_calls.push_back("cancel");
        CDialog::OnCancel();
    }

    DECLARE_MESSAGE_MAP()
};

} // namespace ui::test
