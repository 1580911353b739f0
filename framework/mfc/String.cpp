// CString: storage, assignment and concatenation, extraction, searching,
// editing, formatting and loading from resources.
#include "afximpl.h"

#include <atomic>
#include <limits.h>
#include <stdlib.h>
#include <string.h>

namespace {

// Lengths kept in front of the characters, in the same allocation.
struct CStringData {
    int nDataLength;  // characters in use, without the terminator
    int nAllocLength; // characters that fit, without the terminator
    char* data() { return (char*)(this + 1); }
};

// The shared empty string: never written to, never freed.
struct {
    CStringData hdr;
    char nul[4];
} g_empty = {{0, 0}, {0, 0, 0, 0}};

inline CStringData* DataOf(LPSTR p) {
    return ((CStringData*)p) - 1;
}
inline BOOL IsEmptyBuffer(LPSTR p) {
    return DataOf(p) == &g_empty.hdr;
}
inline int SafeLen(LPCSTR psz) {
    return psz == NULL ? 0 : (int)strlen(psz);
}
inline char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? (char)(c - 'A' + 'a') : c;
}
inline char UpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? (char)(c - 'a' + 'A') : c;
}
inline BOOL IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Width in bytes of the character at p (2 for a complete double-byte pair).
inline int CharWidth(LPCSTR p) {
    return (AfxIsLeadByte((unsigned char)p[0]) && p[1] != '\0') ? 2 : 1;
}

// The allocation hook; g_bAllocHookSet lets allocations skip the lock while
// no hook is set (also before the lock exists, during static construction).
std::atomic<bool> g_bAllocHookSet(false);
AFX_STRINGALLOC_HOOK g_pfnAllocHook = NULL;
void* g_pAllocHookCtx = NULL;

// TRUE unless a hook refuses memory for nLen characters.
bool AllocAllowed(int nLen) {
    if (!g_bAllocHookSet.load(std::memory_order_acquire))
        return true;
    AFX_STRINGALLOC_HOOK pfnHook;
    void* ctx;
    {
        AfxGlobalLock lock;
        pfnHook = g_pfnAllocHook;
        ctx = g_pAllocHookCtx;
    }
    return pfnHook == NULL || pfnHook(ctx, nLen) != FALSE;
}

} // namespace

void AfxSetStringAllocHook(AFX_STRINGALLOC_HOOK pfnHook, void* ctx) {
    AfxGlobalLock lock;
    g_pfnAllocHook = pfnHook;
    g_pAllocHookCtx = ctx;
    g_bAllocHookSet.store(pfnHook != NULL, std::memory_order_release);
}

CString::CString() : m_pchData(g_empty.hdr.data()) {}

CString::CString(const CString& src) : m_pchData(g_empty.hdr.data()) {
    AssignCopy(src.m_pchData, src.GetLength());
}

CString::CString(LPCSTR psz) : m_pchData(g_empty.hdr.data()) {
    // A small integer in place of a pointer is a string resource id.
    if (psz != NULL && HIWORD((UINT_PTR)psz) == 0)
        LoadString(LOWORD((UINT_PTR)psz));
    else
        AssignCopy(psz, SafeLen(psz));
}

CString::CString(LPCSTR pch, int nLength) : m_pchData(g_empty.hdr.data()) {
    if (pch == NULL || nLength <= 0)
        return;
    // Stops early at a NUL inside the count, so a short buffer is safe.
    int n = 0;
    while (n < nLength && pch[n] != '\0')
        ++n;
    AssignCopy(pch, n);
}

CString::CString(char ch, int nRepeat) : m_pchData(g_empty.hdr.data()) {
    if (nRepeat > 0 && AllocBuffer(nRepeat))
        memset(m_pchData, ch, nRepeat);
}

CString::~CString() {
    Release();
}

// Replaces the buffer by a fresh one of nLen characters (contents undefined,
// terminated at nLen). FALSE: no memory, the string is left empty.
BOOL CString::AllocBuffer(int nLen) {
    Release();
    if (nLen <= 0)
        return TRUE;
    CStringData* p =
        AllocAllowed(nLen) ? (CStringData*)malloc(sizeof(CStringData) + nLen + 1) : NULL;
    if (p == NULL)
        return FALSE;
    p->nDataLength = nLen;
    p->nAllocLength = nLen;
    p->data()[nLen] = '\0';
    m_pchData = p->data();
    return TRUE;
}

void CString::Release() {
    if (!IsEmptyBuffer(m_pchData))
        free(DataOf(m_pchData));
    m_pchData = g_empty.hdr.data();
}

