// The scripted test port: a call log and answers from what the test queued and set.
#include "scripted_port.h"

#include "platform/windows.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace comlink_test {
namespace {

bool in_block(int line_id) {
    return std::any_of(
        std::begin(g_lineStatusLayout), std::end(g_lineStatusLayout),
        [line_id](const LineStatusItemPlace& place) { return place.nLine == line_id; });
}

std::string hex_byte(unsigned char c) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", c);
    return text;
}

} // namespace

void ScriptedPort::queue_rx(std::string_view bytes) {
    for (char c : bytes)
        m_rx.push_back({0, true, c});
}

void ScriptedPort::queue_rx_at(std::uint32_t tick, std::string_view bytes) {
    for (char c : bytes)
        m_rx.push_back({tick, false, c});
}

void ScriptedPort::fail_idle_from(unsigned call_number, int result) {
    m_idle_fail_from = call_number;
    m_idle_fail_result = result;
}

void ScriptedPort::raise_line_error(int line_id) {
    if (in_block(line_id))
        m_errors[line_id] = 1;
}

void ScriptedPort::set_line_item(int line_id, int value) {
    if (in_block(line_id))
        m_items[line_id] = static_cast<std::uint8_t>(value & 0x03);
}

void ScriptedPort::set_handshake_modes(int rx_mode, int tx_mode) {
    m_rx_mode = rx_mode;
    m_tx_mode = tx_mode;
}

int ScriptedPort::count_calls(std::string_view call) const {
    return static_cast<int>(std::count(m_calls.begin(), m_calls.end(), call));
}

bool ScriptedPort::arrived(const Arrival& arrival) const {
    return arrival.immediate || static_cast<std::int32_t>(GetTickCount() - arrival.tick) >= 0;
}

std::size_t ScriptedPort::rx_available() const {
    std::size_t count = 0;
    while (count < m_rx.size() && arrived(m_rx[count]))
        ++count;
    return count;
}

std::uint32_t ScriptedPort::queue(const char* data, std::uint32_t count) {
    std::uint32_t taken = std::min(count, m_write_limit);
    m_sent.append(data, taken);
    if (taken < count)
        m_nLastError = CL_ERR_SHORT_WRITE;
    return taken;
}

int ScriptedPort::Idle() {
    log("Idle");
    Sleep(0);
    ++m_idle_calls;
    if (m_idle_fail_from != 0 && m_idle_calls >= m_idle_fail_from)
        return m_idle_fail_result;
    return 0;
}

void ScriptedPort::PollStatus() {
    log("PollStatus");
}

void ScriptedPort::Open(int nPortIndex) {
    log("Open(" + std::to_string(nPortIndex) + ")");
}

int ScriptedPort::OpenDevice() {
    log("OpenDevice");
    return CL_OK;
}

int ScriptedPort::Close() {
    log("Close");
    return CL_OK;
}

void ScriptedPort::GetQueueStatus(QueueStatus* pStatus, int nSelector) {
    log("GetQueueStatus(" + std::to_string(nSelector) + ")");
    *pStatus = QueueStatus{};
    pStatus->nRxFilled = 1;
    pStatus->nRxCount = static_cast<std::int32_t>(rx_available());
    pStatus->nRxSize = 4096;
    pStatus->nTxFilled = 1;
    pStatus->nTxSize = 2048;
}

int ScriptedPort::SetQueueSizes(unsigned nRxSize, unsigned nXoffLimit, unsigned nTxSize) {
    log("SetQueueSizes(" + std::to_string(nRxSize) + "," + std::to_string(nXoffLimit) + "," +
        std::to_string(nTxSize) + ")");
    return CL_OK;
}

int ScriptedPort::SetHandshake(int nRxMode, int nTxMode) {
    log("SetHandshake(" + std::to_string(nRxMode) + "," + std::to_string(nTxMode) + ")");
    if (m_handshake_refusal != CL_OK)
        return m_nLastError = m_handshake_refusal;
    set_handshake_modes(nRxMode, nTxMode);
    return CL_OK;
}

int ScriptedPort::GetHandshake(int* pnRxMode, int* pnTxMode) {
    log("GetHandshake");
    *pnRxMode = m_rx_mode;
    *pnTxMode = m_tx_mode;
    return CL_OK;
}

