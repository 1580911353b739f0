// afximpl.h - state shared by the subset's own sources (not a public header).
#pragma once

#include "afxwin.h"
#include <map>

// Handle -> wrapper map of one thread for temporary wrappers made by
// FromHandle. Entries whose handle died are swept when the map grows.
template <class H, class T> struct AfxTempMap {
    std::map<H, T*> entries; // live temporaries by handle
    size_t nSweepAt = 64;    // size at which the next sweep runs
};

// Per-thread state, made on first use and freed when the thread detaches.
struct AFX_THREAD_STATE {
    MSG lastMsg = {};                        // message being dispatched
    CWnd* pWndInit = nullptr;                // window being created (CBT hook)
    HHOOK hHookOldCbtFilter = nullptr;       // the CBT hook while creating
    CWinThread* pThread = nullptr;           // framework thread object, if any
    AfxTempMap<HWND, CWnd> tempWnds;         // CWnd::FromHandle temporaries
    AfxTempMap<HGDIOBJ, CGdiObject> tempGdi; // CGdiObject::FromHandle temporaries
    AfxTempMap<HDC, CDC> tempDCs;            // CDC::FromHandle temporaries
};

// The calling thread's state (never NULL).
AFX_THREAD_STATE* AfxGetThreadState();
// Frees the calling thread's state (DLL_THREAD_DETACH).
void AfxFreeThreadState();

// Process-wide lock guarding the maps and lists below and in the sources.
void AfxLockGlobals();
void AfxUnlockGlobals();

// Scoped AfxLockGlobals.
struct AfxGlobalLock {
    AfxGlobalLock() { AfxLockGlobals(); }
    ~AfxGlobalLock() { AfxUnlockGlobals(); }
    AfxGlobalLock(const AfxGlobalLock&) = delete;
    AfxGlobalLock& operator=(const AfxGlobalLock&) = delete;
};

// The subset's own module (for class registration).
extern HINSTANCE g_hMfcSubModule;
// The application object, its thread id, and the resource handle override.
extern CWinApp* g_pApp;
extern DWORD g_nAppThreadId;
extern HINSTANCE g_hResourceOverride;
// Head of the extension-library chain.
extern CDynLinkLibrary* g_pFirstDLL;

// Bounded copy of src into dst[nDst] (always terminated when nDst > 0).
void AfxCopyString(char* dst, size_t nDst, const char* src);
// TRUE when c is a lead byte of a double-byte character in the ANSI code page.
BOOL AfxIsLeadByte(unsigned char c);

// Loads string nID from the resource chain (application first, then the
// extension libraries), converted to the ANSI code page. FALSE: not found.
BOOL AfxLoadResourceString(UINT nID, CString& rString);

// Process-wide maps from a handle to the permanent object that owns it
// (CWnd, CGdiObject, CDC), guarded by AfxLockGlobals.
std::map<HWND, CWnd*>& AfxPermanentWnds();
std::map<HGDIOBJ, CGdiObject*>& AfxPermanentGdi();
std::map<HDC, CDC*>& AfxPermanentDCs();

// Looks key up in a permanent map under the lock; NULL when absent.
template <class H, class T> T* AfxLookupPermanent(std::map<H, T*>& map, H key) {
    AfxGlobalLock lock;
    auto it = map.find(key);
    return it == map.end() ? nullptr : it->second;
}

// Finds or makes the temporary wrapper of h in one thread's map. isAlive(h)
// tells whether a handle still exists; fits(p, h) whether an existing entry
// may serve h; make(h) creates a new wrapper; drop(p) releases the handle
// from a wrapper and deletes it.
template <class H, class T, class Alive, class Fits, class Make, class Drop>
T* AfxTempFromHandle(AfxTempMap<H, T>& tm, H h, Alive isAlive, Fits fits, Make make, Drop drop) {
    auto it = tm.entries.find(h);
    if (it != tm.entries.end()) {
        if (fits(it->second, h))
            return it->second;
        drop(it->second);
        tm.entries.erase(it);
    }
    if (tm.entries.size() >= tm.nSweepAt) {
        for (auto i = tm.entries.begin(); i != tm.entries.end();) {
            if (isAlive(i->first)) {
                ++i;
            } else {
                drop(i->second);
                i = tm.entries.erase(i);
            }
        }
        tm.nSweepAt = tm.entries.size() * 2 > 64 ? tm.entries.size() * 2 : 64;
    }
    T* p = make(h);
    tm.entries[h] = p;
    return p;
}

// Releases and deletes every wrapper of a temporary map.
template <class H, class T, class Drop> void AfxClearTempMap(AfxTempMap<H, T>& tm, Drop drop) {
    for (auto& e : tm.entries)
        drop(e.second);
    tm.entries.clear();
    tm.nSweepAt = 64;
}

// Reports a SetTimer (bKill FALSE) or KillTimer call to the timer hook.
void AfxReportTimer(HWND hWnd, UINT_PTR nIDEvent, UINT nElapse, BOOL bKill);

// The CBT hook that binds a window being created to its CWnd.
LRESULT CALLBACK AfxCbtFilterHook(int code, WPARAM wParam, LPARAM lParam);
