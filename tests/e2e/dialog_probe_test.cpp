// The three buttons end to end: the dialog's handlers, COMLINK and the tty driver over a real
// pseudo-terminal, with zelt-sim or a scripted probe on the other end.
#include "dialog_fixture.h"
#include "pty_peer.h"
#include "sim_process.h"
#include "wait_for.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace e2e {
namespace {

std::string wire(std::initializer_list<unsigned char> values) {
    return std::string(values.begin(), values.end());
}

// Answers the identify command with 'T' and hands every other command to `reading`.
PtyPeer::Responder probe_with(std::function<std::string(unsigned char)> reading) {
    return [reading](unsigned char command) {
        if (command == 0x27)
            return PeerReply{"TZELT\r"};
        return PeerReply{reading(command)};
    };
}

TEST_F(DialogOverPty, SimulatedProbeAnswersAllThreeButtons) {
    SimProcess sim(m_folder.path(), 5, {"--temp", "25", "--ascii", "+25.0C"});
    ASSERT_TRUE(sim.wait_ready());
    EXPECT_EQ(open_port(), "Korvex-Zelt Ready");
    EXPECT_EQ(read_binary(), "77.0");
    EXPECT_EQ(text(IDC_ASCII), " ");
    EXPECT_EQ(read_ascii(), "+25.0C");
    EXPECT_EQ(text(IDC_BINARY), " ");
    EXPECT_NE(sim.log().find("rx 27 at 9600 8N1"), std::string::npos) << sim.log();
}

TEST_F(DialogOverPty, IdentifyRepliesOverTheWire) {
    const struct {
        const char* name;
        std::string reply;
        const char* status;
    } cases[] = {
        {"wrong first byte", "tZELT\r", "no Korvex-Zelt"},
        {"silence", "", "no Korvex-Zelt"},
        {"T and 40 more bytes", "T" + std::string(40, '#'), "Korvex-Zelt Ready"},
    };
    PtyPeer peer(m_folder.path(), 5, nullptr);
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        peer.set_responder([&](unsigned char command) {
            if (command == 0x27)
                return PeerReply{row.reply};
            return PeerReply{command == 'B' ? wire({0x90, 0x01}) : std::string()};
        });
        EXPECT_EQ(open_port(), row.status);
        // Nothing of the identify reply is left to spoil the next reading.
        EXPECT_EQ(read_binary(), "77.0");
    }
}

TEST_F(DialogOverPty, BinaryExamplesThroughTheWire) {
    const struct {
        std::string bytes;
        const char* shown;
    } cases[] = {
        {wire({0x90, 0x01}), "77.0"}, {wire({0xD0, 0x07}), "257.0"}, {wire({0x00, 0x00}), "32.0"},
        {wire({0x08, 0x00}), "32.9"}, {wire({0x04, 0x00}), "32.4"},  {wire({0xFF, 0x7F}), "262.3"},
        {wire({0x5E, 0xFF}), "13.8"}, {wire({0xF4, 0xFF}), "30.7"},  {wire({0x90, 0xFC}), "-67.0"},
        {wire({0xFF, 0xFF}), "31.9"}, {wire({0x00, 0x80}), "32.0"},  {wire({0x00, 0x08}), "32.0"},
    };
    std::size_t next = 0;
    PtyPeer peer(m_folder.path(), 5, probe_with([&](unsigned char) {
                     return next < std::size(cases) ? cases[next].bytes : std::string();
                 }));
    ASSERT_EQ(open_port(), "Korvex-Zelt Ready");
    for (; next < std::size(cases); ++next)
        EXPECT_EQ(read_binary(), cases[next].shown) << "case " << next;
}

TEST_F(DialogOverPty, LongBinaryReplyStartsTheNextOne) {
    int replies = 0;
    PtyPeer peer(m_folder.path(), 5, probe_with([&](unsigned char) {
                     return ++replies == 1 ? wire({0x90, 0x01, 0x08}) : wire({0x00, 0x90});
                 }));
    ASSERT_EQ(open_port(), "Korvex-Zelt Ready");
    EXPECT_EQ(read_binary(), "77.0");
    EXPECT_EQ(read_binary(), "32.9"); // 0x08 left over, then the first byte of the next reply
}

