// CTsTestHost: the miniature lobby client: app, main window, frame,
// records, plug-in loading, message pumping and the log of what it saw.
#include "TsTestHost.h"
#include "TsHostMainWnd.h"

#include <stdio.h>

// Window property that leads the watching procedure to its host.
static const char kHostProperty[] = "CTsTestHost";

// The application object of the process, made by the first host on its
// thread (which becomes the application's thread) and kept to the end.
static void EnsureApplication() {
    if (AfxGetApp() == NULL) {
        static CWinApp* s_pApp = new CWinApp("peltora_host");
        (void)s_pApp;
    }
}

CTsTestHost::CTsTestHost()
    : m_pMainWnd(NULL), m_pWnd(NULL), m_hPlugin(NULL), m_pfnWindowProc(NULL), m_bDeleteOnDestroy(0),
      m_dwTick(1000000), m_nConfidence(1), m_bCloseDestroys(0), m_bCloseQuits(0),
      m_bPlainWindows(1), m_bDestroyAtJoin(0), m_nPumpingMaxWaitMs(0) {
    EnsureApplication();
    m_gameString.dwReserved = 0;
    m_nActiveAnswer[0] = m_nActiveAnswer[1] = m_nActiveAnswer[2] = 0;
    m_pMainWnd = new CTsHostMainWnd(this);
    AfxSetMessageBoxHook(&CTsTestHost::BoxHook, this);
    AfxSetTickCountHook(&CTsTestHost::TickHook, this);
}

// Tears down in reverse: the plug-in window and object, the frame, the
// main window, the DLL, the seams.
CTsTestHost::~CTsTestHost() {
    DestroyWindow();
    m_frame.SetObserver(NULL);
    if (m_frame.GetSafeHwnd() != NULL) {
        m_frame.DestroyWindow();
    }
    if (AfxGetApp() != NULL && AfxGetApp()->m_pMainWnd == m_pMainWnd) {
        AfxGetApp()->m_pMainWnd = NULL;
    }
    if (m_pMainWnd->GetSafeHwnd() != NULL) {
        m_pMainWnd->DestroyWindow();
    }
    delete m_pMainWnd;
    Pump();
    if (m_hPlugin != NULL) {
        ::FreeLibrary(m_hPlugin);
    }
    AfxSetMessageBoxHook(NULL, NULL);
    AfxSetTickCountHook(NULL, NULL);
}

int CTsTestHost::SetClientDirectory(LPCSTR lpszDir) {
    return lpszDir != NULL && ::SetCurrentDirectoryA(lpszDir) ? 1 : 0;
}

int CTsTestHost::LoadPlugin(LPCSTR lpszDllPath) {
    if (m_pWnd != NULL || m_hPlugin != NULL || lpszDllPath == NULL) {
        return 0;
    }
    HMODULE hModule = ::LoadLibraryA(lpszDllPath);
    if (hModule == NULL) {
        return 0;
    }
    PFN_TS_CREATE_CHANNELLIST_WND pfnCreate = reinterpret_cast<PFN_TS_CREATE_CHANNELLIST_WND>(
        reinterpret_cast<void*>(::GetProcAddress(hModule, TS_CREATE_CHANNELLIST_WND)));
    PFN_TS_DELETE_CHANNELLIST_WND pfnDelete = reinterpret_cast<PFN_TS_DELETE_CHANNELLIST_WND>(
        reinterpret_cast<void*>(::GetProcAddress(hModule, TS_DELETE_CHANNELLIST_WND)));
    CTsChildWnd* pWnd = (pfnCreate != NULL && pfnDelete != NULL) ? pfnCreate() : NULL;
    if (pWnd == NULL) {
        ::FreeLibrary(hModule);
        return 0;
    }
    m_hPlugin = hModule;
    m_deleter = pfnDelete;
    m_pWnd = pWnd;
    return 1;
}

int CTsTestHost::UseWindow(CTsChildWnd* pWnd, std::function<void(CTsChildWnd*)> deleter) {
    if (m_pWnd != NULL || pWnd == NULL) {
        return 0;
    }
    m_pWnd = pWnd;
    m_deleter = std::move(deleter);
    return 1;
}

