// Process-wide and per-thread state of the framework, and the DLL's entry
// point that creates and frees them.
#include "afximpl.h"

HINSTANCE g_hMfcSubModule = NULL;
CWinApp* g_pApp = NULL;
DWORD g_nAppThreadId = 0;
HINSTANCE g_hResourceOverride = NULL;
CDynLinkLibrary* g_pFirstDLL = NULL;

namespace {
DWORD g_tlsIndex = TLS_OUT_OF_INDEXES; // slot of AFX_THREAD_STATE*
CRITICAL_SECTION g_lock;               // AfxLockGlobals
} // namespace

// Returns the calling thread's state, creating it on first use.
AFX_THREAD_STATE* AfxGetThreadState() {
    AFX_THREAD_STATE* p = (AFX_THREAD_STATE*)::TlsGetValue(g_tlsIndex);
    if (p == NULL) {
        p = new AFX_THREAD_STATE;
        ::TlsSetValue(g_tlsIndex, p);
    }
    return p;
}

// Deletes the temporaries and the state of the calling thread.
void AfxFreeThreadState() {
    AFX_THREAD_STATE* p = (AFX_THREAD_STATE*)::TlsGetValue(g_tlsIndex);
    if (p == NULL)
        return;
    CWnd::DeleteTempMap();
    CGdiObject::DeleteTempMap();
    CDC::DeleteTempMap();
    ::TlsSetValue(g_tlsIndex, NULL);
    delete p;
}

void AfxLockGlobals() {
    ::EnterCriticalSection(&g_lock);
}
void AfxUnlockGlobals() {
    ::LeaveCriticalSection(&g_lock);
}

void AfxCopyString(char* dst, size_t nDst, const char* src) {
    if (dst == NULL || nDst == 0)
        return;
    size_t n = 0;
    if (src != NULL) {
        while (n + 1 < nDst && src[n] != '\0')
            ++n;
        memcpy(dst, src, n);
    }
    dst[n] = '\0';
}

BOOL AfxIsLeadByte(unsigned char c) {
    return c >= 0x80 && ::IsDBCSLeadByte(c);
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID lpReserved) {
    switch (dwReason) {
    case DLL_PROCESS_ATTACH:
        g_hMfcSubModule = hInstance;
        ::InitializeCriticalSection(&g_lock);
        g_tlsIndex = ::TlsAlloc();
        return g_tlsIndex != TLS_OUT_OF_INDEXES;
    case DLL_THREAD_DETACH:
        AfxFreeThreadState();
        break;
    case DLL_PROCESS_DETACH:
        // At process exit (lpReserved set) other threads are gone and their
        // memory goes with the process; only an unload frees this thread's.
        if (lpReserved == NULL) {
            AfxFreeThreadState();
            ::TlsFree(g_tlsIndex);
            ::DeleteCriticalSection(&g_lock);
        }
        break;
    }
    return TRUE;
}
