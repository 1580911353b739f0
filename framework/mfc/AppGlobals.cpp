// Module handles, window class registration and the framework's seams for
// message boxes, the clock and timers.
#include "afximpl.h"

#include <set>
#include <string>

namespace {
AFX_MESSAGEBOX_HOOK g_pfnMessageBoxHook = NULL; // replaces ::MessageBoxA when set
void* g_pMessageBoxCtx = NULL;                  // its context
AFX_TICKCOUNT_HOOK g_pfnTickCountHook = NULL;   // replaces ::GetTickCount when set
void* g_pTickCountCtx = NULL;                   // its context
AFX_TIMER_HOOK g_pfnTimerHook = NULL;           // told of SetTimer and KillTimer
void* g_pTimerCtx = NULL;                       // its context
} // namespace

HINSTANCE AfxGetInstanceHandle() {
    return g_pApp != NULL ? g_pApp->m_hInstance : ::GetModuleHandleA(NULL);
}

HINSTANCE AfxGetResourceHandle() {
    return g_hResourceOverride != NULL ? g_hResourceOverride : AfxGetInstanceHandle();
}

void AfxSetResourceHandle(HINSTANCE hInstResource) {
    g_hResourceOverride = hInstResource;
}

// Class names are derived from the arguments, so equal arguments find the
// class registered before. Classes are global to the process and use
// DefWindowProc; CWnd's creation hook subclasses each window.
LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
    static std::set<std::string> names;
    char szName[96];
    snprintf(szName, sizeof(szName), "Afx:%p:%x:%p:%p:%p", (void*)AfxGetInstanceHandle(),
             nClassStyle, (void*)hCursor, (void*)hbrBackground, (void*)hIcon);
    AfxGlobalLock lock;
    auto it = names.find(szName);
    if (it != names.end())
        return it->c_str();
    WNDCLASSA wc = {};
    if (!::GetClassInfoA(AfxGetInstanceHandle(), szName, &wc)) {
        wc.style = nClassStyle | CS_GLOBALCLASS;
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hCursor = hCursor;
        wc.hbrBackground = hbrBackground;
        wc.hIcon = hIcon;
        wc.lpszClassName = szName;
        if (!::RegisterClassA(&wc))
            return NULL;
    }
    return names.insert(szName).first->c_str();
}

void AfxSetMessageBoxHook(AFX_MESSAGEBOX_HOOK pfnHook, void* ctx) {
    AfxGlobalLock lock;
    g_pfnMessageBoxHook = pfnHook;
    g_pMessageBoxCtx = ctx;
}

int AfxShowMessageBox(HWND hWndOwner, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType) {
    AFX_MESSAGEBOX_HOOK pfnHook;
    void* ctx;
    {
        AfxGlobalLock lock;
        pfnHook = g_pfnMessageBoxHook;
        ctx = g_pMessageBoxCtx;
    }
    if (pfnHook != NULL)
        return pfnHook(ctx, hWndOwner, lpszText, lpszCaption, nType);
    return ::MessageBoxA(hWndOwner, lpszText, lpszCaption, nType);
}

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT) {
    CWnd* pMainWnd = AfxGetMainWnd();
    return AfxShowMessageBox(pMainWnd->GetSafeHwnd(), lpszText, AfxGetAppName(), nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
    CString str;
    str.LoadString(nIDPrompt);
    return AfxMessageBox(str, nType, nIDHelp);
}

void AfxSetTickCountHook(AFX_TICKCOUNT_HOOK pfnHook, void* ctx) {
    AfxGlobalLock lock;
    g_pfnTickCountHook = pfnHook;
    g_pTickCountCtx = ctx;
}

DWORD AfxGetTickCount() {
    AFX_TICKCOUNT_HOOK pfnHook;
    void* ctx;
    {
        AfxGlobalLock lock;
        pfnHook = g_pfnTickCountHook;
        ctx = g_pTickCountCtx;
    }
    return pfnHook != NULL ? pfnHook(ctx) : ::GetTickCount();
}

void AfxSetTimerHook(AFX_TIMER_HOOK pfnHook, void* ctx) {
    AfxGlobalLock lock;
    g_pfnTimerHook = pfnHook;
    g_pTimerCtx = ctx;
}

void AfxReportTimer(HWND hWnd, UINT_PTR nIDEvent, UINT nElapse, BOOL bKill) {
    AFX_TIMER_HOOK pfnHook;
    void* ctx;
    {
        AfxGlobalLock lock;
        pfnHook = g_pfnTimerHook;
        ctx = g_pTimerCtx;
    }
    if (pfnHook != NULL)
        pfnHook(ctx, hWnd, nIDEvent, nElapse, bKill);
}