// The records go to the window before its Create, as a lobby client does.
int CTsTestHost::CreateFrame() {
    if (m_pWnd == NULL || m_frame.GetSafeHwnd() != NULL) {
        return 0;
    }
    if (m_pMainWnd->GetSafeHwnd() == NULL && !m_pMainWnd->CreateMain(m_bPlainWindows)) {
        return 0;
    }
    AfxGetApp()->m_pMainWnd = m_pMainWnd;
    m_frame.m_nHeaderTop = m_config.m_nHeaderTop;
    m_frame.m_nHeaderHeight = m_config.m_nHeaderHeight;
    m_frame.m_bUseRating = m_config.m_bUseRating;
    m_frame.SetObserver(this);
    if (!m_frame.CreateFrame("Lobby", m_config.m_nWidth, m_config.m_nHeight,
                             m_bPlainWindows ? WS_POPUP : 0)) {
        return 0;
    }
    m_frame.ShowWindow(SW_SHOWNOACTIVATE);
    return AttachWindow();
}

// The host watches the window's procedure from its creation on, so that it
// sees the window's end however it comes.
int CTsTestHost::AttachWindow() {
    if (m_pWnd == NULL || m_pWnd->GetSafeHwnd() != NULL || m_frame.GetSafeHwnd() == NULL) {
        return 0;
    }
    m_pWnd->m_pMember = &m_config.m_member;
    m_pWnd->m_pGameInfo = &m_config.m_gameInfo;
    m_pWnd->m_pGameRecord = &m_config.m_gameRecord;
    m_pWnd->m_pCfgSetting = &m_config.m_cfgSetting;
    m_pWnd->m_pTitleInfo = &m_config.m_titleInfo;
    m_pWnd->m_dwOption = m_config.m_dwOption;
    m_pWnd->m_pszRegKey = m_config.m_strRegKey;
    if (!m_frame.AttachChild(m_pWnd, 0, 0)) {
        return 0;
    }
    const HWND hWnd = m_pWnd->GetSafeHwnd();
    ::SetPropA(hWnd, kHostProperty, this);
    m_pfnWindowProc =
        (WNDPROC)::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)&CTsTestHost::WatchProc);
    return 1;
}

LRESULT CALLBACK CTsTestHost::WatchProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CTsTestHost* pHost = static_cast<CTsTestHost*>(::GetPropA(hWnd, kHostProperty));
    if (pHost == NULL) {
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    }
    const LRESULT lResult =
        ::CallWindowProcA(pHost->m_pfnWindowProc, hWnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::RemovePropA(hWnd, kHostProperty);
        pHost->OnWindowGone();
    }
    return lResult;
}

void CTsTestHost::OnWindowGone() {
    if (m_bDeleteOnDestroy && m_deleter) {
        Log("deleted");
        ReleaseWindowObject();
    }
}

LRESULT CTsTestHost::Start(LPCSTR lpszGameString, LPCSTR lpszGroupMsg) {
    m_gameString.strGameString =
        lpszGameString != NULL ? CString(lpszGameString) : m_config.m_strGameString;
    m_gameString.strGroupMsg =
        lpszGroupMsg != NULL ? CString(lpszGroupMsg) : m_config.m_strGroupMsg;
    m_gameString.dwReserved = 0;
    return m_frame.Activate(TSACT_EX | TSACT_ON, &m_gameString);
}

LRESULT CTsTestHost::Activate(WPARAM wFlags) {
    return m_frame.Activate(wFlags, NULL);
}

// In the deleting mode the object may be gone with its window already.
void CTsTestHost::DestroyWindow() {
    if (m_pWnd != NULL && m_pWnd->GetSafeHwnd() != NULL) {
        m_pWnd->DestroyWindow();
    }
    if (m_pWnd != NULL) {
        ReleaseWindowObject();
    }
}

