// The resource compiler: a script with every statement the program uses, and faults reported
// with file and line.
#include "ui/model/window_styles.h"
#include "ui/rc/rc_compiler.h"
#include "ui/res/ico_decoder.h"

#include <gtest/gtest.h>

#include <map>

namespace ui::rc {
namespace {

using namespace ui::model::style;

// A 1x1 32-bit icon: directory, entry, header, one pixel, one mask row.
std::string tiny_icon() {
    std::string ico = {0, 0, 1, 0, 1, 0};
    const std::uint32_t image_size = 40 + 4 + 4;
    const char entry[16] = {1, 1, 0, 0,  1, 0, 32, 0, static_cast<char>(image_size),
                            0, 0, 0, 22, 0, 0, 0};
    ico.append(entry, 16);
    const char header[40] = {40, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 1, 0, 32, 0};
    ico.append(header, 40);
    ico += std::string("\x10\x20\x30\xFF", 4);
    ico += std::string(4, '\0');
    return ico;
}

class RcCompilerTest : public ::testing::Test {
protected:
    std::map<std::string, std::string> m_files = {
        {"dir/ids.h", "#pragma once\n#define IDD_MAIN 102\n#define IDC_EDIT 1001 // an edit\n"
                      "#define IDS_HELLO (100 + 1)\n#define IDI_APP 128\n"},
        {"dir/res/app.ico", tiny_icon()},
    };
    CompileResult compile_script(const std::string& text) {
        return compile(text, "dir/app.rc",
                       [this](const std::string& path) -> std::optional<std::string> {
                           auto it = m_files.find(path);
                           if (it == m_files.end())
                               return std::nullopt;
                           return it->second;
                       });
    }
};

TEST_F(RcCompilerTest, CompilesDialogsStringsIconsAndVersion) {
    const auto result = compile_script(R"(#include "ids.h"
LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US
IDI_APP ICON DISCARDABLE "res\\app.ico"
IDD_MAIN DIALOGEX 0, 0, 161, 106
STYLE DS_MODALFRAME | WS_POPUP | WS_VISIBLE | WS_CAPTION
EXSTYLE WS_EX_APPWINDOW
CAPTION "Main ""quoted"""
FONT 8, "MS Sans Serif", 0, 0, 0x1
BEGIN
    DEFPUSHBUTTON "OK",IDOK,109,7,26,14
    LTEXT "Status: ",IDC_STATIC,9,8,24,8,SS_NOPREFIX
    EDITTEXT IDC_EDIT,7,38,21,14,ES_AUTOHSCROLL | NOT WS_BORDER
    ICON IDI_APP,IDC_STATIC,11,17,20,20
    CONTROL "x",2,"BUTTON",BS_PUSHBUTTON,1,2,3,4,WS_EX_CLIENTEDGE
END
STRINGTABLE DISCARDABLE
BEGIN
    IDS_HELLO "&Hello..."
END
VS_VERSION_INFO VERSIONINFO
 FILEVERSION 1,0,0,1
 PRODUCTVERSION 1,0,0,1
 FILEFLAGSMASK 0x3fL
 FILEOS VOS__WINDOWS32
 FILETYPE VFT_APP
BEGIN
    BLOCK "StringFileInfo"
    BEGIN
        BLOCK "040904B0"
        BEGIN
            VALUE "CompanyName", "\0"
            VALUE "FileVersion", "1, 0, 0, 1\0"
        END
    END
    BLOCK "VarFileInfo"
    BEGIN
        VALUE "Translation", 0x409, 1200
    END
END
)");
    ASSERT_TRUE(result.module) << result.error;
    const res::Module& m = *result.module;
    EXPECT_EQ(m.language, 1033);
    const auto* d = m.find_dialog(102);
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->extended);
    EXPECT_EQ(d->caption, "Main \"quoted\"");
    EXPECT_EQ(d->size, (model::Size{161, 106}));
    EXPECT_EQ(d->style, DS_MODALFRAME | WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_SETFONT);
    EXPECT_EQ(d->ex_style, WS_EX_APPWINDOW);
    EXPECT_EQ(d->font, (model::FontSpec{"MS Sans Serif", 8, 0, false, 1}));
    const std::uint32_t child = WS_CHILD | WS_VISIBLE;
    const std::vector<model::ControlTemplate> expected = {
        {"BUTTON", 1, "OK", {109, 7, 26, 14}, child | BS_DEFPUSHBUTTON | WS_TABSTOP, 0},
        {"STATIC", -1, "Status: ", {9, 8, 24, 8}, child | WS_GROUP | SS_NOPREFIX, 0},
        {"EDIT", 1001, "", {7, 38, 21, 14}, child | WS_TABSTOP | ES_AUTOHSCROLL, 0},
        {"STATIC", -1, "128", {11, 17, 20, 20}, child | SS_ICON, 0},
        {"BUTTON", 2, "x", {1, 2, 3, 4}, child | BS_PUSHBUTTON, WS_EX_CLIENTEDGE},
    };
    EXPECT_EQ(d->controls, expected);
    ASSERT_NE(m.find_string(101), nullptr);
    EXPECT_EQ(*m.find_string(101), "&Hello...");
    ASSERT_NE(m.find_icon(128), nullptr);
    EXPECT_EQ(m.find_icon(128)->ico_file.size(), tiny_icon().size());
    ASSERT_TRUE(m.version);
    EXPECT_EQ(m.version->file_flags_mask, 0x3Fu);
    EXPECT_EQ(m.version->file_os, 4u);
    EXPECT_EQ(m.version->string_block, "040904B0");
    ASSERT_EQ(m.version->strings.size(), 2u);
    EXPECT_EQ(m.version->strings[0].value, "");
    EXPECT_EQ(m.version->strings[1].value, "1, 0, 0, 1");
    EXPECT_EQ(m.version->translation, (std::vector<std::uint32_t>{0x409, 1200}));

