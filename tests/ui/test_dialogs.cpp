// The test dialog's message map.
#include "test_dialogs.h"

namespace ui::test {

BEGIN_MESSAGE_MAP(CTestDlg, CDialog)
ON_BN_CLICKED(IDC_APPLY, OnApply)
END_MESSAGE_MAP()

} // namespace ui::test
