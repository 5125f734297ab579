// Terminal layout: dialog units to cells, overlap removal on the program's own dialogs, placement
// at several terminal sizes, hit tests, and the text helpers of popups.
#include "ui/model/dialog.h"
#include "ui/model/window_styles.h"
#include "ui/tui/cell_layout.h"
#include "ZeltGUI_rc.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace ui::tui {
namespace {

using model::Control;
using model::ControlKind;
using model::Rect;
using model::Size;
namespace style = model::style;

constexpr std::uint32_t child = style::WS_CHILD | style::WS_VISIBLE;

Control make_control(ControlKind kind, std::string text, Rect rect, std::uint32_t extra = 0) {
    Control c;
    c.kind = kind;
    c.text = std::move(text);
    c.rect = rect;
    c.style = child | extra;
    return c;
}

std::unique_ptr<model::Dialog> program_dialog(int id) {
    const model::DialogTemplate* t = ZeltGUIResources().find_dialog(id);
    return t != nullptr ? std::make_unique<model::Dialog>(*t) : nullptr;
}

// No two visible controls share a cell or touch on one row, and all lie inside the client.
void expect_sound(const CellLayout& layout, const std::vector<Control>& controls) {
    ASSERT_EQ(layout.controls.size(), controls.size());
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const Rect& a = layout.controls[i];
        SCOPED_TRACE("control " + std::to_string(i) + " \"" + controls[i].text + "\"");
        EXPECT_GE(a.x, 0);
        EXPECT_GE(a.y, 0);
        EXPECT_LT(a.right(), layout.client.width); // a free column before the frame
        EXPECT_LE(a.bottom(), layout.client.height);
        EXPECT_GE(a.width, content_width(controls[i]));
        for (std::size_t j = i + 1; j < controls.size(); ++j) {
            const Rect& b = layout.controls[j];
            const bool rows = a.y < b.bottom() && b.y < a.bottom();
            const bool columns = a.x < b.right() + control_gap && b.x < a.right() + control_gap;
            EXPECT_FALSE(rows && columns) << "overlaps control " << j;
        }
    }
}

