// MessageBoxA and GetFocus: routed to an installed hook, else to the console.
#include "platform/windows.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {

struct RecordedBox {
    HWND owner = nullptr;
    std::string text;
    std::string caption;
    UINT type = 0xFFFF;
    int calls = 0;
};

RecordedBox s_recorded;

int recording_box(HWND owner, const char* text, const char* caption, UINT type) {
    s_recorded.owner = owner;
    s_recorded.text = text;
    s_recorded.caption = caption;
    s_recorded.type = type;
    ++s_recorded.calls;
    return IDCANCEL;
}

HWND fake_focus() {
    return reinterpret_cast<HWND>(0x1234);
}

// Points standard input at /dev/null for the life of the scope, so the console never waits.
class NoTerminalInput {
public:
    NoTerminalInput() : m_saved(dup(STDIN_FILENO)) {
        int null_fd = open("/dev/null", O_RDONLY);
        dup2(null_fd, STDIN_FILENO);
        close(null_fd);
    }
    ~NoTerminalInput() {
        dup2(m_saved, STDIN_FILENO);
        close(m_saved);
    }

private:
    int m_saved;
};

class MessageBoxTest : public ::testing::Test {
protected:
    void TearDown() override {
        platform::install_message_box_hook(nullptr);
        platform::install_focus_hook(nullptr);
        s_recorded = RecordedBox{};
    }
};

TEST_F(MessageBoxTest, HookReceivesEveryArgumentAndItsAnswerIsReturned) {
    platform::install_message_box_hook(recording_box);
    HWND owner = reinterpret_cast<HWND>(0x42);
    EXPECT_EQ(MessageBoxA(owner, "text", "caption", MB_OK | MB_ICONHAND), IDCANCEL);
    EXPECT_EQ(s_recorded.calls, 1);
    EXPECT_EQ(s_recorded.owner, owner);
    EXPECT_EQ(s_recorded.text, "text");
    EXPECT_EQ(s_recorded.caption, "caption");
    EXPECT_EQ(s_recorded.type, MB_OK | MB_ICONHAND);
}

TEST_F(MessageBoxTest, WithoutHookTheConsoleShowsCaptionThenText) {
    platform::install_message_box_hook(recording_box);
    platform::install_message_box_hook(nullptr);
    NoTerminalInput no_terminal;
    ::testing::internal::CaptureStderr();
    int answer = MessageBoxA(nullptr, "line one\nline two", "Library Error", MB_OK);
    std::string shown = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(answer, IDOK);
    EXPECT_EQ(shown, "Library Error\nline one\nline two\n");
    EXPECT_EQ(s_recorded.calls, 0);
}

TEST_F(MessageBoxTest, FocusComesFromTheHookOrIsNone) {
    EXPECT_EQ(GetFocus(), nullptr);
    platform::install_focus_hook(fake_focus);
    EXPECT_EQ(GetFocus(), fake_focus());
    platform::install_focus_hook(nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
}

} // namespace
