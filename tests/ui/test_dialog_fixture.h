// A test over CTestDlg, created from the test module and shown by the headless front end.
#pragma once

#include "test_dialogs.h"
#include "ui/headless/session.h"

#include <gtest/gtest.h>

namespace ui::test {

class TestDialogTest : public ::testing::Test {
protected:
    res::Module m_module = make_test_module();
    headless::Session m_session{&m_module};
    CTestDlg m_dlg;

    void SetUp() override { ASSERT_TRUE(m_dlg.Create(IDD_TEST)); }
    model::Dialog& dialog() { return *m_dlg.GetModel(); }
    headless::DialogDriver driver() { return headless::DialogDriver(dialog()); }
};

} // namespace ui::test