// The pointer is cleared before the deleter runs, so that nothing the
// object's destructor sets off finds it.
void CTsTestHost::ReleaseWindowObject() {
    m_frame.DetachChild();
    CTsChildWnd* pWnd = m_pWnd;
    std::function<void(CTsChildWnd*)> deleter = std::move(m_deleter);
    m_pWnd = NULL;
    m_deleter = nullptr;
    if (deleter) {
        deleter(pWnd);
    }
}

int CTsTestHost::Pump() {
    int nCount = 0;
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
        nCount++;
    }
    return nCount;
}

// The time limit is a safety cap only: a condition that holds ends the
// wait as soon as its message has been handled.
bool CTsTestHost::PumpUntil(const std::function<bool()>& cond, DWORD nMaxWaitMs) {
    DWORD dwStart = ::GetTickCount();
    for (;;) {
        Pump();
        if (cond()) {
            return true;
        }
        DWORD dwSpent = ::GetTickCount() - dwStart;
        if (dwSpent >= nMaxWaitMs) {
            return cond();
        }
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, nMaxWaitMs - dwSpent, QS_ALLINPUT);
    }
}

int CTsTestHost::CountLog(const std::string& strEntry) const {
    bool bPrefix = !strEntry.empty() && strEntry[strEntry.size() - 1] == '|';
    int nCount = 0;
    for (const std::string& s : m_log) {
        if (bPrefix ? s.compare(0, strEntry.size(), strEntry) == 0 : s == strEntry) {
            nCount++;
        }
    }
    return nCount;
}

std::string CTsTestHost::LogText() const {
    std::string strText;
    for (const std::string& s : m_log) {
        strText += s;
        strText += '\n';
    }
    return strText;
}

// Appends to the log, and to the configured log file when there is one.
void CTsTestHost::Log(const std::string& strEntry) {
    m_log.push_back(strEntry);
    if (!m_config.m_strLogFile.IsEmpty()) {
        FILE* pFile = fopen(m_config.m_strLogFile, "ab");
        if (pFile != NULL) {
            fprintf(pFile, "%s\n", strEntry.c_str());
            fclose(pFile);
        }
    }
}

void CTsTestHost::SetActiveAnswer(int nWhich, int nAnswer) {
    if (nWhich >= 1 && nWhich <= 2) {
        m_nActiveAnswer[nWhich] = nAnswer;
    }
}

void CTsTestHost::SetCloseBehaviour(int bDestroy, int bQuit) {
    m_bCloseDestroys = bDestroy;
    m_bCloseQuits = bQuit;
}

void CTsTestHost::HideMainWindow() {
    if (m_pMainWnd->GetSafeHwnd() != NULL) {
        m_pMainWnd->ShowWindow(SW_HIDE);
    }
}

CWnd* CTsTestHost::GetMainWnd() const {
    return m_pMainWnd;
}

void CTsTestHost::OnSplashShown(LPCSTR lpszText, int nFlag, HWND) {
    Log(std::string("splash-on|") + lpszText + "|" + std::to_string(nFlag));
}

void CTsTestHost::OnSplashHidden() {
    Log("splash-off");
}

void CTsTestHost::OnChildActivated(int nWhich, HWND, LPCSTR lpszUrl, LPCSTR lpszGroup, int nRoom) {
    if (nWhich == 2) {
        Log(std::string("join|") + (lpszUrl != NULL ? lpszUrl : "") + "|" +
            (lpszGroup != NULL ? lpszGroup : "") + "|" + std::to_string(nRoom));
        if (m_bDestroyAtJoin && m_pWnd != NULL && m_pWnd->GetSafeHwnd() != NULL) {
            Log("destroy-at-join");
            m_pWnd->DestroyWindow();
        }
    } else {
        Log("front|" + std::to_string(nWhich));
    }
}

void CTsTestHost::OnCloseBox(int nReason) {
    Log("closebox|" + std::to_string(nReason));
}

int CTsTestHost::OnFrameClose() {
    Log("close-frame");
    if (m_bCloseQuits) {
        ::PostQuitMessage(0);
    }
    return m_bCloseDestroys;
}

void CTsTestHost::OnControlButton(int bEnable) {
    Log("buttons|" + std::to_string(bEnable));
}

