// CString formatting and string-table loading.
#include "ui/mfc/cstring.h"
#include "ui/res/module.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <vector>

void CString::FormatRaw(const char* format, ...) {
    if (format == nullptr) {
        m_text.clear();
        return;
    }
    constexpr std::size_t k_limit = 64 * 1024;
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int needed = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (needed < 0) {
        va_end(args);
        m_text.clear();
        return;
    }
    std::vector<char> buffer(std::min<std::size_t>(static_cast<std::size_t>(needed), k_limit) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    va_end(args);
    m_text.assign(buffer.data());
}

BOOL CString::LoadString(UINT nID) {
    auto text = ui::res::load_string(static_cast<int>(nID));
    if (!text)
        return FALSE;
    m_text = std::move(*text);
    return TRUE;
}
