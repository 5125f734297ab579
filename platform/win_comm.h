// The Windows communications API over our Linux drivers (platform/comm/).
// Differs from Windows:
// - CreateFileA opens only "\\.\COMn" names (and plain COMn), resolved to a tty device or to a
//   virtual device installed in-process; every other name fails with ERROR_FILE_NOT_FOUND.
// - Overlapped I/O completes at once wherever it can; ERROR_IO_PENDING appears only where a
//   device really has not taken the bytes yet (and on the virtual device, when asked to).
// - What termios cannot express (DSR flow, XonLim/XoffLim, EvtChar, fNull, ...) is kept in the
//   handle's copy of the DCB, so GetCommState gives back what SetCommState was given.
#pragma once

#include "platform/win_types.h"

struct DCB {
    DWORD DCBlength;
    DWORD BaudRate;
    DWORD fBinary : 1;
    DWORD fParity : 1;
    DWORD fOutxCtsFlow : 1;
    DWORD fOutxDsrFlow : 1;
    DWORD fDtrControl : 2;
    DWORD fDsrSensitivity : 1;
    DWORD fTXContinueOnXoff : 1;
    DWORD fOutX : 1;
    DWORD fInX : 1;
    DWORD fErrorChar : 1;
    DWORD fNull : 1;
    DWORD fRtsControl : 2;
    DWORD fAbortOnError : 1;
    DWORD fDummy2 : 17;
    WORD wReserved;
    WORD XonLim;
    WORD XoffLim;
    BYTE ByteSize;
    BYTE Parity;
    BYTE StopBits;
    char XonChar;
    char XoffChar;
    char ErrorChar;
    char EofChar;
    char EvtChar;
    WORD wReserved1;
};
using LPDCB = DCB*;

struct COMSTAT {
    DWORD fCtsHold : 1;
    DWORD fDsrHold : 1;
    DWORD fRlsdHold : 1;
    DWORD fXoffHold : 1;
    DWORD fXoffSent : 1;
    DWORD fEof : 1;
    DWORD fTxim : 1;
    DWORD fReserved : 25;
    DWORD cbInQue;
    DWORD cbOutQue;
};
using LPCOMSTAT = COMSTAT*;

struct COMMTIMEOUTS {
    DWORD ReadIntervalTimeout;
    DWORD ReadTotalTimeoutMultiplier;
    DWORD ReadTotalTimeoutConstant;
    DWORD WriteTotalTimeoutMultiplier;
    DWORD WriteTotalTimeoutConstant;
};
using LPCOMMTIMEOUTS = COMMTIMEOUTS*;

struct OVERLAPPED {
    ULONG_PTR Internal;
    ULONG_PTR InternalHigh;
    DWORD Offset;
    DWORD OffsetHigh;
    HANDLE hEvent;
};
using LPOVERLAPPED = OVERLAPPED*;

struct SECURITY_ATTRIBUTES;
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;

// CreateFileA
inline constexpr DWORD GENERIC_READ = 0x80000000u;
inline constexpr DWORD GENERIC_WRITE = 0x40000000u;
inline constexpr DWORD OPEN_EXISTING = 3;
inline constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x00000080u;
inline constexpr DWORD FILE_FLAG_OVERLAPPED = 0x40000000u;

// ClearCommError error bits
inline constexpr DWORD CE_RXOVER = 0x0001;
inline constexpr DWORD CE_OVERRUN = 0x0002;
inline constexpr DWORD CE_RXPARITY = 0x0004;
inline constexpr DWORD CE_FRAME = 0x0008;
inline constexpr DWORD CE_BREAK = 0x0010;
inline constexpr DWORD CE_TXFULL = 0x0100;
inline constexpr DWORD CE_PTO = 0x0200;
inline constexpr DWORD CE_IOE = 0x0400;
inline constexpr DWORD CE_DNS = 0x0800;
inline constexpr DWORD CE_OOP = 0x1000;
inline constexpr DWORD CE_MODE = 0x8000;

// GetCommModemStatus bits
inline constexpr DWORD MS_CTS_ON = 0x0010;
inline constexpr DWORD MS_DSR_ON = 0x0020;
inline constexpr DWORD MS_RING_ON = 0x0040;
inline constexpr DWORD MS_RLSD_ON = 0x0080;

// Communication events
inline constexpr DWORD EV_RXCHAR = 0x0001;
inline constexpr DWORD EV_RXFLAG = 0x0002;
inline constexpr DWORD EV_TXEMPTY = 0x0004;
inline constexpr DWORD EV_CTS = 0x0008;
inline constexpr DWORD EV_DSR = 0x0010;
inline constexpr DWORD EV_RLSD = 0x0020;
inline constexpr DWORD EV_BREAK = 0x0040;
inline constexpr DWORD EV_ERR = 0x0080;
inline constexpr DWORD EV_RING = 0x0100;