TEST_F(DialogOverPty, AsciiRepliesAreShownUpToAZeroAndWithoutFormatting) {
    const struct {
        std::string reply;
        const char* shown;
    } cases[] = {
        {std::string("+21.5\0C\r", 8), "+21.5"},
        {"100%s%d%n\r", "100%s%d%n\r"},
    };
    std::size_t next = 0;
    PtyPeer peer(m_folder.path(), 5, probe_with([&](unsigned char) { return cases[next].reply; }));
    ASSERT_EQ(open_port(), "Korvex-Zelt Ready");
    for (; next < std::size(cases); ++next)
        EXPECT_EQ(read_ascii(), cases[next].shown);
}

TEST_F(DialogOverPty, SecondOpenPortReopensAtNineThousandSixHundred) {
    PtyPeer peer(m_folder.path(), 5, probe_with([](unsigned char) { return std::string(); }));
    ASSERT_EQ(open_port(), "Korvex-Zelt Ready");
    ASSERT_EQ(open_port(), "Korvex-Zelt Ready");
    std::vector<ReceivedCommand> received = peer.received();
    ASSERT_EQ(received.size(), 2u);
    for (const ReceivedCommand& command : received) {
        EXPECT_EQ(command.command, 0x27);
        ASSERT_TRUE(command.line.has_value());
        EXPECT_EQ(command.line->text(), "9600 8N1");
    }
}

TEST_F(DialogOverPty, PortHeldByAnotherProgramIsNoPort) {
    PtyPeer peer(m_folder.path(), 5, probe_with([](unsigned char) { return std::string(); }));
    int holder = open(peer.slave_path().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(flock(holder, LOCK_EX | LOCK_NB), 0);
    EXPECT_EQ(open_port(), "COM5:No Port");
    EXPECT_EQ(read_binary(), "No port open");
    close(holder);
    EXPECT_EQ(open_port(), "Korvex-Zelt Ready");
}

TEST_F(DialogOverPty, LettersInThePortFieldUseThePreviousPort) {
    PtyPeer peer(m_folder.path(), 5, probe_with([](unsigned char) { return std::string(); }));
    EXPECT_EQ(open_port("COM5"), "Korvex-Zelt Ready");
    ASSERT_EQ(m_session.front_end().message_boxes().size(), 1u);
    EXPECT_EQ(m_session.front_end().message_boxes()[0].text, "Please enter an integer.");
    EXPECT_EQ(text(IDC_PORT), "5");
}

TEST_F(DialogOverPty, ProbeHangingUpMidReplyThenComingBack) {
    PtyPeer peer(m_folder.path(), 5, nullptr);
    peer.set_responder([](unsigned char command) {
        if (command == 0x27)
            return PeerReply{"TZELT\r"};
        return PeerReply{wire({0x90}), true}; // half a reading, then the line goes
    });
    ASSERT_EQ(open_port(), "Korvex-Zelt Ready");
    EXPECT_EQ(read_binary(), "No reply");
    ASSERT_TRUE(wait_for([&] { return !peer.is_up(); }));

    peer.set_responder(probe_with([](unsigned char) { return wire({0x90, 0x01}); }));
    peer.come_back();
    EXPECT_EQ(open_port(), "Korvex-Zelt Ready");
    EXPECT_EQ(read_binary(), "77.0");
}

TEST_F(DialogOverPty, MissingDeviceIsNoPortAndANewPortWorksAfterwards) {
    ASSERT_EQ(symlink("/dev/zelt-no-such-device", m_folder.entry(3).c_str()), 0);
    EXPECT_EQ(open_port("3"), "COM3:No Port");
    PtyPeer peer(m_folder.path(), 5, probe_with([](unsigned char) { return std::string(); }));
    EXPECT_EQ(open_port("5"), "Korvex-Zelt Ready");
}

} // namespace
} // namespace e2e