void CString::Swap(CString& other) {
    LPSTR p = m_pchData;
    m_pchData = other.m_pchData;
    other.m_pchData = p;
}

// Sets the length within the current capacity and terminates.
void CString::SetLength(int nLen) {
    if (IsEmptyBuffer(m_pchData))
        return;
    CStringData* d = DataOf(m_pchData);
    if (nLen < 0)
        nLen = 0;
    if (nLen > d->nAllocLength)
        nLen = d->nAllocLength;
    d->nDataLength = nLen;
    m_pchData[nLen] = '\0';
}

// Copies nLen characters from pch, which may point into this string.
// FALSE: no memory, the string is left empty.
BOOL CString::AssignCopy(LPCSTR pch, int nLen) {
    if (nLen <= 0 || pch == NULL) {
        SetLength(0);
        return TRUE;
    }
    if (nLen > GetAllocLength()) {
        CString tmp;
        if (!tmp.AllocBuffer(nLen)) {
            Empty();
            return FALSE;
        }
        memcpy(tmp.m_pchData, pch, nLen);
        Swap(tmp);
        return TRUE;
    }
    memmove(m_pchData, pch, nLen);
    SetLength(nLen);
    return TRUE;
}

// Appends nLen characters from pch, which may point into this string.
// FALSE: no memory (or an absurd length), the string is left empty.
BOOL CString::ConcatInPlace(LPCSTR pch, int nLen) {
    if (nLen <= 0 || pch == NULL)
        return TRUE;
    int nOld = GetLength();
    if (nOld + nLen > GetAllocLength()) {
        CString tmp;
        if (nLen > INT_MAX / 2 - nOld || !tmp.AllocBuffer(nOld + nLen + (nOld + nLen) / 2)) {
            Empty();
            return FALSE;
        }
        memcpy(tmp.m_pchData, m_pchData, nOld);
        memcpy(tmp.m_pchData + nOld, pch, nLen);
        tmp.SetLength(nOld + nLen);
        Swap(tmp);
        return TRUE;
    }
    memmove(m_pchData + nOld, pch, nLen);
    SetLength(nOld + nLen);
    return TRUE;
}

CString CString::Concat(LPCSTR a, int nA, LPCSTR b, int nB) {
    CString s;
    if (nA <= INT_MAX - nB && s.AllocBuffer(nA + nB)) {
        if (nA > 0)
            memcpy(s.m_pchData, a, nA);
        if (nB > 0)
            memcpy(s.m_pchData + nA, b, nB);
    }
    return s;
}

int CString::GetLength() const {
    return DataOf(m_pchData)->nDataLength;
}
int CString::GetAllocLength() const {
    return DataOf(m_pchData)->nAllocLength;
}
BOOL CString::IsEmpty() const {
    return GetLength() == 0;
}
void CString::Empty() {
    Release();
}

char CString::GetAt(int nIndex) const {
    return (nIndex >= 0 && nIndex < GetLength()) ? m_pchData[nIndex] : '\0';
}

void CString::SetAt(int nIndex, char ch) {
    if (nIndex >= 0 && nIndex < GetLength())
        m_pchData[nIndex] = ch;
}

const CString& CString::operator=(const CString& src) {
    if (this != &src)
        AssignCopy(src.m_pchData, src.GetLength());
    return *this;
}

const CString& CString::operator=(LPCSTR psz) {
    AssignCopy(psz, SafeLen(psz));
    return *this;
}

const CString& CString::operator=(char ch) {
    AssignCopy(&ch, 1);
    return *this;
}

const CString& CString::operator+=(const CString& src) {
    ConcatInPlace(src.m_pchData, src.GetLength());
    return *this;
}

const CString& CString::operator+=(LPCSTR psz) {
    ConcatInPlace(psz, SafeLen(psz));
    return *this;
}

const CString& CString::operator+=(char ch) {
    ConcatInPlace(&ch, 1);
    return *this;
}

CString operator+(const CString& a, const CString& b) {
    return CString::Concat(a.m_pchData, a.GetLength(), b.m_pchData, b.GetLength());
}

CString operator+(const CString& a, LPCSTR b) {
    return CString::Concat(a.m_pchData, a.GetLength(), b, SafeLen(b));
}

CString operator+(LPCSTR a, const CString& b) {
    return CString::Concat(a, SafeLen(a), b.m_pchData, b.GetLength());
}

CString operator+(const CString& a, char b) {
    return CString::Concat(a.m_pchData, a.GetLength(), &b, 1);
}

CString operator+(char a, const CString& b) {
    return CString::Concat(&a, 1, b.m_pchData, b.GetLength());
}