TEST(CellLayout, DialogUnitsMapFourToAColumnAndEightToARow) {
    struct Case {
        const char* name;
        Rect dialog_units;
        Rect cells;
    };
    const Case cases[] = {
        {"exact multiples", {8, 16, 40, 8}, {2, 2, 10, 1}},
        {"half a column rounds away from zero", {62, 8, 87, 8}, {16, 1, 21, 1}},
        {"less than half rounds down", {9, 8, 24, 8}, {2, 1, 6, 1}},
        {"a 14-unit button sits on the row of its centre", {7, 38, 50, 14}, {2, 5, 12, 1}},
        {"an 8-unit label beside it shares that row", {83, 41, 71, 8}, {21, 5, 18, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Control control = make_control(ControlKind::edit, "", c.dialog_units);
        EXPECT_EQ(natural_cells(control), c.cells);
    }
}

TEST(CellLayout, ContentWidensControlsButNeverNarrowsThem) {
    Control button = make_control(ControlKind::push_button, "Read Binary", {7, 64, 50, 14});
    EXPECT_EQ(button_label(button, false), "[ Read Binary ]");
    EXPECT_EQ(button_label(button, true), "< Read Binary >");
    EXPECT_EQ(natural_cells(button).width, 15);

    Control mnemonic = make_control(ControlKind::push_button, "&Apply", {0, 0, 200, 14});
    EXPECT_EQ(button_label(mnemonic, false), "[ Apply ]");
    EXPECT_EQ(natural_cells(mnemonic).width, 50);

    Control literal =
        make_control(ControlKind::static_text, "A&B", {0, 0, 4, 8}, style::SS_NOPREFIX);
    EXPECT_EQ(display_text(literal), "A&B");
    EXPECT_EQ(natural_cells(literal).width, 3);

    Control status = make_control(ControlKind::edit, "Enter a port number", {36, 7, 67, 14});
    EXPECT_EQ(natural_cells(status).width, 20); // the text and the caret after it
}

TEST(CellLayout, NudgesRightPastNeighboursOnTheSameRowOnly) {
    const std::vector<Control> controls = {
        make_control(ControlKind::static_text, "Status: ", {9, 8, 24, 8}),
        make_control(ControlKind::edit, "", {36, 7, 67, 14}),
        make_control(ControlKind::push_button, "OK", {109, 7, 26, 14}),
        make_control(ControlKind::edit, "", {36, 30, 20, 14}), // another row: stays
        make_control(ControlKind::push_button, "Gone", {40, 7, 30, 14}),
    };
    std::vector<Control> with_hidden = controls;
    with_hidden[4].style &= ~style::WS_VISIBLE; // hidden controls push nothing
    const CellLayout layout = lay_out(with_hidden, {161, 60});
    EXPECT_EQ(layout.controls[0], (Rect{2, 1, 8, 1}));
    EXPECT_EQ(layout.controls[1], (Rect{11, 1, 17, 1}));
    EXPECT_EQ(layout.controls[2], (Rect{29, 1, 7, 1}));
    EXPECT_EQ(layout.controls[3], (Rect{9, 4, 5, 1}));
    EXPECT_EQ(layout.client, (Size{40, 8}));

    const CellLayout all = lay_out(controls, {161, 60});
    expect_sound(all, controls);
}

TEST(CellLayout, ClientGrowsToHoldWhatWasPushedOut) {
    const std::vector<Control> controls = {
        make_control(ControlKind::push_button, "Wide label here", {0, 0, 20, 8}),
        make_control(ControlKind::push_button, "Another wide one", {24, 0, 20, 8}),
    };
    const CellLayout layout = lay_out(controls, {48, 16});
    expect_sound(layout, controls);
    EXPECT_EQ(layout.client.width, layout.controls[1].right() + 1);
}

TEST(CellLayout, ProgramDialogsLayOutWithoutOverlap) {
    for (int id : {IDD_PROBE_DIALOG, IDD_ABOUTBOX}) {
        SCOPED_TRACE("dialog " + std::to_string(id));
        auto dialog = program_dialog(id);
        ASSERT_NE(dialog, nullptr);
        expect_sound(lay_out(dialog->controls(), dialog->size()), dialog->controls());
    }
    // As shown: the status field holds its first text by the time the view opens.
    auto main = program_dialog(IDD_PROBE_DIALOG);
    main->set_text(IDC_STATUS, "Enter a port number");
    main->set_text(IDC_PORT, "5");
    const CellLayout layout = lay_out(main->controls(), main->size());
    expect_sound(layout, main->controls());
    EXPECT_EQ(layout.outer(), (Size{45, 15}));
}

TEST(CellLayout, ProgramDialogKeepsItsRowsAndReadingOrder) {
    auto main = program_dialog(IDD_PROBE_DIALOG);
    const CellLayout layout = lay_out(main->controls(), main->size());
    auto cells = [&](int id) {
        const auto& controls = main->controls();
        for (std::size_t i = 0; i < controls.size(); ++i)
            if (controls[i].id == id)
                return layout.controls[i];
        return Rect{};
    };
    EXPECT_EQ(cells(model::msg::dialog_ok).y, cells(IDC_STATUS).y);
    EXPECT_LT(cells(IDC_STATUS).right(), cells(model::msg::dialog_ok).x);
    EXPECT_EQ(cells(IDC_PORT).y, cells(IDC_OPEN_PORT).y);
    EXPECT_LT(cells(IDC_PORT).right(), cells(IDC_OPEN_PORT).x);
    EXPECT_LT(cells(IDC_OPEN_PORT).y, cells(IDC_READ_BINARY).y);
    EXPECT_EQ(cells(IDC_READ_BINARY).y, cells(IDC_BINARY).y);
    EXPECT_LT(cells(IDC_READ_BINARY).y, cells(IDC_READ_ASCII).y);
    EXPECT_EQ(cells(IDC_READ_ASCII).y, cells(IDC_ASCII).y);
}

TEST(CellLayout, PlacementCentresAndRefusesWhatDoesNotFit) {
    const Size outer{45, 15};
    struct Case {
        const char* name;
        Size terminal;
        bool fits;
    };
    const Case cases[] = {
        {"80x24", {80, 24}, true},          {"100x30", {100, 30}, true},
        {"exactly 45x15", {45, 15}, true},  {"one column short", {44, 15}, false},
        {"one row short", {45, 14}, false}, {"250x80", {250, 80}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto origin = place_centred(outer, c.terminal);
        ASSERT_EQ(origin.has_value(), c.fits);
        if (!c.fits)
            continue;
        EXPECT_GE(origin->x, 0);
        EXPECT_GE(origin->y, 0);
        EXPECT_LE(origin->x + outer.width, c.terminal.width);
        EXPECT_LE(origin->y + outer.height, c.terminal.height);
        EXPECT_LE(std::abs((c.terminal.width - outer.width) - 2 * origin->x), 1);
        EXPECT_LE(std::abs((c.terminal.height - outer.height) - 2 * origin->y), 1);
    }
    // A moved dialog stays on screen.
    EXPECT_EQ(place_centred(outer, {80, 24}, {-100, 100}), (model::Point{0, 9}));
}

TEST(CellLayout, HitTestFindsEachVisibleControlAndNothingBetween) {
    auto main = program_dialog(IDD_PROBE_DIALOG);
    const CellLayout layout = lay_out(main->controls(), main->size());
    for (std::size_t i = 0; i < layout.controls.size(); ++i) {
        const Rect& r = layout.controls[i];
        EXPECT_EQ(control_at(layout, main->controls(), {r.x, r.y}), static_cast<int>(i));
        EXPECT_EQ(control_at(layout, main->controls(), {r.right() - 1, r.y}), static_cast<int>(i));
    }
    EXPECT_EQ(control_at(layout, main->controls(), {0, 0}), -1);
    EXPECT_EQ(control_at(layout, main->controls(), {layout.client.width - 1, 2}), -1);
}

TEST(CellLayout, WrapsMessageTextAtBlanksAndLineBreaks) {
    struct Case {
        const char* name;
        std::string text;
        int width;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"short", "Please enter an integer.", 40, {"Please enter an integer."}},
        {"line breaks, CR dropped", "one\r\ntwo\nthree", 40, {"one", "two", "three"}},
        {"wraps at a blank", "Please enter an integer.", 12, {"Please enter", "an integer."}},
        {"hard cut without blanks", "..\\CPP_ALL\\COMLINK", 8, {"..\\CPP_A", "LL\\COMLI", "NK"}},
        {"empty", "", 10, {""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(wrap_lines(c.text, c.width), c.lines);
    }
}

TEST(CellLayout, TextReachesTheTerminalWithoutControlBytes) {
    EXPECT_EQ(printable("72.5"), "72.5");
    EXPECT_EQ(printable(std::string("T\x1b]0;x\a\x9b"
                                    "2J",
                                    10)),
              "T?]0;x??2J");
    EXPECT_EQ(printable(std::string("a\0b", 3)), "a?b");
    EXPECT_EQ(printable("+23.5C\r\n"), "+23.5C  ");
}

} // namespace
} // namespace ui::tui
