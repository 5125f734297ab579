// A ComPort for tests: logs every call with its arguments and answers from a script.
#pragma once

#include "COMLINK.h"

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace comlink_test {

// The character format as SetLineSettings takes it.
struct LineFormat {
    std::int32_t baud = 1200;
    char parity = 'N';
    int data_bits = 8;
    int stop_bits = 1;
    bool operator==(const LineFormat&) const = default;
};

// Every operation is served; none ends the process. Calls are logged as text:
//   "Idle", "GetChar", "Read(5)", "Write(3)", "PutChar(0x41)", "GetQueueStatus(1)",
//   "SetLineSettings(9600,N,8,1)", "GetLineSettings", "SetHandshake(0,0)", "GetHandshake",
//   "GetLineStatus", "PollStatus", "Open(4)", "OpenDevice", "Close", "SetQueueSizes(1,2,3)",
//   "SetBreak(1)", "LineState(3,-1)", "PutString(5)", "PutPriorityChar(0x41)", "Purge(0,0)",
//   "Report".
// Received bytes become available when the installed clock (GetTickCount) reaches their tick,
// so a test drives arrival with a ManualClock. Idle calls Sleep(0), as a real port yields; a
// ManualClock with a yield step turns each Idle into a step of time.
class ScriptedPort : public ComPort {
public:
    ScriptedPort() = default;

    // --- script ---
    // Bytes available at once.
    void queue_rx(std::string_view bytes);
    // Bytes that become available once the tick count has reached `tick` (wrap-aware within
    // half the tick range).
    void queue_rx_at(std::uint32_t tick, std::string_view bytes);
    // Idle answers `result` from its `call_number`-th call on (counted from 1); 0 before.
    void fail_idle_from(unsigned call_number, int result);
    // SetLineSettings / SetHandshake store and return `code` (0: accept). Refused calls change
    // nothing else.
    void refuse_line_settings(int code) { m_line_settings_refusal = code; }
    void refuse_handshake(int code) { m_handshake_refusal = code; }
    // Write queues at most this many bytes per call (short writes store CL_ERR_SHORT_WRITE).
    void limit_write(std::uint32_t max_bytes) { m_write_limit = max_bytes; }
    // Receive-error item (LINE_PARITY_ERROR, ...) reported by the next GetLineStatus only.
    void raise_line_error(int line_id);
    // Persistent item value (0 to 3) for any line identifier of the block.
    void set_line_item(int line_id, int value);
    void set_line_format(const LineFormat& format) { m_format = format; }
    void set_handshake_modes(int rx_mode, int tx_mode);
    void set_last_error(int code) { m_nLastError = code; }

    // --- observation ---
    const std::vector<std::string>& calls() const { return m_calls; }
    void clear_calls() { m_calls.clear(); }
    // Calls with this exact text.
    int count_calls(std::string_view call) const;
    // Everything queued for sending, by any operation, in order.
    const std::string& sent() const { return m_sent; }
    const LineFormat& line_format() const { return m_format; }
    int rx_mode() const { return m_rx_mode; }
    int tx_mode() const { return m_tx_mode; }
    // Bytes available now and not yet taken.
    std::size_t rx_available() const;

    // --- ComPort ---
    int Idle() override;
    void PollStatus() override;
    void Open(int nPortIndex) override;
    int OpenDevice() override;
    int Close() override;
    void GetQueueStatus(QueueStatus* pStatus, int nSelector) override;
    int SetQueueSizes(unsigned nRxSize, unsigned nXoffLimit, unsigned nTxSize) override;
    int SetHandshake(int nRxMode, int nTxMode) override;
    int GetHandshake(int* pnRxMode, int* pnTxMode) override;
    int SetBreak(int nState) override;
    int LineState(int nLine, int nValue) override;
    int SetLineSettings(std::int32_t lBaud, char cParity, int nDataBits, int nStopBits) override;
    void GetLineSettings(std::int32_t* plBaud, char* pcParity, int* pnDataBits,
                         int* pnStopBits) override;
    int GetLineStatus(LineStatusBlock* pBlock) override;
    int PutChar(unsigned char c) override;
    int PutString(const char* pszText) override;
    int Write(const void* pData, std::uint32_t nCount) override;
    int PutPriorityChar(unsigned char c) override;
    int GetChar() override;
    int Read(void* pBuffer, std::uint32_t nCount) override;
    int Purge(int nWhich, int nCount) override;
    void Report(ReportSink pfnSink) override;

private:
    struct Arrival {
        std::uint32_t tick;
        bool immediate;
        char byte;
    };

    void log(std::string call) { m_calls.push_back(std::move(call)); }
    bool arrived(const Arrival& arrival) const;
    std::uint32_t queue(const char* data, std::uint32_t count);

    std::vector<std::string> m_calls;
    std::deque<Arrival> m_rx;
    std::string m_sent;
    LineFormat m_format;
    int m_rx_mode = HANDSHAKE_NONE;
    int m_tx_mode = HANDSHAKE_NONE;
    int m_break = 0;
    int m_line_settings_refusal = CL_OK;
    int m_handshake_refusal = CL_OK;
    std::uint32_t m_write_limit = UINT32_MAX;
    unsigned m_idle_calls = 0;
    unsigned m_idle_fail_from = 0; // 0: never
    int m_idle_fail_result = 0;
    std::uint8_t m_items[32] = {};  // persistent item per line identifier
    std::uint8_t m_errors[32] = {}; // receive errors since the last GetLineStatus
};

} // namespace comlink_test
