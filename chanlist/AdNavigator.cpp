// The ad view's navigation thread and the share that keeps it safe.
#include "AdNavigator.h"

#include <TsHtmlCtrl.h>

static volatile LONG s_nLiveThreads = 0; // threads that still hold their share
static HANDLE s_hThreadGate = NULL;      // the tests' gate for new threads

CTsAdNavigator::CTsAdNavigator(CTsHtmlCtrl* pCtrl, LPCSTR lpszAddress)
    : m_pCtrl(pCtrl), m_strAddress(lpszAddress), m_nRefs(2), m_hModule(NULL),
      m_hGate(s_hThreadGate) {
    ::InitializeCriticalSection(&m_cs);
}

CTsAdNavigator::~CTsAdNavigator() {
    ::DeleteCriticalSection(&m_cs);
}

CTsAdNavigator* CTsAdNavigator::Start(CTsHtmlCtrl* pCtrl, LPCSTR lpszAddress) {
    if (pCtrl == NULL)
        return NULL;
    CTsAdNavigator* pNavigator = new CTsAdNavigator(pCtrl, lpszAddress);
    // One more load of this DLL, given back by the thread as it exits.
    ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, (LPCSTR)&ThreadProc,
                         &pNavigator->m_hModule);
    ::InterlockedIncrement(&s_nLiveThreads);
    if (AfxBeginThread(ThreadProc, pNavigator, THREAD_PRIORITY_NORMAL, 0, 0, NULL) == NULL) {
        // No thread: its share, its count and its load go here.
        ::InterlockedDecrement(&s_nLiveThreads);
        if (pNavigator->m_hModule != NULL)
            ::FreeLibrary(pNavigator->m_hModule);
        delete pNavigator;
        return NULL;
    }
    return pNavigator;
}

// Navigates once, lets go of the share, and exits through the loader so
// that the DLL's last reference is given back by code outside it. The
// framework's thread object is deleted here as its thread end would do.
UINT AFX_CDECL CTsAdNavigator::ThreadProc(LPVOID pParam) {
    CTsAdNavigator* pNavigator = (CTsAdNavigator*)pParam;
    if (pNavigator->m_hGate != NULL)
        ::WaitForSingleObject(pNavigator->m_hGate, INFINITE);
    ::EnterCriticalSection(&pNavigator->m_cs);
    if (pNavigator->m_pCtrl != NULL)
        pNavigator->m_pCtrl->Navigate(pNavigator->m_strAddress);
    ::LeaveCriticalSection(&pNavigator->m_cs);
    const HMODULE hModule = pNavigator->m_hModule;
    pNavigator->Release();
    ::InterlockedDecrement(&s_nLiveThreads);
    if (hModule == NULL)
        return 0;
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL && pThread->m_bAutoDelete)
        delete pThread;
    ::FreeLibraryAndExitThread(hModule, 0);
    return 0;
}

void CTsAdNavigator::Detach() {
    ::EnterCriticalSection(&m_cs);
    m_pCtrl = NULL;
    ::LeaveCriticalSection(&m_cs);
    Release();
}

void CTsAdNavigator::Release() {
    if (::InterlockedDecrement(&m_nRefs) == 0)
        delete this;
}

LONG CTsAdNavigator::GetLiveCount() {
    return ::InterlockedCompareExchange(const_cast<LONG*>(&s_nLiveThreads), 0, 0);
}

void CTsAdNavigator::SetThreadGate(HANDLE hGate) {
    s_hThreadGate = hGate;
}
