// Win32ComPort::MapLastError: the platform's last error as a library status code.
#include "Win32ComPort.h"

namespace {

// The communication error values with a code of their own; everything else is a general
// failure.
struct ErrorMapRow {
    int nLastError;
    int nCode;
};
constexpr ErrorMapRow kErrorMap[] = {
    {IE_BADID, CL_ERR_HARDWARE},        {IE_OPEN, CL_ERR_IN_USE},
    {IE_NOPEN, CL_ERR_HARDWARE},        {IE_MEMORY, CL_ERR_NO_MEMORY},
    {IE_DEFAULT, CL_ERR_BAD_PARAMETER}, {IE_HARDWARE, CL_ERR_HARDWARE},
    {IE_BYTESIZE, CL_ERR_BAD_DATABITS}, {IE_BAUDRATE, CL_ERR_BAD_BAUD},
};

} // namespace

int Win32ComPort::MapLastError() {
    // The negative values arrive as DWORDs; read them back as signed.
    int nLastError = static_cast<int>(GetLastError());
    for (const ErrorMapRow& row : kErrorMap) {
        if (row.nLastError == nLastError)
            return row.nCode;
    }
    return CL_ERR_FAILED;
}
