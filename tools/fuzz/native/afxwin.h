// A minimal CString for the native fuzz build only: the members the plug-in's
// plain logic uses, with the framework's meaning (bytes, a NUL-terminated
// buffer, GetBuffer/ReleaseBuffer), kept in a std::string.
#pragma once

#include <string>

#include <windows.h>

class CString {
public:
    CString() {}
    CString(LPCSTR psz) : m_s(psz != NULL ? psz : "") {}
    CString(LPCSTR pch, int nLength)
        : m_s(pch != NULL && nLength > 0 ? pch : "",
              pch != NULL && nLength > 0 ? (size_t)nLength : 0) {}

    int GetLength() const { return (int)m_s.size(); }
    BOOL IsEmpty() const { return m_s.empty(); }
    void Empty() { m_s.clear(); }
    operator LPCSTR() const { return m_s.c_str(); }

    const CString& operator=(LPCSTR psz) {
        m_s = psz != NULL ? psz : "";
        return *this;
    }
    const CString& operator+=(LPCSTR psz) {
        m_s += psz != NULL ? psz : "";
        return *this;
    }

    // The buffer holds at least nMinBufLength characters and a terminator
    // until ReleaseBuffer (-1: the length up to the first NUL).
    LPSTR GetBuffer(int nMinBufLength) {
        if (nMinBufLength > 0 && (size_t)nMinBufLength > m_s.size())
            m_s.resize((size_t)nMinBufLength);
        return &m_s[0];
    }
    void ReleaseBuffer(int nNewLength = -1) {
        m_s.resize(nNewLength < 0 ? strlen(m_s.c_str()) : (size_t)nNewLength);
    }

private:
    std::string m_s;
};