    // The generated source names the function and carries the texts.
    const std::string source = generate_source(m, "TestResources", "app.rc");
    EXPECT_NE(source.find("const ui::res::Module& TestResources()"), std::string::npos);
    EXPECT_NE(source.find("\"Main \\\"quoted\\\"\""), std::string::npos);
}

struct FaultCase {
    const char* name;
    const char* script;
    const char* error; // the whole "file:line: message"
};

class RcFaultTest : public RcCompilerTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(RcFaultTest, ReportsFileAndLine) {
    const auto result = compile_script(GetParam().script);
    EXPECT_FALSE(result.module);
    EXPECT_EQ(result.error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, RcFaultTest,
    ::testing::Values(
        FaultCase{"missing_comma", "1 DIALOG 0, 0, 10 10\nBEGIN\nEND\n",
                  "dir/app.rc:1: expected ','"},
        FaultCase{"undefined_symbol",
                  "\n\n1 DIALOG 0, 0, 10, 10\nBEGIN\n LTEXT \"a\",IDC_NOPE,1,2,3,4\nEND\n",
                  "dir/app.rc:5: undefined symbol 'IDC_NOPE'"},
        FaultCase{"unterminated_string", "STRINGTABLE\nBEGIN\n 1 \"open\nEND\n",
                  "dir/app.rc:3: unterminated string"},
        FaultCase{"missing_end", "1 DIALOG 0, 0, 10, 10\nBEGIN\n PUSHBUTTON \"a\",1,1,2,3,4\n",
                  "dir/app.rc:4: missing END"},
        FaultCase{"unknown_control", "1 DIALOG 0, 0, 10, 10\nBEGIN\n SLIDER \"a\",1,1,2,3,4\nEND\n",
                  "dir/app.rc:3: unknown control 'SLIDER'"},
        FaultCase{"missing_include", "#include \"gone.h\"\n", "dir/app.rc:1: cannot open 'gone.h'"},
        FaultCase{"bad_icon", "1 ICON \"ids.h\"\n",
                  "dir/app.rc:1: 'ids.h' is not a usable icon: not an icon file"},
        FaultCase{"duplicate_string", "STRINGTABLE\nBEGIN\n 1 \"a\"\n 1 \"b\"\nEND\n",
                  "dir/app.rc:4: string 1 defined twice"},
        FaultCase{"self_defined", "#define A A\n1 DIALOG 0, 0, A, 10\nBEGIN\nEND\n",
                  "dir/app.rc:1: 'A' is defined in terms of itself"},
        FaultCase{"stray_character", "1 DIALOG 0, 0, 10, 10 @\n",
                  "dir/app.rc:1: unexpected character '@'"},
        FaultCase{"unclosed_if", "#ifdef X\n", "dir/app.rc:1: #if without #endif"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RcCompilerTest, ErrorsInsideAnIncludedHeaderNameThatFile) {
    m_files["dir/bad.h"] = "#define OK 1\n#define\n";
    const auto result = compile_script("#include \"bad.h\"\n");
    EXPECT_EQ(result.error, "dir/bad.h:2: #define needs a name");
}

TEST_F(RcCompilerTest, DeepNestingIsAnErrorNotACrash) {
    const auto result = compile_script("1 DIALOG 0, 0, " + std::string(10000, '(') + "1");
    EXPECT_EQ(result.error, "dir/app.rc:1: expression nested too deeply");
}

TEST_F(RcCompilerTest, ConditionalsSkipInactiveText) {
    const auto result = compile_script("#define HAVE 1\n#ifndef HAVE\n this is not parsed "
                                       "@\n#else\nSTRINGTABLE\nBEGIN\n 5, \"five\"\nEND\n#endif\n");
    ASSERT_TRUE(result.module) << result.error;
    EXPECT_EQ(*result.module->find_string(5), "five");
}

} // namespace
} // namespace ui::rc
