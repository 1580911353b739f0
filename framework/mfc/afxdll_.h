// afxdll_.h - extension libraries: DLLs whose resources join the search
// chain of the application. Included by afxwin.h.
#pragma once

#include "afxwnd_.h"

// Filled in by AfxInitExtensionModule from a DLL's DllMain.
struct AFX_EXTENSION_MODULE {
    BOOL bInitialized; // AfxInitExtensionModule succeeded
    HMODULE hModule;   // the DLL's module
    HMODULE hResource; // where its resources are (the module itself)
};

// One extension library in the process-wide chain. Constructing it (with
// new, in the DLL's DllMain) adds it at the head of the chain, which owns it;
// AfxTermExtensionModule deletes it again. Resource searches visit the
// application's resource handle first, then the chain from its head.
class AFX_CORE_API CDynLinkLibrary : public CCmdTarget {
public:
    explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem = FALSE);
    CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource);
    virtual ~CDynLinkLibrary();

    HMODULE m_hModule;
    HMODULE m_hResource;
    BOOL m_bSystem;
    CDynLinkLibrary* m_pNextDLL; // next library in the chain

private:
    void AddToChain();
};

AFX_CORE_API BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule);
// Deletes the chain entries of state.hModule (bAll: every entry).
AFX_CORE_API void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll = FALSE);

// Module holding resource lpszName of lpszType: the application's resource
// handle if it has it, else the first extension library in the chain that
// does, else the application's resource handle.
AFX_CORE_API HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);
// Loads string nID from the resource chain into lpszBuf (at most nMaxBuf
// bytes with the terminator), preferring the thread's UI language. Returns
// the length copied, 0 when no module has the string.
AFX_CORE_API int AFXAPI AfxLoadString(UINT nID, LPTSTR lpszBuf, UINT nMaxBuf = 256);
