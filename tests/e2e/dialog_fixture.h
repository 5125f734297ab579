// The main dialog, shown headless, talking to a probe over a real pseudo-terminal mapped as
// COM5 in a private COM folder. The clock is the real one; every wait polls with a deadline.
#pragma once

#include "LineSettings.h"
#include "PortLink.h"
#include "ProbeApp.h"
#include "ProbeConversation.h"
#include "ProbeDlg.h"
#include "ZeltGUI_rc.h"
#include "ports_folder.h"
#include "ui/headless/session.h"

#include <gtest/gtest.h>

namespace e2e {

class DialogOverPty : public ::testing::Test {
protected:
    CWinApp* m_app = &theApp; // links the application object that the dialog loads from
    test_support::PortsFolder m_folder;
    ui::headless::Session m_session{&ZeltGUIResources()};
    CProbeDlg m_dlg;

    void SetUp() override { ASSERT_TRUE(m_dlg.Create(CProbeDlg::IDD)); }
    void TearDown() override {
        // The handlers keep their objects until the next Open Port; a test ends them here,
        // before its pty goes.
        DeleteSerialObjects();
    }

    ui::headless::DialogDriver driver() { return ui::headless::DialogDriver(*m_dlg.GetModel()); }
    std::string text(int id) { return m_dlg.GetModel()->text(id); }
    std::string open_port(const std::string& port = "5") {
        driver().type_into(IDC_PORT, port);
        driver().click(IDC_OPEN_PORT);
        return text(IDC_STATUS);
    }
    std::string read_binary() {
        driver().click(IDC_READ_BINARY);
        return text(IDC_BINARY);
    }
    std::string read_ascii() {
        driver().click(IDC_READ_ASCII);
        return text(IDC_ASCII);
    }
};

} // namespace e2e
