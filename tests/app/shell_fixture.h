// The main dialog shown modeless over the program's own resources, for the shell tests.
#pragma once

#include "ProbeApp.h"
#include "ProbeDlg.h"
#include "ZeltGUI_rc.h"
#include "ui/headless/session.h"
#include "ui/model/dialog.h"

#include <gtest/gtest.h>

class ShellTest : public ::testing::Test {
protected:
    ui::headless::Session m_session{&ZeltGUIResources()};
    CProbeDlg m_dlg;

    void SetUp() override { ASSERT_TRUE(m_dlg.Create(CProbeDlg::IDD)); }
    ui::model::Dialog& dialog() { return *m_dlg.GetModel(); }
    ui::headless::DialogDriver driver() { return ui::headless::DialogDriver(dialog()); }
    ui::headless::HeadlessFrontEnd& front_end() { return m_session.front_end(); }
};
