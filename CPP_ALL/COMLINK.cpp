// Bodies of the abstract port, the open-count table and the library helpers.
#include "COMLINK.h"

#include "platform/windows.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

std::uint16_t g_portOpenCount[COMLINK_MAX_PORTS];

void ReportUnimplemented(const char* pszSource, int nLine) {
    static const char szFormat[] =
        "Pure Virtual function called @%s,%d\nUnable to continue execution";
    if (pszSource == nullptr)
        pszSource = "";
    // Sized for the whole text, so that no source path is cut: the format, the path, the digits.
    std::size_t nSize = sizeof szFormat + std::strlen(pszSource) + 16;
    std::string message(nSize, '\0');
    wnsprintfA(message.data(), static_cast<int>(nSize), szFormat, pszSource, nLine);
    HWND hOwner = GetFocus();
    MessageBoxA(hOwner, message.c_str(), "Library Error", MB_OK);
    exit(1);
}

void* AllocZeroed(unsigned nSize) {
    void* pBlock = ::operator new(nSize == 0 ? 1 : nSize, std::nothrow);
    if (pBlock != nullptr)
        std::memset(pBlock, 0, nSize);
    return pBlock;
}

void FreeBlock(void* pBlock) { ::operator delete(pBlock); }

ComPort::ComPort() : m_nPortIndex(0), m_nLastError(CL_OK) {}

ComPort::~ComPort() {
    if (PortIndexInTable(m_nHeldIndex) && g_portOpenCount[m_nHeldIndex] > 0)
        --g_portOpenCount[m_nHeldIndex];
}

int ComPort::TakeLastError() {
    int nError = m_nLastError;
    m_nLastError = CL_OK;
    return nError;
}

bool ComPort::RaiseOpenCount() {
    if (!PortIndexInTable(m_nPortIndex) || HoldsOpenCount())
        return false;
    ++g_portOpenCount[m_nPortIndex];
    m_nHeldIndex = m_nPortIndex;
    return true;
}

int ComPort::Idle() { ReportUnimplemented(COMLINK_SOURCE_PATH, 241); }
void ComPort::PollStatus() { ReportUnimplemented(COMLINK_SOURCE_PATH, 243); }
void ComPort::Open(int) { ReportUnimplemented(COMLINK_SOURCE_PATH, 245); }
int ComPort::OpenDevice() { ReportUnimplemented(COMLINK_SOURCE_PATH, 247); }
int ComPort::Close() { ReportUnimplemented(COMLINK_SOURCE_PATH, 249); }
void ComPort::GetQueueStatus(QueueStatus*, int) { ReportUnimplemented(COMLINK_SOURCE_PATH, 251); }
int ComPort::SetQueueSizes(unsigned, unsigned, unsigned) {
    ReportUnimplemented(COMLINK_SOURCE_PATH, 255);
}
int ComPort::SetHandshake(int, int) { ReportUnimplemented(COMLINK_SOURCE_PATH, 257); }
int ComPort::GetHandshake(int*, int*) { ReportUnimplemented(COMLINK_SOURCE_PATH, 259); }
int ComPort::SetBreak(int) { ReportUnimplemented(COMLINK_SOURCE_PATH, 261); }
int ComPort::LineState(int, int) { ReportUnimplemented(COMLINK_SOURCE_PATH, 263); }
int ComPort::SetLineSettings(std::int32_t, char, int, int) {
    ReportUnimplemented(COMLINK_SOURCE_PATH, 265);
}
void ComPort::GetLineSettings(std::int32_t*, char*, int*, int*) {
    ReportUnimplemented(COMLINK_SOURCE_PATH, 267);
}
int ComPort::GetLineStatus(LineStatusBlock*) { ReportUnimplemented(COMLINK_SOURCE_PATH, 269); }
int ComPort::PutChar(unsigned char) { ReportUnimplemented(COMLINK_SOURCE_PATH, 271); }
int ComPort::PutString(const char*) { ReportUnimplemented(COMLINK_SOURCE_PATH, 273); }
int ComPort::Write(const void*, std::uint32_t) { ReportUnimplemented(COMLINK_SOURCE_PATH, 275); }
int ComPort::PutPriorityChar(unsigned char) { ReportUnimplemented(COMLINK_SOURCE_PATH, 277); }
int ComPort::GetChar() { ReportUnimplemented(COMLINK_SOURCE_PATH, 279); }
int ComPort::Read(void*, std::uint32_t) { ReportUnimplemented(COMLINK_SOURCE_PATH, 281); }
int ComPort::Purge(int, int) { ReportUnimplemented(COMLINK_SOURCE_PATH, 283); }
void ComPort::Report(ReportSink) { ReportUnimplemented(COMLINK_SOURCE_PATH, 285); }
int ComPort::OptionalA() { return CL_ERR_UNSUPPORTED; }
int ComPort::OptionalB() { return CL_ERR_UNSUPPORTED; }
