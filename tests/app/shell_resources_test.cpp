// The program's compiled resources against resource.h, and the message maps' rows.
#include "AboutDlg.h"
#include "shell_fixture.h"
#include "ui/model/window_styles.h"

#include <vector>

namespace {

using namespace ui::model::style;

TEST(ShellResourcesTest, MainDialogTemplate) {
    const auto* d = ZeltGUIResources().find_dialog(IDD_PROBE_DIALOG);
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->extended);
    EXPECT_EQ(d->size, (ui::model::Size{161, 106}));
    EXPECT_EQ(d->caption, "Zelt GUI");
    EXPECT_EQ(d->font, (ui::model::FontSpec{"MS Sans Serif", 8, 0, false, 1}));
    EXPECT_EQ(d->style,
              DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU);
    EXPECT_EQ(d->ex_style, WS_EX_APPWINDOW);
    const std::uint32_t child = WS_CHILD | WS_VISIBLE;
    const std::uint32_t edit = child | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
    const std::vector<ui::model::ControlTemplate> expected = {
        {"BUTTON", IDOK, "OK", {109, 7, 26, 14}, child | BS_DEFPUSHBUTTON | WS_TABSTOP, 0},
        {"STATIC", IDC_STATIC, "Select and Open Port", {83, 41, 71, 8}, child | WS_GROUP, 0},
        {"BUTTON", IDC_OPEN_PORT, "Open Port", {31, 38, 50, 14}, child | WS_TABSTOP, 0},
        {"EDIT", IDC_PORT, "", {7, 38, 21, 14}, edit, 0},
        {"STATIC", IDC_STATIC, "Port #", {8, 27, 24, 8}, child | WS_GROUP, 0},
        {"EDIT", IDC_STATUS, "", {36, 7, 67, 14}, edit, 0},
        {"STATIC", IDC_STATIC, "Status: ", {9, 8, 24, 8}, child | WS_GROUP, 0},
        {"BUTTON", IDC_READ_BINARY, "Read Binary", {7, 64, 50, 14}, child | WS_TABSTOP, 0},
        {"EDIT", IDC_BINARY, "", {62, 64, 87, 14}, edit, 0},
        {"BUTTON", IDC_READ_ASCII, "Read ASCII", {7, 86, 50, 14}, child | WS_TABSTOP, 0},
        {"EDIT", IDC_ASCII, "", {62, 86, 88, 14}, edit, 0},
    };
    EXPECT_EQ(d->controls, expected);
}

TEST(ShellResourcesTest, AboutBoxStringIconAndVersion) {
    const auto& module = ZeltGUIResources();
    EXPECT_EQ(module.language, 1033);
    const auto* about = module.find_dialog(IDD_ABOUTBOX);
    ASSERT_NE(about, nullptr);
    EXPECT_FALSE(about->extended);
    EXPECT_EQ(about->size, (ui::model::Size{235, 55}));
    EXPECT_EQ(about->caption, "About Zelt GUI");
    EXPECT_EQ(about->style, DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    const std::uint32_t child = WS_CHILD | WS_VISIBLE;
    ASSERT_EQ(about->controls.size(), 4u);
    EXPECT_EQ(about->controls[0],
              (ui::model::ControlTemplate{
                  "STATIC", IDC_STATIC, "128", {11, 17, 20, 20}, child | SS_ICON, 0}));
    EXPECT_EQ(about->controls[1].style, child | SS_NOPREFIX | WS_GROUP);
    EXPECT_EQ(about->controls[1].text, "Zelt GUI Version 1.0");
    EXPECT_EQ(about->controls[3],
              (ui::model::ControlTemplate{"BUTTON",
                                          IDOK,
                                          "OK",
                                          {178, 7, 50, 14},
                                          child | BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP,
                                          0}));
    ASSERT_NE(module.find_string(IDS_ABOUTBOX), nullptr);
    EXPECT_EQ(*module.find_string(IDS_ABOUTBOX), "&About Zelt GUI...");
    ASSERT_NE(module.find_icon(IDR_MAINFRAME), nullptr);

    ASSERT_TRUE(module.version);
    const auto& v = *module.version;
    EXPECT_EQ(v.id, 1);
    EXPECT_EQ(std::vector<int>(v.file_version, v.file_version + 4), (std::vector<int>{1, 0, 0, 1}));
    EXPECT_EQ(v.file_flags_mask, 0x3Fu);
    EXPECT_EQ(v.file_os, 0x4u);
    EXPECT_EQ(v.file_type, 0x1u);
    EXPECT_EQ(v.string_block, "040904B0");
    std::vector<std::string> keys;
    for (const auto& s : v.strings)
        keys.push_back(s.key);
    EXPECT_EQ(keys,
              (std::vector<std::string>{"CompanyName", "FileDescription", "FileVersion",
                                        "InternalName", "LegalCopyright", "LegalTrademarks",
                                        "OriginalFilename", "ProductName", "ProductVersion"}));
    EXPECT_EQ(v.strings[6].value, "Zelt GUI.EXE");
    EXPECT_EQ(v.translation, (std::vector<std::uint32_t>{0x409, 1200}));
}

struct Row {
    UINT message;
    UINT code;
    UINT id;
    friend bool operator==(const Row&, const Row&) = default;
};

std::vector<Row> own_rows(const AFX_MSGMAP* map) {
    std::vector<Row> rows;
    for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->nSig != AfxSig_end; ++e)
        rows.push_back({e->nMessage, e->nCode, e->nID});
    return rows;
}

TEST(ShellMessageMapTest, RowsMatchResourceIdentifiers) {
    EXPECT_EQ(own_rows(CProbeDlg::GetThisMessageMap()),
              (std::vector<Row>{{WM_SYSCOMMAND, 0, 0},
                                {WM_PAINT, 0, 0},
                                {WM_QUERYDRAGICON, 0, 0},
                                {WM_COMMAND, BN_CLICKED, IDC_OPEN_PORT},
                                {WM_COMMAND, BN_CLICKED, IDC_READ_BINARY},
                                {WM_COMMAND, BN_CLICKED, IDC_READ_ASCII}}));
    EXPECT_EQ(own_rows(CProbeApp::GetThisMessageMap()),
              (std::vector<Row>{{WM_COMMAND, CN_COMMAND, ID_HELP}}));
    EXPECT_TRUE(own_rows(CAboutDlg::GetThisMessageMap()).empty());
    EXPECT_EQ(CProbeDlg::GetThisMessageMap()->pfnGetBaseMap, &CDialog::GetThisMessageMap);
}

} // namespace