void CTsTestHost::OnAdView(LPCSTR lpszAddress) {
    Log(lpszAddress != NULL ? std::string("ad|") + lpszAddress : std::string("ad-off"));
}

void CTsTestHost::OnChannelName(LPCSTR lpszName) {
    Log(std::string("channel-name|") + lpszName);
}

int CTsTestHost::AnswerIsActiveWindow(int nWhich, int nAnswer) {
    if (nWhich >= 1 && nWhich <= 2 && m_nActiveAnswer[nWhich] >= 0) {
        return m_nActiveAnswer[nWhich];
    }
    return nAnswer;
}

int CTsTestHost::AnswerCheckConfidenceMemory(int) {
    return m_nConfidence;
}

void CTsTestHost::SetPumpingBoxes(std::function<int(const TsHostBox&)> answerer, DWORD nMaxWaitMs) {
    m_pumpingAnswerer = std::move(answerer);
    m_nPumpingMaxWaitMs = nMaxWaitMs;
}

void CTsTestHost::SetPumpingBoxesUntilIdle() {
    SetPumpingBoxes([this](const TsHostBox&) { return Pump() == 0 ? NextQueuedAnswer() : 0; });
}

int CTsTestHost::NextQueuedAnswer() {
    if (m_boxAnswers.empty()) {
        return IDOK;
    }
    const int nAnswer = m_boxAnswers.front();
    m_boxAnswers.pop_front();
    return nAnswer;
}

// A modal box in miniature: the owner takes no input while the box is up,
// and everything else the thread receives is dispatched, as the loop of a
// real box does. The answerer is asked before the first wait, so a box it
// answers at once runs no loop, and again at least every kSliceMs, so that
// it can answer once nothing more arrives.
int CTsTestHost::RunPumpingBox(const TsHostBox& box,
                               const std::function<int(const TsHostBox&)>& answerer) {
    // A box owned by a child window disables that window's top-level one.
    const HWND hDisabled = box.hOwner != NULL ? ::GetAncestor(box.hOwner, GA_ROOT) : NULL;
    const BOOL bWasDisabled = hDisabled != NULL ? ::EnableWindow(hDisabled, FALSE) : TRUE;
    const DWORD dwStart = ::GetTickCount();
    int nAnswer = answerer(box);
    while (nAnswer == 0) {
        const DWORD dwSpent = ::GetTickCount() - dwStart;
        if (dwSpent >= m_nPumpingMaxWaitMs) {
            Log("box-timeout");
            nAnswer = IDCANCEL;
            break;
        }
        const DWORD kSliceMs = 20;
        const DWORD dwLeft = m_nPumpingMaxWaitMs - dwSpent;
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, dwLeft < kSliceMs ? dwLeft : kSliceMs,
                                    QS_ALLINPUT);
        Pump();
        nAnswer = answerer(box);
    }
    if (!bWasDisabled && ::IsWindow(hDisabled)) {
        ::EnableWindow(hDisabled, TRUE);
    }
    return nAnswer;
}

// Records the box and answers it: in the pumping mode after a message
// loop, else from the queue (IDOK when empty).
int CTsTestHost::BoxHook(void* pCtx, HWND hOwner, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType) {
    CTsTestHost* pHost = static_cast<CTsTestHost*>(pCtx);
    TsHostBox box = {hOwner, lpszText != NULL ? lpszText : "",
                     lpszCaption != NULL ? lpszCaption : "", nType};
    pHost->m_boxes.push_back(box);
    char szType[16];
    snprintf(szType, sizeof(szType), "0x%x", nType);
    pHost->Log("box|" + box.strText + "|" + box.strCaption + "|" + szType);
    if (pHost->m_pumpingAnswerer) {
        // A copy: the answerer may end the mode while this box is up.
        const std::function<int(const TsHostBox&)> answerer = pHost->m_pumpingAnswerer;
        return pHost->RunPumpingBox(box, answerer);
    }
    return pHost->NextQueuedAnswer();
}

DWORD CTsTestHost::TickHook(void* pCtx) {
    return static_cast<CTsTestHost*>(pCtx)->m_dwTick;
}
