// CTsChannelListWnd: the connection to the channel-list server, the
// request, the socket notifications and the dispatch of replies. Each
// listing takes a fresh connection: connect, one request for the current
// group's sub id, the reply, the server's close. A listing is in flight
// from the start of connecting to its end; only then may a progress splash
// stand over the window, and a server silent for LISTING_TIMEOUT ends it as
// an unreachable one does. Any bytes received count as hearing from it.
// Winsock's header must come before windows.h.
#include <TstpSocket.h>

#include "ChannelListWnd.h"

#include <string.h>

#include <KelpParser.h>
#include <TsLobbyFrame.h>

#include "resource.h"

namespace {

// Shows string nId as the progress splash over pWnd.
void ShowProgress(CTsChildWnd* pWnd, UINT nId) {
    CString strText;
    strText.LoadString(nId);
    pWnd->ON_SPLASH(strText, TSSPLASH_PROGRESS, pWnd);
}

} // namespace

// Command 216, the refresh button; also run by DoActive(1). Asks again for
// the current group on a new connection; nothing without a current group.
// A connection that cannot even start ends the listing at once.
void CTsChannelListWnd::OnBtnChannelListRefreshClicked() {
    if (m_strSubId.IsEmpty())
        return;
    CTsAliveGuard alive(this);
    ShowProgress(this, IDS_CONNECTING);
    if (!alive)
        return;
    DestroyClient();
    if (CreateClient(m_strServerIp, m_nServerPort))
        BeginListing();
    else
        EndListing();
}

void CTsChannelListWnd::BeginListing() {
    m_bListing = 1;
    m_dwListingHeard = AfxGetTickCount();
    SetTimer(TIMER_LISTING, TIMER_LISTING_PERIOD, NULL);
}

void CTsChannelListWnd::EndListing() {
    m_bListing = 0;
    KillTimer(TIMER_LISTING);
    OFF_SPLASH();
}

void CTsChannelListWnd::HideSplashUnlessListing() {
    if (!m_bListing)
        OFF_SPLASH();
}

// Signed difference of two tick counts, so that the counter's wrap does not
// matter.
int CTsChannelListWnd::IsListingOverdue() const {
    return m_bListing && (int)(AfxGetTickCount() - m_dwListingHeard) > (int)LISTING_TIMEOUT;
}

void CTsChannelListWnd::ShowCannotConnect() {
    CString strText;
    strText.LoadString(IDS_CONNECT_FAILED);
    TsMessageBox(m_pFrameWnd, strText, m_strCaption, MB_ICONEXCLAMATION);
}

// Sends the channel-list request for pszSubId. Returns SendData's result
// (0: sent or queued), or WSAEINVAL when the request cannot be rendered.
int CTsChannelListWnd::SendGetChannelList(const char* pszSubId) {
    m_dwLastActiveTick = AfxGetTickCount();
    CKelpParser request(G::serviceChannelList, G::commandGetChannelList, NULL, 1, NULL, 0);
    request.AddValue(G::keyGameId, m_pGameInfo->m_szGameId);
    request.AddValue(G::keySubId, pszSubId);
    char* pszText = NULL;
    int nLength = 0;
    if (!request.GetURL(pszText, nLength))
        return WSAEINVAL;
    return SendData(pszText, nLength);
}

// The connection stands, or could not be made: a failure is reported once,
// here. Without a current group nothing is asked.
int CTsChannelListWnd::OnSocketConnect(CTstpSocket* pSocket) {
    const int nResult = CTsChildWnd::OnSocketConnect(pSocket);
    CTsAliveGuard alive(this);
    if (nResult != 0) {
        EndListing();
        if (alive)
            ShowCannotConnect();
        ShowMainWindowIfHidden();
        return nResult;
    }
    if (m_strSubId.IsEmpty()) {
        EndListing();
        ShowMainWindowIfHidden();
        return 0;
    }
    ShowProgress(this, IDS_RECEIVING);
    if (alive)
        SendGetChannelList(m_strSubId);
    return 0;
}

// Queued data went out, or sending failed.
int CTsChannelListWnd::OnSocketSend(CTstpSocket* pSocket) {
    const int nResult = CTsChildWnd::OnSocketSend(pSocket);
    if (nResult != 0) {
        EndListing();
        ShowMainWindowIfHidden();
        return nResult;
    }
    return 0;
}

// Data arrived: every whole message is parsed and dispatched, in order. A
// dispatch may lead the host to destroy this window (a join) or delete this
// object (a box), so the object is asked after every dispatch and the
// window before every read. Messages that do not parse are dropped. An
// oversized frame has ended the connection already, but the whole messages
// that came before it are still read and dispatched before the listing
// ends.
int CTsChannelListWnd::OnSocketReceive(CTstpSocket* pSocket) {
    const int nBufferedBefore = pSocket != NULL ? pSocket->GetBufferedSize() : 0;
    const int nResult = CTsChildWnd::OnSocketReceive(pSocket);
    const int bOversized = nResult == WSAEMSGSIZE;
    if (nResult != 0 && nResult != WSAEWOULDBLOCK && !bOversized) {
        EndListing();
        ShowMainWindowIfHidden();
        return nResult;
    }
    // A server still sending a long message is not silent.
    if (pSocket != NULL && pSocket->GetBufferedSize() > nBufferedBefore)
        m_dwListingHeard = AfxGetTickCount();
    CTsAliveGuard alive(this);
    for (;;) {
        if (!::IsWindow(GetSafeHwnd())) {
            OFF_SPLASH();
            return nResult;
        }
        char* pBuffer = NULL;
        int nLength = 0;
        const int bMore = ReadData(pBuffer, nLength);
        if (pBuffer != NULL) {
            m_dwListingHeard = AfxGetTickCount();
            CKelpParser message(pBuffer, nLength, NULL);
            ::operator delete(pBuffer);
            if (message.IsValid()) {
                DispatchServices(message);
                if (!alive)
                    return nResult;
            }
        }
        if (!bMore)
            break;
    }
    // The socket closed itself at the oversized frame; a handle again means
    // that a dispatch started the next listing, which goes on.
    if (bOversized && pSocket->GetHandle() == INVALID_SOCKET) {
        EndListing();
        ShowMainWindowIfHidden();
    }
    return nResult;
}

// The server closed the connection: the listing is over.
int CTsChannelListWnd::OnSocketClose(CTstpSocket* pSocket) {
    const int nResult = CTsChildWnd::OnSocketClose(pSocket);
    EndListing();
    return nResult;
}

// Routes one parsed message: the channel-list reply to
// ProcessGetChannelList; anything else ends the connection (returns 1).
// Dropping the connection brings no close notification, so the receiving
// splash is hidden here, or it would stay up over the window for good.
int CTsChannelListWnd::DispatchServices(CKelpParser& parser) {
    if (strcmp(parser.GetService(), G::serviceChannelList) == 0 &&
        strcmp(parser.GetCommand(), G::commandGetChannelList) == 0)
        return ProcessGetChannelList(parser);
    DestroyClient();
    EndListing();
    return 1;
}
