// The sample plug-in: a child window that reacts to its frame's
// activation, a timer, a button and its connection, and notes each.
#include <winsock2.h>

#include <afxdllx.h>
#include <lobbykit.h>
#include <TstpSocket.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "SamplePlugin.h"

// What reached the window, in order.
static std::vector<std::string> g_notes;

static void Note(const std::string& strNote) {
    g_notes.push_back(strNote);
}

class CTsSampleWnd : public CTsChildWnd {
public:
    CTsSampleWnd() { g_notes.clear(); }

    virtual int Create(DWORD dwStyle, UINT nID, CWnd* pParentWnd, UINT nExtra);
    virtual int DoExActive(int bActive);
    virtual int DoActive(int bActive);
    virtual int OnSocketConnect(CTstpSocket* pSocket);
    virtual int OnSocketSend(CTstpSocket* pSocket);
    virtual int OnSocketReceive(CTstpSocket* pSocket);
    virtual int OnSocketClose(CTstpSocket* pSocket);

protected:
    afx_msg LRESULT OnMsgFromFrameSetActiveWindow(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnBtnJoinClicked();
    afx_msg void OnDestroy();

    DECLARE_MESSAGE_MAP()

private:
    void ShowMainWindowIfHidden();

    CTsBmpButton m_btnJoin; // join button, command IDC_SAMPLE_JOIN
    CString m_strCaption;   // caption from the DLL's string table
    CString m_strGroupMsg;  // group message of the start record
    CString m_strHost;      // server of the game string, empty: none
    int m_nPort;            // its port
};

BEGIN_MESSAGE_MAP(CTsSampleWnd, CTsChildWnd)
ON_MESSAGE(WM_TS_SETACTIVEWINDOW, OnMsgFromFrameSetActiveWindow)
ON_WM_TIMER()
ON_WM_DESTROY()
ON_BN_CLICKED(IDC_SAMPLE_JOIN, OnBtnJoinClicked)
END_MESSAGE_MAP()

int CTsSampleWnd::Create(DWORD dwStyle, UINT nID, CWnd* pParentWnd, UINT nExtra) {
    if (!CTsChildWnd::Create(dwStyle, nID, pParentWnd, nExtra)) {
        return 0;
    }
    int bButton = m_btnJoin.Create(0, ".\\Images\\bncljoin.tsi", 0xFF0000, 1, 0, 0, this,
                                   IDC_SAMPLE_JOIN, 0, 0);
    Note(bButton ? "button-made" : "button-missing");
    return 1;
}

// The start record names the server; "bad" plays an invalid game string.
LRESULT CTsSampleWnd::OnMsgFromFrameSetActiveWindow(WPARAM wParam, LPARAM lParam) {
    if ((wParam & TSACT_EX) && (wParam & TSACT_ON) && lParam != 0) {
        __tag_GameString* pRecord = reinterpret_cast<__tag_GameString*>(lParam);
        Note(std::string("start|") + (LPCSTR)pRecord->strGameString + "|" +
             (LPCSTR)pRecord->strGroupMsg);
        m_strCaption.LoadString(IDS_SAMPLE_CAPTION);
        m_strGroupMsg = pRecord->strGroupMsg;
        if (pRecord->strGameString == "bad") {
            TsMessageBox(m_pFrameWnd, "Invalid game string", m_strCaption,
                         MB_ICONHAND | MB_TOPMOST);
            m_pFrameWnd->SendMessage(WM_CLOSE, 0, 0);
            return 0;
        }
        int nColon = pRecord->strGameString.Find(':');
        if (nColon > 0) {
            m_strHost = pRecord->strGameString.Left(nColon);
            m_nPort = atoi(pRecord->strGameString.Mid(nColon + 1));
        }
    }
    if (wParam & TSACT_EX) {
        DoExActive(static_cast<int>(wParam & TSACT_ON));
    } else {
        DoActive(static_cast<int>(wParam & TSACT_ON));
    }
    return 0;
}

int CTsSampleWnd::DoExActive(int bActive) {
    Note("exactive|" + std::to_string(bActive));
    if (bActive) {
        ON_SPLASH("Loading", 1, this);
        ControlButton(1);
        m_pTitleInfo->ApplyAdInformation(m_pCfgSetting->m_szAdInfo);
        ShowAdHtmlView(m_pTitleInfo->m_strAdPage);
        m_dwLastActiveTick = AfxGetTickCount();
        UINT_PTR nTimer = SetTimer(TIMER_SAMPLE_IDLE, 10000, NULL);
        Note(nTimer == TIMER_SAMPLE_IDLE ? "settimer|ok" : "settimer|failed");
        if (!m_strHost.IsEmpty()) {
            Note("createclient|" + std::to_string(CreateClient(m_strHost, m_nPort)));
        } else {
            OFF_SPLASH();
            ShowMainWindowIfHidden();
        }
    } else {
        ControlButton(0);
        ShowAdHtmlView(NULL);
        KillTimer(TIMER_SAMPLE_IDLE);
    }
    return CTsChildWnd::DoExActive(bActive);
}

int CTsSampleWnd::DoActive(int bActive) {
    Note("active|" + std::to_string(bActive));
    return CTsChildWnd::DoActive(bActive);
}

// The idle watch: in front, the clock restarts; over two hours idle, the
// window closes itself.
void CTsSampleWnd::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != TIMER_SAMPLE_IDLE) {
        CTsChildWnd::OnTimer(nIDEvent);
        return;
    }
    if (IsActiveWindow(1) || IsActiveWindow(2)) {
        m_dwLastActiveTick = AfxGetTickCount();
        Note("timer|front");
        return;
    }
    long nIdle = static_cast<long>(AfxGetTickCount() - m_dwLastActiveTick);
    Note("timer|idle|" + std::to_string(nIdle));
    if (nIdle > 7200000) {
        OnCloseBoxClicked(1);
    }
}