int CString::Compare(LPCSTR psz) const {
    return strcmp(m_pchData, psz == NULL ? "" : psz);
}

// Case-insensitive for ASCII letters; double-byte characters compare as
// they are.
int CString::CompareNoCase(LPCSTR psz) const {
    const unsigned char* a = (const unsigned char*)m_pchData;
    const unsigned char* b = (const unsigned char*)(psz == NULL ? "" : psz);
    for (;;) {
        unsigned char ca = (unsigned char)LowerAscii((char)*a);
        unsigned char cb = (unsigned char)LowerAscii((char)*b);
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
        if (AfxIsLeadByte(ca) && a[1] != 0 && b[1] != 0) {
            if (a[1] != b[1])
                return a[1] < b[1] ? -1 : 1;
            ++a, ++b;
        }
        ++a, ++b;
    }
}

int CString::Collate(LPCSTR psz) const {
    int r = ::CompareStringA(LOCALE_USER_DEFAULT, 0, m_pchData, -1, psz == NULL ? "" : psz, -1);
    return r == 0 ? Compare(psz) : r - CSTR_EQUAL;
}

bool operator==(const CString& a, const CString& b) {
    return a.Compare(b) == 0;
}
bool operator==(const CString& a, LPCSTR b) {
    return a.Compare(b) == 0;
}
bool operator==(LPCSTR a, const CString& b) {
    return b.Compare(a) == 0;
}
bool operator!=(const CString& a, const CString& b) {
    return a.Compare(b) != 0;
}
bool operator!=(const CString& a, LPCSTR b) {
    return a.Compare(b) != 0;
}
bool operator!=(LPCSTR a, const CString& b) {
    return b.Compare(a) != 0;
}
bool operator<(const CString& a, const CString& b) {
    return a.Compare(b) < 0;
}
bool operator<(const CString& a, LPCSTR b) {
    return a.Compare(b) < 0;
}
bool operator<(LPCSTR a, const CString& b) {
    return b.Compare(a) > 0;
}
bool operator>(const CString& a, const CString& b) {
    return a.Compare(b) > 0;
}
bool operator>(const CString& a, LPCSTR b) {
    return a.Compare(b) > 0;
}
bool operator>(LPCSTR a, const CString& b) {
    return b.Compare(a) < 0;
}
bool operator<=(const CString& a, const CString& b) {
    return a.Compare(b) <= 0;
}
bool operator>=(const CString& a, const CString& b) {
    return a.Compare(b) >= 0;
}

CString CString::Mid(int nFirst) const {
    return Mid(nFirst, INT_MAX);
}

// MFC's clipping: a negative start or count becomes 0, a start past the end
// gives an empty string, and the count stops at the end.
CString CString::Mid(int nFirst, int nCount) const {
    int nLen = GetLength();
    if (nFirst < 0)
        nFirst = 0;
    if (nCount < 0)
        nCount = 0;
    if (nFirst > nLen)
        nFirst = nLen;
    if (nCount > nLen - nFirst)
        nCount = nLen - nFirst;
    return CString(m_pchData + nFirst, nCount);
}

CString CString::Left(int nCount) const {
    return Mid(0, nCount);
}

CString CString::Right(int nCount) const {
    int nLen = GetLength();
    if (nCount < 0)
        nCount = 0;
    if (nCount > nLen)
        nCount = nLen;
    return CString(m_pchData + nLen - nCount, nCount);
}

CString CString::SpanIncluding(LPCSTR pszCharSet) const {
    return Left((int)strspn(m_pchData, pszCharSet == NULL ? "" : pszCharSet));
}

CString CString::SpanExcluding(LPCSTR pszCharSet) const {
    return Left((int)strcspn(m_pchData, pszCharSet == NULL ? "" : pszCharSet));
}

// Case mapping touches single-byte ASCII letters only.
void CString::MakeUpper() {
    for (char* p = m_pchData; *p != '\0'; p += CharWidth(p))
        *p = UpperAscii(*p);
}

void CString::MakeLower() {
    for (char* p = m_pchData; *p != '\0'; p += CharWidth(p))
        *p = LowerAscii(*p);
}

// Reverses the order of characters, keeping double-byte pairs intact.
void CString::MakeReverse() {
    int nLen = GetLength();
    if (nLen < 2)
        return;
    CString src(*this);
    if (src.GetLength() != nLen) {
        Empty();
        return;
    }
    int nOut = nLen;
    for (const char* p = src.m_pchData; *p != '\0';) {
        int w = CharWidth(p);
        nOut -= w;
        memcpy(m_pchData + nOut, p, w);
        p += w;
    }
}

