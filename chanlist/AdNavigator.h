// CTsAdNavigator: the one worker thread that sends the ad view to its
// address. The window and the thread share this object; whichever lets go
// last deletes it. The thread calls Navigate under the object's lock, and
// the window detaches (under the same lock) before it destroys the ad view,
// so the view is never used after it is gone: either Navigate has returned
// before the view goes, or the thread finds no view and does nothing. The
// thread also holds a reference to this DLL, so a host that unloads the
// plug-in right after destroying the window does not pull the thread's code
// from under it.
#pragma once

#include <afxwin.h>

#include "PeltoraApi.h"

class CTsHtmlCtrl;

class PELTORA_API CTsAdNavigator {
public:
    // Starts the thread (normal priority, default stack) that calls
    // pCtrl->Navigate(lpszAddress) once. Returns the window's share, or null
    // when the thread could not start (nothing then uses pCtrl).
    static CTsAdNavigator* Start(CTsHtmlCtrl* pCtrl, LPCSTR lpszAddress);

    // The window lets go: waits for a Navigate in progress to return, makes
    // sure the thread will not touch the view afterwards, and gives up the
    // window's share (the object may be deleted; do not use it again).
    void Detach();

    // Navigators whose thread has not yet let go (a measure for tests).
    static LONG GetLiveCount();
    // A seam for tests: while hGate is set and not signalled, every thread
    // started from now on waits on it before it navigates, outside the
    // lock, so a test can destroy the window first. Null: no wait.
    static void SetThreadGate(HANDLE hGate);

private:
    CTsAdNavigator(CTsHtmlCtrl* pCtrl, LPCSTR lpszAddress);
    ~CTsAdNavigator();
    CTsAdNavigator(const CTsAdNavigator&) = delete;
    CTsAdNavigator& operator=(const CTsAdNavigator&) = delete;

    // The thread: one Navigate under the lock, then its share goes.
    static UINT AFX_CDECL ThreadProc(LPVOID pParam);
    // Gives up one share; the last one deletes the object.
    void Release();

    CRITICAL_SECTION m_cs; // held around Navigate and around Detach
    CTsHtmlCtrl* m_pCtrl;  // the ad view; null once the window detached
    CString m_strAddress;  // the address, copied when the thread starts
    LONG m_nRefs;          // shares: the window's and the thread's
    HMODULE m_hModule;     // this DLL, kept loaded until the thread is done
    HANDLE m_hGate;        // waited on before navigating, or null
};
