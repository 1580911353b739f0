// afxstr.h - CString, a multi-byte (MBCS) string of the ANSI code page.
#pragma once

#ifndef AFX_CORE_API
#include "afx.h"
#endif

// One pointer wide, like MFC's: m_pchData points at the characters, preceded
// in the same allocation by the length and capacity. Every CString owns its
// buffer; copies copy. Positions and counts are in bytes; searching and case
// folding step over double-byte characters of the ANSI code page.
class AFX_CORE_API CString {
public:
    CString();
    CString(const CString& src);
    CString(LPCSTR psz);
    CString(LPCSTR pch, int nLength);
    CString(char ch, int nRepeat = 1);
    ~CString();

    int GetLength() const;
    BOOL IsEmpty() const;
    void Empty();
    char GetAt(int nIndex) const;
    char operator[](int nIndex) const { return GetAt(nIndex); }
    void SetAt(int nIndex, char ch);
    operator LPCSTR() const { return m_pchData; }

    const CString& operator=(const CString& src);
    const CString& operator=(LPCSTR psz);
    const CString& operator=(char ch);
    const CString& operator+=(const CString& src);
    const CString& operator+=(LPCSTR psz);
    const CString& operator+=(char ch);

    friend AFX_CORE_API CString operator+(const CString& a, const CString& b);
    friend AFX_CORE_API CString operator+(const CString& a, LPCSTR b);
    friend AFX_CORE_API CString operator+(LPCSTR a, const CString& b);
    friend AFX_CORE_API CString operator+(const CString& a, char b);
    friend AFX_CORE_API CString operator+(char a, const CString& b);

    // Byte-wise comparison (<0, 0, >0); CompareNoCase folds ASCII letters.
    int Compare(LPCSTR psz) const;
    int CompareNoCase(LPCSTR psz) const;
    int Collate(LPCSTR psz) const;

    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString SpanIncluding(LPCSTR pszCharSet) const;
    CString SpanExcluding(LPCSTR pszCharSet) const;

    void MakeUpper();
    void MakeLower();
    void MakeReverse();
    int Replace(char chOld, char chNew);
    int Replace(LPCSTR pszOld, LPCSTR pszNew);
    int Remove(char ch);
    int Insert(int nIndex, char ch);
    int Insert(int nIndex, LPCSTR psz);
    int Delete(int nIndex, int nCount = 1);

    void TrimLeft();
    void TrimLeft(char chTarget);
    void TrimLeft(LPCSTR pszTargets);
    void TrimRight();
    void TrimRight(char chTarget);
    void TrimRight(LPCSTR pszTargets);

    // Index of the first match at or after nStart, or -1.
    int Find(char ch) const;
    int Find(char ch, int nStart) const;
    int Find(LPCSTR pszSub) const;
    int Find(LPCSTR pszSub, int nStart) const;
    int ReverseFind(char ch) const;
    int FindOneOf(LPCSTR pszCharSet) const;

    // printf-style formatting of any length.
    void AFX_CDECL Format(LPCSTR pszFormat, ...)
        __attribute__((format(__MINGW_PRINTF_FORMAT, 2, 3)));
    void AFX_CDECL Format(UINT nFormatID, ...);
    void FormatV(LPCSTR pszFormat, va_list args);

    // Loads string nID from the resource chain (the application, then each
    // registered extension library), in the thread's UI language if present.
    BOOL LoadString(UINT nID);

    // Direct access: the buffer holds at least nMinBufLength characters plus
    // a terminator until ReleaseBuffer (-1: length up to the first NUL).
    LPSTR GetBuffer(int nMinBufLength);
    void ReleaseBuffer(int nNewLength = -1);
    LPSTR GetBufferSetLength(int nNewLength);
    void FreeExtra();
    int GetAllocLength() const;

private:
    LPSTR m_pchData;

    void AllocBuffer(int nLen);
    void Release();
    void AssignCopy(LPCSTR pch, int nLen);
    void ConcatInPlace(LPCSTR pch, int nLen);
    void SetLength(int nLen);
};

AFX_CORE_API bool operator==(const CString& a, const CString& b);
AFX_CORE_API bool operator==(const CString& a, LPCSTR b);
AFX_CORE_API bool operator==(LPCSTR a, const CString& b);
AFX_CORE_API bool operator!=(const CString& a, const CString& b);
AFX_CORE_API bool operator!=(const CString& a, LPCSTR b);
AFX_CORE_API bool operator!=(LPCSTR a, const CString& b);
AFX_CORE_API bool operator<(const CString& a, const CString& b);
AFX_CORE_API bool operator<(const CString& a, LPCSTR b);
AFX_CORE_API bool operator<(LPCSTR a, const CString& b);
AFX_CORE_API bool operator>(const CString& a, const CString& b);
AFX_CORE_API bool operator>(const CString& a, LPCSTR b);
AFX_CORE_API bool operator>(LPCSTR a, const CString& b);
AFX_CORE_API bool operator<=(const CString& a, const CString& b);
AFX_CORE_API bool operator>=(const CString& a, const CString& b);
