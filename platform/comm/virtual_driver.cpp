// The driver of virtual devices: every Win32 call is logged, may be made to fail, and acts
// on the device's state at once.
#include "platform/comm/dcb_rules.h"
#include "platform/comm/drivers.h"
#include "platform/comm/virtual_device_state.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>

namespace platform::comm {

namespace {

struct Registry {
    std::mutex mutex;
    std::map<int, std::shared_ptr<VirtualDevice>> ports;
};

Registry& registry() {
    static Registry instance;
    return instance;
}

} // namespace

class VirtualDriver final : public Device {
public:
    explicit VirtualDriver(std::shared_ptr<VirtualDevice> device)
        : m_device(std::move(device)), m_state(*m_device->m_state) {}

    // Opens the device exclusively; ERROR_ACCESS_DENIED when a handle already has it.
    static OpenResult open(const std::shared_ptr<VirtualDevice>& device) {
        VirtualDevice::State& state = *device->m_state;
        std::lock_guard lock(state.mutex);
        DWORD error = enter(state, "CreateFileA", {});
        if (error == ERROR_SUCCESS && state.unplugged)
            error = ERROR_FILE_NOT_FOUND;
        if (error == ERROR_SUCCESS && state.open)
            error = ERROR_ACCESS_DENIED;
        if (error != ERROR_SUCCESS)
            return {nullptr, error};
        state.open = true;
        return {std::make_unique<VirtualDriver>(device), ERROR_SUCCESS};
    }

    DWORD close() override {
        std::lock_guard lock(m_state.mutex);
        log(m_state, "CloseHandle", {});
        m_state.open = false;
        return ERROR_SUCCESS;
    }

    DWORD read(void* buffer, DWORD count, DWORD& done, OVERLAPPED*) override {
        std::lock_guard lock(m_state.mutex);
        if (DWORD error = begin("ReadFile", {count}); error != ERROR_SUCCESS)
            return error;
        done = static_cast<DWORD>(std::min<std::size_t>(count, m_state.receive.size()));
        if (done != 0)
            std::memcpy(buffer, m_state.receive.data(), done);
        m_state.receive.erase(0, done);
        return ERROR_SUCCESS;
    }

    DWORD write(const void* data, DWORD count, DWORD& done, OVERLAPPED*) override {
        std::lock_guard lock(m_state.mutex);
        if (DWORD error = begin("WriteFile", {count}); error != ERROR_SUCCESS)
            return error;
        m_state.sent.append(static_cast<const char*>(data), count);
        if (m_state.hold_written)
            m_state.out_queue += count;
        done = count;
        if (m_state.pending == VirtualDevice::State::Pending::off)
            return ERROR_SUCCESS;
        if (m_state.pending == VirtualDevice::State::Pending::next)
            m_state.pending = VirtualDevice::State::Pending::off;
        return ERROR_IO_PENDING;
    }

    DWORD overlapped_result(OVERLAPPED& overlapped, bool wait, DWORD& done) override {
        std::lock_guard lock(m_state.mutex);
        if (DWORD error = begin("GetOverlappedResult", {wait ? 1 : 0}); error != ERROR_SUCCESS)
            return error;
        // A pending transfer has handed over its bytes already; asking completes it.
        if (overlapped.Internal == k_status_pending)
            overlapped.Internal = ERROR_SUCCESS;
        done = static_cast<DWORD>(overlapped.InternalHigh);
        return static_cast<DWORD>(overlapped.Internal);
    }

    DWORD setup(DWORD in_queue, DWORD out_queue) override {
        std::lock_guard lock(m_state.mutex);
        if (DWORD error = begin("SetupComm", {in_queue, out_queue}); error != ERROR_SUCCESS)
            return error;
        m_state.in_size = in_queue;
        m_state.out_size = out_queue;
        return ERROR_SUCCESS;
    }

    DWORD get_state(DCB& dcb) override {
        std::lock_guard lock(m_state.mutex);
        if (DWORD error = begin("GetCommState", {}); error != ERROR_SUCCESS)
            return error;
        dcb = m_state.dcb;
        return ERROR_SUCCESS;
    }

