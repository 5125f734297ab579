// COMLINK status codes and line identifiers.
#pragma once

// Status codes: 0 for success, negative for failure.
#define CL_OK 0
#define CL_ERR_FAILED (-801)
#define CL_ERR_NO_DATA (-802)
#define CL_ERR_UNSUPPORTED (-803)
#define CL_ERR_SHORT_WRITE (-805)
#define CL_ERR_BREAK (-827)
#define CL_ERR_HARDWARE (-828)
#define CL_ERR_CLOSE (-829)
#define CL_ERR_BAD_HANDSHAKE (-830)
#define CL_ERR_BAD_PARAMETER (-832)
#define CL_ERR_NO_MEMORY (-836)
#define CL_ERR_IN_USE (-838)
#define CL_ERR_BAD_BAUD (-839)
#define CL_ERR_BAD_PARITY (-840)
#define CL_ERR_BAD_STOPBITS (-841)
#define CL_ERR_BAD_DATABITS (-842)

// Line identifiers: lines of LineState, handshake modes of SetHandshake, LineStatusBlock items.
#define HANDSHAKE_NONE 0
#define LINE_XONXOFF 1
#define LINE_DTR 3
#define LINE_RTS 4
#define LINE_BREAK 7
#define LINE_CTS 12
#define LINE_DSR 13
#define LINE_RI 14
#define LINE_CD 15
#define LINE_ITEM17 17
#define LINE_ITEM18 18
#define LINE_ITEM19 19
#define LINE_ITEM20 20
#define LINE_OVERRUN 25
#define LINE_PARITY_ERROR 26
#define LINE_FRAMING_ERROR 27
#define LINE_BREAK_DETECT 28
#define LINE_RX_OVERFLOW 31
