// What a virtual device holds; shared by its test API and its driver.
#pragma once

#include "platform/comm/virtual_device.h"

#include <map>
#include <mutex>
#include <string>
#include <utility>

namespace platform::comm {

struct VirtualDevice::State {
    enum class Pending { off, next, always };
    struct Failure {
        DWORD error;
        unsigned remaining; // 0: every call
        unsigned skip = 0;  // calls that still succeed first
    };

    std::mutex mutex;
    // Received bytes not yet read.
    std::string receive;
    DWORD out_queue = 0;
    bool hold_written = false;
    DWORD modem = 0;
    bool cts_hold = false;
    bool dsr_hold = false;
    bool xoff_hold = false;
    bool xoff_sent = false;
    DWORD errors = 0;
    std::map<std::string, Failure, std::less<>> failures;
    Pending pending = Pending::off;
    bool unplugged = false;

    std::string sent;
    std::vector<CallRecord> calls;
    DCB dcb{};
    std::vector<DCB> applied;
    COMMTIMEOUTS timeouts{};
    bool dtr = false;
    bool rts = false;
    bool break_on = false;
    DWORD event_mask = 0;
    DWORD in_size = 0;
    DWORD out_size = 0;
    bool open = false;
};

} // namespace platform::comm