    DWORD set_state(const DCB& dcb) override {
        std::lock_guard lock(m_state.mutex);
        if (DWORD error = begin("SetCommState", {}); error != ERROR_SUCCESS)
            return error;
        m_state.applied.push_back(dcb);
        if (DWORD error = check_dcb(dcb); error != ERROR_SUCCESS)
            return error;
        m_state.dcb = dcb;
        // As on a real port, the control modes set the output levels.
        if (dcb.fDtrControl != DTR_CONTROL_HANDSHAKE)
            m_state.dtr = dcb.fDtrControl == DTR_CONTROL_ENABLE;
        if (dcb.fRtsControl == RTS_CONTROL_ENABLE || dcb.fRtsControl == RTS_CONTROL_DISABLE)
            m_state.rts = dcb.fRtsControl == RTS_CONTROL_ENABLE;
        return ERROR_SUCCESS;
    }

    DWORD get_timeouts(COMMTIMEOUTS& timeouts) override {
        std::lock_guard lock(m_state.mutex);
        if (DWORD error = begin("GetCommTimeouts", {}); error != ERROR_SUCCESS)
            return error;
        timeouts = m_state.timeouts;
        return ERROR_SUCCESS;
    }

    DWORD set_timeouts(const COMMTIMEOUTS& t) override {
        std::lock_guard lock(m_state.mutex);
        DWORD error =
            begin("SetCommTimeouts",
                  {t.ReadIntervalTimeout, t.ReadTotalTimeoutMultiplier, t.ReadTotalTimeoutConstant,
                   t.WriteTotalTimeoutMultiplier, t.WriteTotalTimeoutConstant});
        if (error != ERROR_SUCCESS)
            return error;
        m_state.timeouts = t;
        return ERROR_SUCCESS;
    }

    DWORD get_mask(DWORD& mask) override {
        std::lock_guard lock(m_state.mutex);
        if (DWORD error = begin("GetCommMask", {}); error != ERROR_SUCCESS)
            return error;
        mask = m_state.event_mask;
        return ERROR_SUCCESS;
    }

    DWORD set_mask(DWORD mask) override {
        std::lock_guard lock(m_state.mutex);
        if (DWORD error = begin("SetCommMask", {mask}); error != ERROR_SUCCESS)
            return error;
        m_state.event_mask = mask;
        return ERROR_SUCCESS;
    }

    DWORD wait_event(DWORD& events) override {
        std::lock_guard lock(m_state.mutex);
        if (DWORD error = begin("WaitCommEvent", {}); error != ERROR_SUCCESS)
            return error;
        if (m_state.event_mask == 0)
            return ERROR_INVALID_PARAMETER;
        DWORD present = 0;
        if (!m_state.receive.empty())
            present |= EV_RXCHAR;
        if (m_state.out_queue == 0)
            present |= EV_TXEMPTY;
        if (m_state.errors != 0)
            present |= EV_ERR;
        events = present & m_state.event_mask;
        return ERROR_SUCCESS;
    }

    DWORD clear_error(DWORD& errors, COMSTAT& stat) override {
        std::lock_guard lock(m_state.mutex);
        if (DWORD error = begin("ClearCommError", {}); error != ERROR_SUCCESS)
            return error;
        errors = std::exchange(m_state.errors, 0);
        stat.fCtsHold = m_state.cts_hold ? 1 : 0;
        stat.fDsrHold = m_state.dsr_hold ? 1 : 0;
        stat.fXoffHold = m_state.xoff_hold ? 1 : 0;
        stat.fXoffSent = m_state.xoff_sent ? 1 : 0;
        stat.cbInQue = static_cast<DWORD>(m_state.receive.size());
        stat.cbOutQue = m_state.out_queue;
        return ERROR_SUCCESS;
    }

    DWORD purge(DWORD flags) override {
        std::lock_guard lock(m_state.mutex);
        if (DWORD error = begin("PurgeComm", {flags}); error != ERROR_SUCCESS)
            return error;
        constexpr DWORD all = PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR;
        if ((flags & ~all) != 0)
            return ERROR_INVALID_PARAMETER;
        if ((flags & PURGE_TXCLEAR) != 0)
            m_state.out_queue = 0;
        if ((flags & PURGE_RXCLEAR) != 0)
            m_state.receive.clear();
        return ERROR_SUCCESS;
    }