int CString::Replace(char chOld, char chNew) {
    int nCount = 0;
    for (char* p = m_pchData; *p != '\0'; p += CharWidth(p))
        if (*p == chOld && CharWidth(p) == 1) {
            *p = chNew;
            ++nCount;
        }
    return nCount;
}

int CString::Replace(LPCSTR pszOld, LPCSTR pszNew) {
    int nOldLen = SafeLen(pszOld);
    if (nOldLen == 0)
        return 0;
    CString result;
    int nCount = 0;
    int nStart = 0;
    for (int nPos; (nPos = Find(pszOld, nStart)) >= 0; nStart = nPos + nOldLen) {
        if (!result.ConcatInPlace(m_pchData + nStart, nPos - nStart) ||
            !result.ConcatInPlace(pszNew, SafeLen(pszNew))) {
            Empty();
            return 0;
        }
        ++nCount;
    }
    if (nCount > 0) {
        if (!result.ConcatInPlace(m_pchData + nStart, GetLength() - nStart)) {
            Empty();
            return 0;
        }
        Swap(result);
    }
    return nCount;
}

int CString::Remove(char ch) {
    char* dst = m_pchData;
    int nCount = 0;
    for (char* p = m_pchData; *p != '\0';) {
        int w = CharWidth(p);
        if (w == 1 && *p == ch) {
            ++nCount;
        } else {
            memmove(dst, p, w);
            dst += w;
        }
        p += w;
    }
    SetLength((int)(dst - m_pchData));
    return nCount;
}

int CString::Insert(int nIndex, char ch) {
    char sz[2] = {ch, '\0'};
    return Insert(nIndex, sz);
}

int CString::Insert(int nIndex, LPCSTR psz) {
    int nLen = GetLength();
    if (nIndex < 0)
        nIndex = 0;
    if (nIndex > nLen)
        nIndex = nLen;
    CString result;
    if (!result.ConcatInPlace(m_pchData, nIndex) || !result.ConcatInPlace(psz, SafeLen(psz)) ||
        !result.ConcatInPlace(m_pchData + nIndex, nLen - nIndex)) {
        Empty();
        return 0;
    }
    Swap(result);
    return GetLength();
}

int CString::Delete(int nIndex, int nCount) {
    int nLen = GetLength();
    if (nIndex < 0)
        nIndex = 0;
    if (nIndex >= nLen || nCount <= 0)
        return nLen;
    if (nCount > nLen - nIndex)
        nCount = nLen - nIndex;
    memmove(m_pchData + nIndex, m_pchData + nIndex + nCount, nLen - nIndex - nCount);
    SetLength(nLen - nCount);
    return GetLength();
}

void CString::TrimLeft() {
    const char* p = m_pchData;
    while (IsSpace(*p))
        ++p;
    Delete(0, (int)(p - m_pchData));
}

void CString::TrimLeft(char chTarget) {
    const char* p = m_pchData;
    while (*p == chTarget && *p != '\0')
        ++p;
    Delete(0, (int)(p - m_pchData));
}

void CString::TrimLeft(LPCSTR pszTargets) {
    if (pszTargets == NULL)
        return;
    const char* p = m_pchData;
    while (*p != '\0' && CharWidth(p) == 1 && strchr(pszTargets, *p) != NULL)
        ++p;
    Delete(0, (int)(p - m_pchData));
}

void CString::TrimRight() {
    // Walks forward so a trail byte that looks like a space is never cut.
    char* pLast = NULL;
    for (char* p = m_pchData; *p != '\0'; p += CharWidth(p)) {
        if (CharWidth(p) == 1 && IsSpace(*p)) {
            if (pLast == NULL)
                pLast = p;
        } else {
            pLast = NULL;
        }
    }
    if (pLast != NULL)
        SetLength((int)(pLast - m_pchData));
}

void CString::TrimRight(char chTarget) {
    char sz[2] = {chTarget, '\0'};
    TrimRight(sz);
}

void CString::TrimRight(LPCSTR pszTargets) {
    if (pszTargets == NULL)
        return;
    char* pLast = NULL;
    for (char* p = m_pchData; *p != '\0'; p += CharWidth(p)) {
        if (CharWidth(p) == 1 && strchr(pszTargets, *p) != NULL) {
            if (pLast == NULL)
                pLast = p;
        } else {
            pLast = NULL;
        }
    }
    if (pLast != NULL)
        SetLength((int)(pLast - m_pchData));
}

int CString::Find(char ch) const {
    return Find(ch, 0);
}

