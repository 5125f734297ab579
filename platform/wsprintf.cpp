// wsprintfA and wnsprintfA: printf formatting that never writes past the buffer.
#include "platform/win_user.h"

#include <cstdarg>
#include <cstdio>

namespace {

// Windows documents 1024 bytes as the largest buffer wsprintfA fills.
constexpr int kWsprintfLimit = 1024;

int format_bounded(char* buffer, int size, const char* format, va_list args) {
    if (buffer == nullptr || size <= 0)
        return 0;
    int needed = std::vsnprintf(buffer, static_cast<std::size_t>(size), format, args);
    if (needed < 0) {
        buffer[0] = '\0';
        return 0;
    }
    return needed < size ? needed : size - 1;
}

} // namespace

int wsprintfA(LPSTR buffer, LPCSTR format, ...) {
    va_list args;
    va_start(args, format);
    int stored = format_bounded(buffer, kWsprintfLimit, format, args);
    va_end(args);
    return stored;
}

int wnsprintfA(LPSTR buffer, int size, LPCSTR format, ...) {
    va_list args;
    va_start(args, format);
    int stored = format_bounded(buffer, size, format, args);
    va_end(args);
    return stored;
}
