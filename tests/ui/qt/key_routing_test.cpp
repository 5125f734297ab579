// Which keys go to the dialog model and which stay with the native widgets.
#include "ui/qt/display_probe.h"
#include "ui/qt/key_map.h"

#include <gtest/gtest.h>

namespace ui::qt {
namespace {

using model::Key;
namespace mod = model::modifier;

TEST(KeyRouting, DialogKeysGoToTheModelEditingKeysStayNative) {
    const struct {
        const char* name;
        int qt_key;
        Qt::KeyboardModifiers modifiers;
        KeyTarget target;
        bool consumed;
        bool to_model;
        Key key;
        unsigned model_modifiers;
    } cases[] = {
        {"Tab", Qt::Key_Tab, Qt::NoModifier, KeyTarget::edit, true, true, Key::tab, mod::none},
        {"Shift+Tab", Qt::Key_Backtab, Qt::ShiftModifier, KeyTarget::button, true, true, Key::tab,
         mod::shift},
        {"Return in an edit", Qt::Key_Return, Qt::NoModifier, KeyTarget::edit, true, true,
         Key::enter, mod::none},
        {"keypad Enter", Qt::Key_Enter, Qt::KeypadModifier, KeyTarget::button, true, true,
         Key::enter, mod::none},
        {"Escape", Qt::Key_Escape, Qt::NoModifier, KeyTarget::other, true, true, Key::escape,
         mod::none},
        {"Alt+Space", Qt::Key_Space, Qt::AltModifier, KeyTarget::edit, true, true, Key::space,
         mod::alt},
        {"F10", Qt::Key_F10, Qt::NoModifier, KeyTarget::other, true, true, Key::f10, mod::none},
        {"Space on a button stays native", Qt::Key_Space, Qt::NoModifier, KeyTarget::button, false,
         false, Key::character, mod::none},
        {"letters stay native", Qt::Key_A, Qt::NoModifier, KeyTarget::edit, false, false,
         Key::character, mod::none},
        {"Ctrl+Tab is not a dialog key", Qt::Key_Tab, Qt::ControlModifier, KeyTarget::edit, false,
         false, Key::character, mod::none},
        {"arrows in an edit move the caret", Qt::Key_Left, Qt::NoModifier, KeyTarget::edit, false,
         false, Key::character, mod::none},
        {"arrows on a button are swallowed", Qt::Key_Down, Qt::NoModifier, KeyTarget::button, true,
         false, Key::character, mod::none},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const KeyRoute route = route_key(c.qt_key, c.modifiers, c.target);
        EXPECT_EQ(route.consume, c.consumed);
        ASSERT_EQ(route.event.has_value(), c.to_model);
        if (c.to_model) {
            EXPECT_EQ(route.event->key, c.key);
            EXPECT_EQ(route.event->modifiers, c.model_modifiers);
        }
    }
}

TEST(DisplayProbe, ParsesXDisplayNames) {
    const struct {
        const char* display;
        bool valid;
        const char* unix_path;
        const char* host;
        int port;
    } cases[] = {
        {":0", true, "/tmp/.X11-unix/X0", "", 0},
        {":1.0", true, "/tmp/.X11-unix/X1", "", 0},
        {"unix:2", true, "/tmp/.X11-unix/X2", "", 0},
        {"localhost:10.0", true, "", "localhost", 6010},
        {"[::1]:3", true, "", "::1", 6003},
        {"", false, "", "", 0},
        {"nocolon", false, "", "", 0},
        {":x", false, "", "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.display);
        const auto address = parse_x_display(c.display);
        ASSERT_EQ(address.has_value(), c.valid);
        if (!c.valid)
            continue;
        EXPECT_EQ(address->unix_path, c.unix_path);
        EXPECT_EQ(address->host, c.host);
        EXPECT_EQ(address->port, c.port);
    }
}

TEST(DisplayProbe, NeedsAServerOnlyForWindowSystemPlatforms) {
    DisplayEnvironment offscreen;
    offscreen.platform = "offscreen";
    EXPECT_TRUE(display_reachable(offscreen));

    DisplayEnvironment nothing;
    EXPECT_FALSE(display_reachable(nothing));

    DisplayEnvironment dead_x;
    dead_x.platform = "xcb";
    dead_x.display = ":4093"; // no server listens on so high a display
    EXPECT_FALSE(display_reachable(dead_x));

    DisplayEnvironment wayland_without_plugin;
    wayland_without_plugin.wayland_display = "wayland-0";
    wayland_without_plugin.runtime_dir = "/tmp";
    EXPECT_FALSE(display_reachable(wayland_without_plugin));
}

} // namespace
} // namespace ui::qt
