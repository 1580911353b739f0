// afxstr.h - CString, a multi-byte (MBCS) string of the ANSI code page.
#pragma once

#ifndef AFX_CORE_API
#include "afx.h"
#endif

// One pointer wide, like MFC's: m_pchData points at the characters, preceded
// in the same allocation by the length and capacity. Every CString owns its
// buffer; copies copy. Positions and counts are in bytes; searching and case
// folding step over double-byte characters of the ANSI code page.
//
// Running out of memory: a string never holds a partial result. An
// operation that cannot get the memory it needs (construction, assignment,
// concatenation, Format, LoadString, Insert, Replace, ...) leaves the string
// empty; GetBuffer and GetBufferSetLength return NULL and leave it as it was.
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
    // NULL when the buffer must grow and no memory is left: the caller then
    // writes nothing (the string is unchanged). GetBuffer(0) of an empty
    // string needs no memory: it returns the shared empty text, whose
    // terminator is all it may hold.
    LPSTR GetBuffer(int nMinBufLength);
    void ReleaseBuffer(int nNewLength = -1);
    // GetBuffer(nNewLength), then the length set to nNewLength; NULL as above.
    LPSTR GetBufferSetLength(int nNewLength);
    void FreeExtra();
    int GetAllocLength() const;

private:
    LPSTR m_pchData;

    // FALSE: out of memory (AllocBuffer leaves the string empty, AssignCopy
    // and ConcatInPlace empty it).
    BOOL AllocBuffer(int nLen);
    void Release();
    BOOL AssignCopy(LPCSTR pch, int nLen);
    BOOL ConcatInPlace(LPCSTR pch, int nLen);
    void SetLength(int nLen);
    void Swap(CString& other);
    // a + b in one allocation; empty when it cannot be made.
    static CString Concat(LPCSTR a, int nA, LPCSTR b, int nB);
};

// ---- Seam: string memory ---------------------------------------------------
// Every allocation of CString memory first asks the hook set with
// AfxSetStringAllocHook, giving the number of characters the buffer is to
// hold; FALSE makes that allocation fail as if memory had run out. Tests
// use it to fail the first, or the Nth, allocation and check that every
// caller fails cleanly. A NULL hook lets every allocation through.
// Process-wide.
typedef BOOL (*AFX_STRINGALLOC_HOOK)(void* ctx, int nChars);
AFX_CORE_API void AFXAPI AfxSetStringAllocHook(AFX_STRINGALLOC_HOOK pfnHook, void* ctx);

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