// Joins with the join fields and names the channel to the frame.
void CTsSampleWnd::OnBtnJoinClicked() {
    Note("button|215");
    if (!CheckConfidenceMemory()) {
        Note("join-refused");
        return;
    }
    char szName[64];
    snprintf(szName, sizeof(szName), "%s-%s", "Group", "Channel");
    if (m_pFrameWnd != NULL && m_pFrameWnd->m_hChannelNameWnd != NULL) {
        ::SendMessage(m_pFrameWnd->m_hChannelNameWnd, WM_TS_CHANNELNAME, (WPARAM)szName, 0);
    }
    m_hJoinWnd = m_hWnd;
    m_strJoinUrl = "join://" + m_strHost;
    m_strGroupParam = m_strGroupMsg;
    m_nJoinChannel = -2;
    m_bInUse = 0;
    SetActiveWindow(2, &m_strJoinUrl);
}

void CTsSampleWnd::OnDestroy() {
    Note("destroy");
    KillTimer(TIMER_SAMPLE_IDLE);
    CTsChildWnd::OnDestroy();
}

int CTsSampleWnd::OnSocketConnect(CTstpSocket* pSocket) {
    int r = CTsChildWnd::OnSocketConnect(pSocket);
    Note("connect|" + std::to_string(r));
    if (r != 0) {
        OFF_SPLASH();
        TsMessageBox(m_pFrameWnd, "Cannot connect to server.", m_strCaption, MB_ICONEXCLAMATION);
        ShowMainWindowIfHidden();
        return r;
    }
    return SendData("hello", 5);
}

int CTsSampleWnd::OnSocketSend(CTstpSocket* pSocket) {
    int r = CTsChildWnd::OnSocketSend(pSocket);
    Note("send|" + std::to_string(r));
    return r;
}

int CTsSampleWnd::OnSocketReceive(CTstpSocket* pSocket) {
    int r = CTsChildWnd::OnSocketReceive(pSocket);
    Note("receive|" + std::to_string(r));
    if (r != 0 && r != WSAEWOULDBLOCK) {
        return r;
    }
    int bMore;
    do {
        char* pBuffer = NULL;
        int nLength = 0;
        bMore = ReadData(pBuffer, nLength);
        if (pBuffer != NULL) {
            Note("message|" + std::string(pBuffer, static_cast<size_t>(nLength)));
            ::operator delete(pBuffer);
        }
    } while (bMore);
    return r;
}

int CTsSampleWnd::OnSocketClose(CTstpSocket* pSocket) {
    int r = CTsChildWnd::OnSocketClose(pSocket);
    OFF_SPLASH();
    ShowMainWindowIfHidden();
    Note("close|" + std::to_string(r));
    return r;
}

void CTsSampleWnd::ShowMainWindowIfHidden() {
    CWnd* pMain = AfxGetMainWnd();
    if (pMain != NULL && !pMain->IsWindowVisible()) {
        pMain->ShowWindow(SW_SHOW);
    }
}

TS_DEFINE_CHANNELLIST_FACTORY(CTsSampleWnd)

extern "C" __declspec(dllexport) int SampleGetNotes(char* pBuffer, int nSize) {
    std::string strAll;
    for (const std::string& s : g_notes) {
        strAll += s;
        strAll += '\n';
    }
    if (pBuffer != NULL && nSize > 0) {
        size_t nCopy = strAll.size() < static_cast<size_t>(nSize - 1)
                           ? strAll.size()
                           : static_cast<size_t>(nSize - 1);
        memcpy(pBuffer, strAll.data(), nCopy);
        pBuffer[nCopy] = '\0';
    }
    return static_cast<int>(g_notes.size());
}

// The module joins the framework's extension chain so that its string
// table is found.
static AFX_EXTENSION_MODULE g_sampleModule = {FALSE, NULL, NULL};

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID) {
    if (dwReason == DLL_PROCESS_ATTACH) {
        if (!AfxInitExtensionModule(g_sampleModule, hInstance)) {
            return FALSE;
        }
        new CDynLinkLibrary(g_sampleModule);
    } else if (dwReason == DLL_PROCESS_DETACH) {
        AfxTermExtensionModule(g_sampleModule);
    }
    return TRUE;
}
