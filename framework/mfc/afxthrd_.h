// afxthrd_.h - CWinThread, CWinApp and worker threads. Included by afxwin.h.
#pragma once

#include "afxwnd_.h"

typedef UINT(AFX_CDECL* AFX_THREADPROC)(LPVOID);

// A thread of the process. Worker threads run a thread function; the object
// deletes itself when the function returns if m_bAutoDelete is set (the
// default), so a caller keeping the pointer must clear m_bAutoDelete first
// (start the thread suspended for that).
class AFX_CORE_API CWinThread : public CCmdTarget {
public:
    CWinThread();
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    virtual ~CWinThread();

    // Starts the thread (dwCreateFlags may hold CREATE_SUSPENDED).
    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0,
                      LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);
    DWORD SuspendThread();
    DWORD ResumeThread();
    int GetThreadPriority();
    BOOL SetThreadPriority(int nPriority);
    operator HANDLE() const { return m_hThread; }

    // The thread's main window (AfxGetMainWnd); inherited from the
    // application when the thread starts.
    virtual CWnd* GetMainWnd();
    virtual BOOL InitInstance();
    virtual int ExitInstance();

    HANDLE m_hThread;
    DWORD m_nThreadID;
    BOOL m_bAutoDelete;
    CWnd* m_pMainWnd;

protected:
    AFX_THREADPROC m_pfnThreadProc; // worker function, or NULL
    LPVOID m_pThreadParams;         // its argument

    friend unsigned __stdcall AfxThreadEntry(void*);
};

// The application: one per process, registered by its constructor. The
// thread that constructs it is the application's thread.
class AFX_CORE_API CWinApp : public CWinThread {
public:
    explicit CWinApp(LPCTSTR lpszAppName = NULL);
    virtual ~CWinApp();

    HINSTANCE m_hInstance; // the executable's module
    LPCTSTR m_pszAppName;  // lpszAppName, or the executable's base name

    virtual BOOL InitInstance();

private:
    char m_szAppName[MAX_PATH]; // storage behind m_pszAppName
};

// Creates a CWinThread running pfnThreadProc(pParam) and starts it.
AFX_CORE_API CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                                               int nPriority = THREAD_PRIORITY_NORMAL,
                                               UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                                               LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);
// Ends the calling framework thread (deleting its object if auto-delete).
AFX_CORE_API void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete = TRUE);
// The calling thread's CWinThread: its own for framework threads, the
// application on the application's thread, else NULL.
AFX_CORE_API CWinThread* AFXAPI AfxGetThread();
AFX_CORE_API CWinApp* AFXAPI AfxGetApp();
// The calling thread's main window (the application's on its thread).
AFX_CORE_API CWnd* AFXAPI AfxGetMainWnd();
AFX_CORE_API LPCTSTR AFXAPI AfxGetAppName();
