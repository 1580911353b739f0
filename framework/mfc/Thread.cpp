// CWinThread, CWinApp and worker threads.
#include "afximpl.h"

#include <process.h>

CWinThread::CWinThread()
    : m_hThread(NULL), m_nThreadID(0), m_bAutoDelete(TRUE), m_pMainWnd(NULL), m_pfnThreadProc(NULL),
      m_pThreadParams(NULL) {}

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam) : CWinThread() {
    m_pfnThreadProc = pfnThreadProc;
    m_pThreadParams = pParam;
}

CWinThread::~CWinThread() {
    if (m_hThread != NULL)
        ::CloseHandle(m_hThread);
}

// Entry of every framework thread: registers the thread object, runs the
// worker function and ends the thread through AfxEndThread.
unsigned __stdcall AfxThreadEntry(void* pParam) {
    CWinThread* pThread = (CWinThread*)pParam;
    AfxGetThreadState()->pThread = pThread;
    if (pThread->m_pMainWnd == NULL && g_pApp != NULL)
        pThread->m_pMainWnd = g_pApp->m_pMainWnd;
    UINT nResult = 0;
    if (pThread->m_pfnThreadProc != NULL)
        nResult = pThread->m_pfnThreadProc(pThread->m_pThreadParams);
    else if (pThread->InitInstance())
        nResult = (UINT)pThread->ExitInstance();
    AfxEndThread(nResult);
    return nResult;
}

// Starts the thread suspended so that m_hThread and m_nThreadID are set
// before it runs, then resumes it unless the caller asked otherwise.
BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize,
                              LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
    unsigned nThreadID = 0;
    m_hThread = (HANDLE)_beginthreadex(lpSecurityAttrs, nStackSize, AfxThreadEntry, this,
                                       CREATE_SUSPENDED, &nThreadID);
    if (m_hThread == NULL)
        return FALSE;
    m_nThreadID = nThreadID;
    if ((dwCreateFlags & CREATE_SUSPENDED) == 0)
        ::ResumeThread(m_hThread);
    return TRUE;
}

DWORD CWinThread::SuspendThread() {
    return ::SuspendThread(m_hThread);
}
DWORD CWinThread::ResumeThread() {
    return ::ResumeThread(m_hThread);
}
int CWinThread::GetThreadPriority() {
    return ::GetThreadPriority(m_hThread);
}
BOOL CWinThread::SetThreadPriority(int nPriority) {
    return ::SetThreadPriority(m_hThread, nPriority);
}
CWnd* CWinThread::GetMainWnd() {
    return m_pMainWnd;
}
BOOL CWinThread::InitInstance() {
    return FALSE;
}
int CWinThread::ExitInstance() {
    return 0;
}

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority,
                           UINT nStackSize, DWORD dwCreateFlags,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
    if (pfnThreadProc == NULL)
        return NULL;
    CWinThread* pThread = new CWinThread(pfnThreadProc, pParam);
    if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
        delete pThread;
        return NULL;
    }
    pThread->SetThreadPriority(nPriority);
    if ((dwCreateFlags & CREATE_SUSPENDED) == 0)
        pThread->ResumeThread();
    return pThread;
}

void AfxEndThread(UINT nExitCode, BOOL bDelete) {
    AFX_THREAD_STATE* st = AfxGetThreadState();
    CWinThread* pThread = st->pThread;
    st->pThread = NULL;
    if (pThread != NULL && bDelete && pThread->m_bAutoDelete)
        delete pThread;
    AfxFreeThreadState();
    _endthreadex(nExitCode);
}

CWinThread* AfxGetThread() {
    if (CWinThread* p = AfxGetThreadState()->pThread)
        return p;
    if (g_pApp != NULL && ::GetCurrentThreadId() == g_nAppThreadId)
        return g_pApp;
    return NULL;
}

CWinApp* AfxGetApp() {
    return g_pApp;
}

CWnd* AfxGetMainWnd() {
    CWinThread* pThread = AfxGetThread();
    return pThread != NULL ? pThread->GetMainWnd() : NULL;
}

LPCTSTR AfxGetAppName() {
    return g_pApp != NULL ? g_pApp->m_pszAppName : "";
}

// The application is the thread that constructs it; its name defaults to
// the executable's base name.
CWinApp::CWinApp(LPCTSTR lpszAppName) : m_hInstance(::GetModuleHandleA(NULL)) {
    m_szAppName[0] = '\0';
    if (lpszAppName != NULL) {
        AfxCopyString(m_szAppName, sizeof(m_szAppName), lpszAppName);
    } else {
        char szPath[MAX_PATH] = "";
        ::GetModuleFileNameA(NULL, szPath, sizeof(szPath) - 1);
        const char* pName = szPath;
        for (const char* p = szPath; *p != '\0'; p = ::CharNextA(p))
            if (*p == '\\' || *p == '/')
                pName = p + 1;
        AfxCopyString(m_szAppName, sizeof(m_szAppName), pName);
        char* pDot = strrchr(m_szAppName, '.');
        if (pDot != NULL)
            *pDot = '\0';
    }
    m_pszAppName = m_szAppName;
    m_hThread = NULL;
    m_nThreadID = ::GetCurrentThreadId();
    m_bAutoDelete = FALSE;
    AfxGlobalLock lock;
    g_pApp = this;
    g_nAppThreadId = m_nThreadID;
}

CWinApp::~CWinApp() {
    AfxGlobalLock lock;
    if (g_pApp == this) {
        g_pApp = NULL;
        g_nAppThreadId = 0;
    }
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}
