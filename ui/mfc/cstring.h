// CString: a narrow, value-semantics string with printf-style formatting.
// Differs from MFC:
// - Narrow characters only; no reference counting (std::string inside).
// - Format is a variadic template: a CString argument for "%s" is passed as its text, so it is
//   safe where MFC relies on the object's layout. Plain char pointers work as in MFC.
// - LoadString reads the dialog layer's string table (ui::res::load_string).
#pragma once

#include "ui/mfc/afx_types.h"

#include <string>
#include <type_traits>

class CString {
public:
    CString() = default;
    CString(const char* text) : m_text(text != nullptr ? text : "") {}
    CString(const std::string& text) : m_text(text) {}
    CString(char ch, int repeat = 1)
        : m_text(repeat > 0 ? static_cast<std::size_t>(repeat) : 0, ch) {}

    CString& operator=(const char* text) {
        m_text = text != nullptr ? text : "";
        return *this;
    }
    CString& operator+=(const CString& other) {
        m_text += other.m_text;
        return *this;
    }
    CString& operator+=(const char* text) {
        if (text != nullptr)
            m_text += text;
        return *this;
    }
    CString& operator+=(char ch) {
        m_text += ch;
        return *this;
    }

    operator LPCTSTR() const { return m_text.c_str(); }
    int GetLength() const { return static_cast<int>(m_text.size()); }
    BOOL IsEmpty() const { return m_text.empty() ? TRUE : FALSE; }
    void Empty() { m_text.clear(); }
    char GetAt(int index) const { return m_text.at(static_cast<std::size_t>(index)); }
    int Compare(const char* text) const { return m_text.compare(text != nullptr ? text : ""); }

    // Sets the text from a printf-style format; at most 64 KiB of output are kept.
    template <typename... Args> void Format(const char* format, const Args&... args) {
        FormatRaw(format, AsFormatArgument(args)...);
    }

    // Loads string resource nID; FALSE (and the text unchanged) when there is none.
    BOOL LoadString(UINT nID);

    // Our own: the text as a standard string.
    const std::string& str() const { return m_text; }

private:
    static const char* AsFormatArgument(const CString& s) { return s.m_text.c_str(); }
    template <typename T> static const T& AsFormatArgument(const T& value) {
        static_assert(std::is_trivially_copyable_v<std::decay_t<T>>,
                      "Format takes numbers, pointers and CString");
        return value;
    }
    void FormatRaw(const char* format, ...);

    std::string m_text;
};

inline bool operator==(const CString& a, const CString& b) {
    return a.str() == b.str();
}
inline bool operator==(const CString& a, const char* b) {
    return a.Compare(b) == 0;
}
inline bool operator!=(const CString& a, const CString& b) {
    return !(a == b);
}
inline bool operator!=(const CString& a, const char* b) {
    return !(a == b);
}
inline bool operator<(const CString& a, const CString& b) {
    return a.str() < b.str();
}
inline CString operator+(const CString& a, const CString& b) {
    CString r(a);
    r += b;
    return r;
}
inline CString operator+(const CString& a, const char* b) {
    CString r(a);
    r += b;
    return r;
}