int CString::Find(char ch, int nStart) const {
    if (nStart < 0)
        nStart = 0;
    for (const char* p = m_pchData; *p != '\0'; p += CharWidth(p))
        if (p - m_pchData >= nStart && *p == ch && CharWidth(p) == 1)
            return (int)(p - m_pchData);
    return -1;
}

int CString::Find(LPCSTR pszSub) const {
    return Find(pszSub, 0);
}

// First character boundary at or after nStart where pszSub begins.
int CString::Find(LPCSTR pszSub, int nStart) const {
    int nLen = GetLength();
    int nSub = SafeLen(pszSub);
    if (nStart < 0)
        nStart = 0;
    if (nStart > nLen)
        return -1;
    for (const char* p = m_pchData;; p += CharWidth(p)) {
        int nPos = (int)(p - m_pchData);
        if (nPos >= nStart && nSub <= nLen - nPos && memcmp(p, pszSub, nSub) == 0)
            return nPos;
        if (*p == '\0')
            return -1;
    }
}

int CString::ReverseFind(char ch) const {
    int nFound = -1;
    for (const char* p = m_pchData; *p != '\0'; p += CharWidth(p))
        if (*p == ch && CharWidth(p) == 1)
            nFound = (int)(p - m_pchData);
    return nFound;
}

int CString::FindOneOf(LPCSTR pszCharSet) const {
    if (pszCharSet == NULL)
        return -1;
    for (const char* p = m_pchData; *p != '\0'; p += CharWidth(p))
        if (CharWidth(p) == 1 && strchr(pszCharSet, *p) != NULL)
            return (int)(p - m_pchData);
    return -1;
}

// Formats into a buffer grown until the whole text fits (the arguments may
// point into this string, so it changes only at the end). Without memory,
// or for a format error or absurdly long text, the string is left empty.
void CString::FormatV(LPCSTR pszFormat, va_list args) {
    if (pszFormat == NULL) {
        Empty();
        return;
    }
    int nSize = 256;
    for (;;) {
        CString tmp;
        LPSTR buf = tmp.GetBuffer(nSize);
        if (buf == NULL) {
            Empty();
            return;
        }
        va_list copy;
        va_copy(copy, args);
        int n = vsnprintf(buf, nSize + 1, pszFormat, copy);
        va_end(copy);
        if (n >= 0 && n <= nSize) {
            tmp.ReleaseBuffer(n);
            Swap(tmp);
            return;
        }
        if (nSize >= 64 * 1024 * 1024) {
            Empty();
            return;
        }
        nSize = n > nSize ? n : nSize * 2;
    }
}

void CString::Format(LPCSTR pszFormat, ...) {
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::Format(UINT nFormatID, ...) {
    CString strFormat;
    if (!strFormat.LoadString(nFormatID)) {
        Empty();
        return;
    }
    va_list args;
    va_start(args, nFormatID);
    FormatV(strFormat, args);
    va_end(args);
}

BOOL CString::LoadString(UINT nID) {
    return AfxLoadResourceString(nID, *this);
}

// Grows the buffer when it holds fewer than nMinBufLength characters,
// keeping the text; NULL when that takes memory there is none of.
LPSTR CString::GetBuffer(int nMinBufLength) {
    if (nMinBufLength <= GetAllocLength())
        return m_pchData;
    int nOld = GetLength();
    CString tmp;
    if (!tmp.AllocBuffer(nMinBufLength))
        return NULL;
    memcpy(tmp.m_pchData, m_pchData, nOld + 1);
    DataOf(tmp.m_pchData)->nDataLength = nOld;
    Swap(tmp);
    return m_pchData;
}

void CString::ReleaseBuffer(int nNewLength) {
    if (IsEmptyBuffer(m_pchData))
        return;
    int nAlloc = GetAllocLength();
    if (nNewLength < 0) {
        nNewLength = 0;
        while (nNewLength < nAlloc && m_pchData[nNewLength] != '\0')
            ++nNewLength;
    }
    SetLength(nNewLength);
}

LPSTR CString::GetBufferSetLength(int nNewLength) {
    if (nNewLength < 0)
        nNewLength = 0;
    if (GetBuffer(nNewLength) == NULL)
        return NULL;
    SetLength(nNewLength);
    return m_pchData;
}

// Moves the text into a buffer of its own size; without memory the roomy
// buffer is kept.
void CString::FreeExtra() {
    if (GetLength() < GetAllocLength()) {
        CString tmp(m_pchData, GetLength());
        if (tmp.GetLength() == GetLength())
            Swap(tmp);
    }
}
