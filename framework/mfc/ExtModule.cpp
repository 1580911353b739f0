// Extension libraries and the resource chain: the application's resource
// handle first, then every registered extension library.
#include "afximpl.h"

#include <vector>

namespace {

// Modules in search order, taken under the lock.
std::vector<HINSTANCE> ResourceChain() {
    std::vector<HINSTANCE> chain;
    chain.push_back(AfxGetResourceHandle());
    AfxGlobalLock lock;
    for (CDynLinkLibrary* p = g_pFirstDLL; p != NULL; p = p->m_pNextDLL)
        if (p->m_hResource != NULL)
            chain.push_back(p->m_hResource);
    return chain;
}

// Languages tried for a string, best first: the thread's, the user's UI and
// default languages, neutral, English (US).
std::vector<LANGID> PreferredLanguages() {
    std::vector<LANGID> langs;
    LANGID candidates[] = {LANGIDFROMLCID(::GetThreadLocale()), ::GetUserDefaultUILanguage(),
                           ::GetUserDefaultLangID(), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                           MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)};
    for (LANGID id : candidates) {
        bool seen = false;
        for (LANGID l : langs)
            seen = seen || l == id;
        if (!seen)
            langs.push_back(id);
    }
    return langs;
}

// String nID of one string table block resource, as UTF-16 text and its
// length; NULL when the block has no such string.
const WCHAR* StringInBlock(HINSTANCE hModule, HRSRC hRes, UINT nID, int* pnLen) {
    HGLOBAL hData = ::LoadResource(hModule, hRes);
    const WCHAR* p = hData != NULL ? (const WCHAR*)::LockResource(hData) : NULL;
    if (p == NULL)
        return NULL;
    // A block holds 16 counted strings; skip to entry nID % 16.
    const WCHAR* pEnd = (const WCHAR*)((const BYTE*)p + ::SizeofResource(hModule, hRes));
    for (UINT i = 0; i < (nID & 15); ++i) {
        if (p >= pEnd)
            return NULL;
        p += 1 + *p;
    }
    if (p >= pEnd || *p == 0 || p + 1 + *p > pEnd)
        return NULL;
    *pnLen = *p;
    return p + 1;
}

// Finds string nID in one module: in the first preferred language whose
// table has it, else in whichever table the system picks.
const WCHAR* FindStringInModule(HINSTANCE hModule, UINT nID, int* pnLen) {
    LPCSTR pBlock = MAKEINTRESOURCEA((nID >> 4) + 1);
    for (LANGID lang : PreferredLanguages()) {
        HRSRC hRes = ::FindResourceExA(hModule, (LPCSTR)RT_STRING, pBlock, lang);
        const WCHAR* p = hRes != NULL ? StringInBlock(hModule, hRes, nID, pnLen) : NULL;
        if (p != NULL)
            return p;
    }
    HRSRC hRes = ::FindResourceA(hModule, pBlock, (LPCSTR)RT_STRING);
    return hRes != NULL ? StringInBlock(hModule, hRes, nID, pnLen) : NULL;
}

} // namespace

BOOL AfxLoadResourceString(UINT nID, CString& rString) {
    for (HINSTANCE hModule : ResourceChain()) {
        int nLen = 0;
        const WCHAR* pText = FindStringInModule(hModule, nID, &nLen);
        if (pText == NULL)
            continue;
        int nBytes = ::WideCharToMultiByte(CP_ACP, 0, pText, nLen, NULL, 0, NULL, NULL);
        LPSTR pBuffer = rString.GetBufferSetLength(nBytes);
        if (pBuffer == NULL)
            break; // no memory for the text: not loaded
        ::WideCharToMultiByte(CP_ACP, 0, pText, nLen, pBuffer, nBytes, NULL, NULL);
        rString.ReleaseBuffer(nBytes);
        return TRUE;
    }
    rString.Empty();
    return FALSE;
}

int AfxLoadString(UINT nID, LPTSTR lpszBuf, UINT nMaxBuf) {
    if (lpszBuf == NULL || nMaxBuf == 0)
        return 0;
    CString str;
    if (!AfxLoadResourceString(nID, str)) {
        lpszBuf[0] = '\0';
        return 0;
    }
    // Cuts at a character boundary so no half double-byte character remains.
    int nLen = 0;
    while (nLen < str.GetLength()) {
        int w = (AfxIsLeadByte((unsigned char)str[nLen]) && nLen + 1 < str.GetLength()) ? 2 : 1;
        if ((UINT)(nLen + w) >= nMaxBuf)
            break;
        nLen += w;
    }
    memcpy(lpszBuf, (LPCSTR)str, nLen);
    lpszBuf[nLen] = '\0';
    return nLen;
}

HINSTANCE AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType) {
    for (HINSTANCE hModule : ResourceChain())
        if (::FindResourceA(hModule, lpszName, lpszType) != NULL)
            return hModule;
    return AfxGetResourceHandle();
}

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule) {
    if (hModule == NULL)
        return FALSE;
    state.hModule = hModule;
    state.hResource = hModule;
    state.bInitialized = TRUE;
    return TRUE;
}

// Deletes the chain's entries of state's module (or all with bAll).
void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll) {
    std::vector<CDynLinkLibrary*> doomed;
    {
        AfxGlobalLock lock;
        for (CDynLinkLibrary* p = g_pFirstDLL; p != NULL; p = p->m_pNextDLL)
            if (bAll || p->m_hModule == state.hModule)
                doomed.push_back(p);
    }
    for (CDynLinkLibrary* p : doomed)
        delete p;
    state.bInitialized = FALSE;
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem)
    : m_hModule(state.hModule), m_hResource(state.hResource), m_bSystem(bSystem), m_pNextDLL(NULL) {
    AddToChain();
}

CDynLinkLibrary::CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource)
    : m_hModule(hModule), m_hResource(hResource), m_bSystem(FALSE), m_pNextDLL(NULL) {
    AddToChain();
}

// The newest library is searched first after the application.
void CDynLinkLibrary::AddToChain() {
    AfxGlobalLock lock;
    m_pNextDLL = g_pFirstDLL;
    g_pFirstDLL = this;
}

CDynLinkLibrary::~CDynLinkLibrary() {
    AfxGlobalLock lock;
    for (CDynLinkLibrary** pp = &g_pFirstDLL; *pp != NULL; pp = &(*pp)->m_pNextDLL) {
        if (*pp == this) {
            *pp = m_pNextDLL;
            break;
        }
    }
}