// PurgeComm
inline constexpr DWORD PURGE_TXABORT = 0x0001;
inline constexpr DWORD PURGE_RXABORT = 0x0002;
inline constexpr DWORD PURGE_TXCLEAR = 0x0004;
inline constexpr DWORD PURGE_RXCLEAR = 0x0008;

// EscapeCommFunction
inline constexpr DWORD SETXOFF = 1;
inline constexpr DWORD SETXON = 2;
inline constexpr DWORD SETRTS = 3;
inline constexpr DWORD CLRRTS = 4;
inline constexpr DWORD SETDTR = 5;
inline constexpr DWORD CLRDTR = 6;
inline constexpr DWORD SETBREAK = 8;
inline constexpr DWORD CLRBREAK = 9;

// DCB values
inline constexpr BYTE NOPARITY = 0;
inline constexpr BYTE ODDPARITY = 1;
inline constexpr BYTE EVENPARITY = 2;
inline constexpr BYTE MARKPARITY = 3;
inline constexpr BYTE SPACEPARITY = 4;
inline constexpr BYTE ONESTOPBIT = 0;
inline constexpr BYTE ONE5STOPBITS = 1;
inline constexpr BYTE TWOSTOPBITS = 2;
inline constexpr DWORD DTR_CONTROL_DISABLE = 0;
inline constexpr DWORD DTR_CONTROL_ENABLE = 1;
inline constexpr DWORD DTR_CONTROL_HANDSHAKE = 2;
inline constexpr DWORD RTS_CONTROL_DISABLE = 0;
inline constexpr DWORD RTS_CONTROL_ENABLE = 1;
inline constexpr DWORD RTS_CONTROL_HANDSHAKE = 2;
inline constexpr DWORD RTS_CONTROL_TOGGLE = 3;

// Standard baud rates (any other value is accepted too).
inline constexpr DWORD CBR_110 = 110;
inline constexpr DWORD CBR_300 = 300;
inline constexpr DWORD CBR_600 = 600;
inline constexpr DWORD CBR_1200 = 1200;
inline constexpr DWORD CBR_2400 = 2400;
inline constexpr DWORD CBR_4800 = 4800;
inline constexpr DWORD CBR_9600 = 9600;
inline constexpr DWORD CBR_14400 = 14400;
inline constexpr DWORD CBR_19200 = 19200;
inline constexpr DWORD CBR_38400 = 38400;
inline constexpr DWORD CBR_57600 = 57600;
inline constexpr DWORD CBR_115200 = 115200;

HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD share_mode, LPSECURITY_ATTRIBUTES security,
                   DWORD creation, DWORD flags, HANDLE template_file);
BOOL CloseHandle(HANDLE handle);
BOOL ReadFile(HANDLE handle, LPVOID buffer, DWORD to_read, LPDWORD read, LPOVERLAPPED overlapped);
BOOL WriteFile(HANDLE handle, LPCVOID buffer, DWORD to_write, LPDWORD written,
               LPOVERLAPPED overlapped);
BOOL GetOverlappedResult(HANDLE handle, LPOVERLAPPED overlapped, LPDWORD transferred, BOOL wait);

BOOL SetupComm(HANDLE handle, DWORD in_queue, DWORD out_queue);
BOOL GetCommState(HANDLE handle, LPDCB dcb);
BOOL SetCommState(HANDLE handle, LPDCB dcb);
BOOL GetCommTimeouts(HANDLE handle, LPCOMMTIMEOUTS timeouts);
BOOL SetCommTimeouts(HANDLE handle, LPCOMMTIMEOUTS timeouts);
BOOL GetCommMask(HANDLE handle, LPDWORD mask);
BOOL SetCommMask(HANDLE handle, DWORD mask);
BOOL WaitCommEvent(HANDLE handle, LPDWORD mask, LPOVERLAPPED overlapped);
BOOL ClearCommError(HANDLE handle, LPDWORD errors, LPCOMSTAT stat);
BOOL PurgeComm(HANDLE handle, DWORD flags);
BOOL TransmitCommChar(HANDLE handle, char c);
BOOL EscapeCommFunction(HANDLE handle, DWORD function);
BOOL SetCommBreak(HANDLE handle);
BOOL ClearCommBreak(HANDLE handle);
BOOL GetCommModemStatus(HANDLE handle, LPDWORD modem_status);