int ScriptedPort::SetBreak(int nState) {
    log("SetBreak(" + std::to_string(nState) + ")");
    if (nState >= 0)
        m_break = nState == 1 ? 1 : 0;
    return m_break;
}

int ScriptedPort::LineState(int nLine, int nValue) {
    log("LineState(" + std::to_string(nLine) + "," + std::to_string(nValue) + ")");
    if (nLine == LINE_BREAK)
        return SetBreak(nValue);
    if (!in_block(nLine))
        return 2;
    if ((nLine == LINE_DTR || nLine == LINE_RTS) && nValue != -1)
        m_items[nLine] = nValue != 0 ? 1 : 0;
    return m_items[nLine] | m_errors[nLine];
}

int ScriptedPort::SetLineSettings(std::int32_t lBaud, char cParity, int nDataBits, int nStopBits) {
    log("SetLineSettings(" + std::to_string(lBaud) + "," + std::string(1, cParity) + "," +
        std::to_string(nDataBits) + "," + std::to_string(nStopBits) + ")");
    if (m_line_settings_refusal != CL_OK)
        return m_nLastError = m_line_settings_refusal;
    m_format = {lBaud, cParity, nDataBits, nStopBits};
    return CL_OK;
}

void ScriptedPort::GetLineSettings(std::int32_t* plBaud, char* pcParity, int* pnDataBits,
                                   int* pnStopBits) {
    log("GetLineSettings");
    *plBaud = m_format.baud;
    *pcParity = m_format.parity;
    *pnDataBits = m_format.data_bits;
    *pnStopBits = m_format.stop_bits;
}

int ScriptedPort::GetLineStatus(LineStatusBlock* pBlock) {
    log("GetLineStatus");
    *pBlock = LineStatusBlock{};
    for (const LineStatusItemPlace& place : g_lineStatusLayout) {
        int item =
            place.nLine == LINE_BREAK ? m_break : m_items[place.nLine] | m_errors[place.nLine];
        pBlock->bytes[place.nByte] |= static_cast<std::uint8_t>((item & 0x03) << place.nShift);
    }
    std::memset(m_errors, 0, sizeof m_errors);
    return CL_OK;
}

int ScriptedPort::PutChar(unsigned char c) {
    log("PutChar(" + hex_byte(c) + ")");
    char byte = static_cast<char>(c);
    return queue(&byte, 1) == 1 ? CL_OK : m_nLastError;
}

int ScriptedPort::PutString(const char* pszText) {
    std::uint32_t length = static_cast<std::uint32_t>(std::strlen(pszText));
    log("PutString(" + std::to_string(length) + ")");
    return static_cast<int>(queue(pszText, length));
}

int ScriptedPort::Write(const void* pData, std::uint32_t nCount) {
    log("Write(" + std::to_string(nCount) + ")");
    return static_cast<int>(queue(static_cast<const char*>(pData), nCount));
}

int ScriptedPort::PutPriorityChar(unsigned char c) {
    log("PutPriorityChar(" + hex_byte(c) + ")");
    m_sent.push_back(static_cast<char>(c));
    return CL_OK;
}

int ScriptedPort::GetChar() {
    log("GetChar");
    if (m_rx.empty() || !arrived(m_rx.front()))
        return CL_ERR_NO_DATA;
    unsigned char c = static_cast<unsigned char>(m_rx.front().byte);
    m_rx.pop_front();
    return c;
}

int ScriptedPort::Read(void* pBuffer, std::uint32_t nCount) {
    log("Read(" + std::to_string(nCount) + ")");
    std::uint32_t count = static_cast<std::uint32_t>(std::min<std::size_t>(nCount, rx_available()));
    char* out = static_cast<char*>(pBuffer);
    for (std::uint32_t i = 0; i < count; ++i) {
        out[i] = m_rx.front().byte;
        m_rx.pop_front();
    }
    return static_cast<int>(count);
}

int ScriptedPort::Purge(int nWhich, int nCount) {
    log("Purge(" + std::to_string(nWhich) + "," + std::to_string(nCount) + ")");
    if (nWhich == 0)
        m_rx.clear();
    return CL_OK;
}

void ScriptedPort::Report(ReportSink pfnSink) {
    log("Report");
    pfnSink("Scripted port");
}

} // namespace comlink_test
