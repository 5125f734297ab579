// The main dialog over a virtual COM5 whose probe answers on a manual clock: each command the
// program writes gets the responder's reply `delay` milliseconds later, delivered as the
// program's Sleep calls move the clock past that time.
#pragma once

#include "LineSettings.h"
#include "PortLink.h"
#include "ProbeApp.h"
#include "ProbeConversation.h"
#include "ProbeDlg.h"
#include "ZeltGUI_rc.h"
#include "platform/clock.h"
#include "platform/comm/virtual_device.h"
#include "ui/headless/session.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace conversation_test {

// Reply bytes for one command byte; empty for none.
using Responder = std::function<std::string(unsigned char command)>;

class ProbeClock final : public platform::Clock {
public:
    ProbeClock(std::shared_ptr<platform::comm::VirtualDevice> device, Responder responder)
        : m_device(std::move(device)), m_responder(std::move(responder)) {}
    void set_responder(Responder responder) { m_responder = std::move(responder); }
    void set_delay(std::uint32_t milliseconds) { m_delay = milliseconds; }

    std::uint32_t tick_count() override { return m_now; }
    void sleep(std::uint32_t milliseconds) override {
        ++m_sleeps;
        hear_commands();
        // A yield takes a millisecond, so that waits on the tick count come to an end.
        m_now += milliseconds == 0 ? 1 : milliseconds;
        deliver_replies();
    }
    std::uint32_t now() const { return m_now; }
    std::uint32_t sleeps() const { return m_sleeps; }

private:
    // Commands written since the last look count as arriving now.
    void hear_commands() {
        const std::string& sent = m_device->sent();
        for (; m_heard < sent.size(); ++m_heard) {
            std::string reply = m_responder ? m_responder(static_cast<unsigned char>(sent[m_heard]))
                                            : std::string();
            if (!reply.empty())
                m_due.emplace(m_now + m_delay, reply);
        }
    }
    void deliver_replies() {
        while (!m_due.empty() && m_due.begin()->first <= m_now) {
            m_device->queue_receive(m_due.begin()->second);
            m_due.erase(m_due.begin());
        }
    }

    std::shared_ptr<platform::comm::VirtualDevice> m_device;
    Responder m_responder;
    std::uint32_t m_now = 1000;
    std::uint32_t m_delay = 0;
    std::uint32_t m_sleeps = 0;
    std::size_t m_heard = 0;
    std::multimap<std::uint32_t, std::string> m_due;
};

// Answers like a healthy probe: 'T' and a name, 25.0 degrees, "+25.0C\r".
inline std::string healthy_probe(unsigned char command) {
    switch (command) {
    case 0x27:
        return "TZELT\r";
    case 'B':
        return std::string("\x90\x01", 2);
    case 'F':
        return "+25.0C\r";
    default:
        return {};
    }
}

class ConversationTest : public ::testing::Test {
protected:
    CWinApp* m_app = &theApp; // links the application object that the dialog loads from
    ui::headless::Session m_session{&ZeltGUIResources()};
    std::shared_ptr<platform::comm::VirtualDevice> m_device =
        platform::comm::install_virtual_port(5);
    ProbeClock m_clock{m_device, healthy_probe};
    platform::ScopedClock m_scoped_clock{m_clock};
    CProbeDlg m_dlg;

    void SetUp() override { ASSERT_TRUE(m_dlg.Create(CProbeDlg::IDD)); }
    void TearDown() override {
        // The handlers keep their objects until the next Open Port; a test ends them here.
        DeleteSerialObjects();
        platform::comm::remove_all_virtual_ports();
    }

    ui::model::Dialog& dialog() { return *m_dlg.GetModel(); }
    ui::headless::DialogDriver driver() { return ui::headless::DialogDriver(dialog()); }
    ui::headless::HeadlessFrontEnd& front_end() { return m_session.front_end(); }
    std::string text(int id) { return dialog().text(id); }

    void open_port(const std::string& port = "5") {
        driver().type_into(IDC_PORT, port);
        driver().click(IDC_OPEN_PORT);
    }
    // The texts of control id at each paint since the records were last cleared.
    std::vector<std::string> painted(int id) {
        std::vector<std::string> texts;
        for (const auto& screen : front_end().screens())
            texts.push_back(screen.text(id));
        return texts;
    }
};

} // namespace conversation_test
