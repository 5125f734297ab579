// The virtual device's test API and the process-wide table of installed virtual ports.
#include "platform/comm/virtual_device.h"

#include "platform/comm/dcb_rules.h"
#include "platform/comm/virtual_device_state.h"

namespace platform::comm {

std::string CallRecord::text() const {
    std::string out = name + "(";
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (i != 0)
            out += ',';
        out += std::to_string(args[i]);
    }
    return out + ")";
}

VirtualDevice::VirtualDevice() : m_state(std::make_unique<State>()) {
    m_state->dcb = default_dcb();
}

VirtualDevice::~VirtualDevice() = default;

void VirtualDevice::queue_receive(std::string_view bytes) {
    std::lock_guard lock(m_state->mutex);
    m_state->receive.append(bytes);
}

void VirtualDevice::set_out_queue(DWORD count) {
    std::lock_guard lock(m_state->mutex);
    m_state->out_queue = count;
}

void VirtualDevice::set_hold_written(bool hold) {
    std::lock_guard lock(m_state->mutex);
    m_state->hold_written = hold;
}

void VirtualDevice::set_modem_status(DWORD ms_bits) {
    std::lock_guard lock(m_state->mutex);
    m_state->modem = ms_bits;
}

void VirtualDevice::set_holds(bool cts_hold, bool dsr_hold, bool xoff_hold, bool xoff_sent) {
    std::lock_guard lock(m_state->mutex);
    m_state->cts_hold = cts_hold;
    m_state->dsr_hold = dsr_hold;
    m_state->xoff_hold = xoff_hold;
    m_state->xoff_sent = xoff_sent;
}

void VirtualDevice::raise_errors(DWORD ce_bits) {
    std::lock_guard lock(m_state->mutex);
    m_state->errors |= ce_bits;
}

void VirtualDevice::fail(std::string_view call, DWORD error, unsigned times, unsigned after) {
    std::lock_guard lock(m_state->mutex);
    m_state->failures.insert_or_assign(std::string(call), State::Failure{error, times, after});
}

void VirtualDevice::clear_failures() {
    std::lock_guard lock(m_state->mutex);
    m_state->failures.clear();
}

void VirtualDevice::set_writes_pending(bool always) {
    std::lock_guard lock(m_state->mutex);
    m_state->pending = always ? State::Pending::always : State::Pending::next;
}

void VirtualDevice::stop_writes_pending() {
    std::lock_guard lock(m_state->mutex);
    m_state->pending = State::Pending::off;
}

void VirtualDevice::unplug() {
    std::lock_guard lock(m_state->mutex);
    m_state->unplugged = true;
}

const std::string& VirtualDevice::sent() const {
    return m_state->sent;
}

std::string VirtualDevice::take_sent() {
    std::lock_guard lock(m_state->mutex);
    return std::exchange(m_state->sent, {});
}

const std::vector<CallRecord>& VirtualDevice::calls() const {
    return m_state->calls;
}

std::vector<std::string> VirtualDevice::call_texts() const {
    std::lock_guard lock(m_state->mutex);
    std::vector<std::string> texts;
    texts.reserve(m_state->calls.size());
    for (const CallRecord& call : m_state->calls)
        texts.push_back(call.text());
    return texts;
}

void VirtualDevice::clear_calls() {
    std::lock_guard lock(m_state->mutex);
    m_state->calls.clear();
}

const DCB& VirtualDevice::dcb() const {
    return m_state->dcb;
}

const std::vector<DCB>& VirtualDevice::applied_dcbs() const {
    return m_state->applied;
}

COMMTIMEOUTS VirtualDevice::timeouts() const {
    std::lock_guard lock(m_state->mutex);
    return m_state->timeouts;
}

bool VirtualDevice::dtr() const {
    std::lock_guard lock(m_state->mutex);
    return m_state->dtr;
}

bool VirtualDevice::rts() const {
    std::lock_guard lock(m_state->mutex);
    return m_state->rts;
}

bool VirtualDevice::break_on() const {
    std::lock_guard lock(m_state->mutex);
    return m_state->break_on;
}

DWORD VirtualDevice::event_mask() const {
    std::lock_guard lock(m_state->mutex);
    return m_state->event_mask;
}

DWORD VirtualDevice::in_queue_size() const {
    std::lock_guard lock(m_state->mutex);
    return m_state->in_size;
}

DWORD VirtualDevice::out_queue_size() const {
    std::lock_guard lock(m_state->mutex);
    return m_state->out_size;
}

bool VirtualDevice::is_open() const {
    std::lock_guard lock(m_state->mutex);
    return m_state->open;
}

DWORD VirtualDevice::received_pending() const {
    std::lock_guard lock(m_state->mutex);
    return static_cast<DWORD>(m_state->receive.size());
}

} // namespace platform::comm