    DWORD transmit_char(char byte) override {
        std::lock_guard lock(m_state.mutex);
        auto value = static_cast<unsigned char>(byte);
        if (DWORD error = begin("TransmitCommChar", {value}); error != ERROR_SUCCESS)
            return error;
        m_state.sent.push_back(byte);
        return ERROR_SUCCESS;
    }

    DWORD escape(DWORD function) override {
        std::lock_guard lock(m_state.mutex);
        if (DWORD error = begin("EscapeCommFunction", {function}); error != ERROR_SUCCESS)
            return error;
        switch (function) {
        case SETXOFF:
            m_state.xoff_hold = true;
            return ERROR_SUCCESS;
        case SETXON:
            m_state.xoff_hold = false;
            return ERROR_SUCCESS;
        case SETRTS:
            m_state.rts = true;
            return ERROR_SUCCESS;
        case CLRRTS:
            m_state.rts = false;
            return ERROR_SUCCESS;
        case SETDTR:
            m_state.dtr = true;
            return ERROR_SUCCESS;
        case CLRDTR:
            m_state.dtr = false;
            return ERROR_SUCCESS;
        case SETBREAK:
            m_state.break_on = true;
            return ERROR_SUCCESS;
        case CLRBREAK:
            m_state.break_on = false;
            return ERROR_SUCCESS;
        default:
            return ERROR_INVALID_PARAMETER;
        }
    }

    DWORD set_break(BreakCall call) override {
        std::lock_guard lock(m_state.mutex);
        bool on = call == BreakCall::set;
        if (DWORD error = begin(on ? "SetCommBreak" : "ClearCommBreak", {}); error != ERROR_SUCCESS)
            return error;
        m_state.break_on = on;
        return ERROR_SUCCESS;
    }

    DWORD modem_status(DWORD& status) override {
        std::lock_guard lock(m_state.mutex);
        if (DWORD error = begin("GetCommModemStatus", {}); error != ERROR_SUCCESS)
            return error;
        status = m_state.modem;
        return ERROR_SUCCESS;
    }

private:
    static void log(VirtualDevice::State& state, std::string_view name,
                    std::initializer_list<std::int64_t> args) {
        state.calls.push_back(CallRecord{std::string(name), std::vector<std::int64_t>(args)});
    }

    // Logs the call and returns the failure set up for it, ERROR_SUCCESS when none.
    static DWORD enter(VirtualDevice::State& state, std::string_view name,
                       std::initializer_list<std::int64_t> args) {
        log(state, name, args);
        auto found = state.failures.find(name);
        if (found == state.failures.end())
            return ERROR_SUCCESS;
        if (found->second.skip > 0) {
            --found->second.skip;
            return ERROR_SUCCESS;
        }
        DWORD error = found->second.error;
        if (found->second.remaining == 1)
            state.failures.erase(found);
        else if (found->second.remaining > 1)
            --found->second.remaining;
        return error;
    }

    // A call on an open handle: an unplugged device refuses everything.
    DWORD begin(std::string_view name, std::initializer_list<std::int64_t> args) {
        if (m_state.unplugged) {
            log(m_state, name, args);
            return ERROR_DEVICE_NOT_CONNECTED;
        }
        return enter(m_state, name, args);
    }

    std::shared_ptr<VirtualDevice> m_device;
    VirtualDevice::State& m_state;
};

OpenResult open_virtual_port(int com_number) {
    std::shared_ptr<VirtualDevice> device;
    {
        Registry& r = registry();
        std::lock_guard lock(r.mutex);
        auto found = r.ports.find(com_number);
        if (found == r.ports.end())
            return {};
        device = found->second;
    }
    return VirtualDriver::open(device);
}

std::shared_ptr<VirtualDevice> install_virtual_port(int com_number) {
    auto device = std::make_shared<VirtualDevice>();
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    r.ports.insert_or_assign(com_number, device);
    return device;
}

void remove_virtual_port(int com_number) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    r.ports.erase(com_number);
}

void remove_all_virtual_ports() {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    r.ports.clear();
}

} // namespace platform::comm
