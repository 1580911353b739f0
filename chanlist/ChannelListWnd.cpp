// CTsChannelListWnd: construction, window creation, the message map and
// teardown.
#include "ChannelListWnd.h"

#include <string.h>
#include <TsGDImage.h>
#include <TsHtmlCtrl.h>
#include <TsLobbyMsg.h>

#include "AdNavigator.h"
#include "ChannelGroupListCtrl.h"
#include "ChannelListCtrl.h"
#include "PresenceEvent.h"
#include "TsRegion.h"

// Images of the two buttons and of the channel-list information picture,
// relative to the client's current directory.
static const char kJoinImage[] = ".\\Images\\bncljoin.tsi";
static const char kRefreshImage[] = ".\\Images\\bnclref.tsi";
static const char kInfoImage[] = ".\\images\\cnlstinfo.tsi";

// Colour the buttons leave out when drawing.
static const COLORREF kButtonKey = 0xFF0000;

BEGIN_MESSAGE_MAP(CTsChannelListWnd, CTsChildWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_PAINT()
ON_WM_TIMER()
ON_MESSAGE(WM_TS_SETACTIVEWINDOW, OnMsgFromFrameSetActiveWindow)
ON_MESSAGE(WM_CHANNELGROUP_SEL, OnMsgFromChannelGroupSel)
ON_MESSAGE(WM_CHANNELLIST_SEL, OnMsgFromChannelListSel)
ON_MESSAGE(WM_USER + 35, OnMsgFromChannelAvatarReady)
ON_MESSAGE(WM_USER + 36, OnMsgRedrawAvatar)
ON_BN_CLICKED(IDC_CHANNEL_JOIN, OnBtnChannelJoinClicked)
ON_BN_CLICKED(IDC_CHANNEL_REFRESH, OnBtnChannelListRefreshClicked)
END_MESSAGE_MAP()

CTsChannelListWnd::CTsChannelListWnd()
    : m_listGroup(10), m_listChannel(10), m_bAutoJoin(0), m_pInfoImage(NULL), m_nTotalMembers(0),
      m_pAdCtrl(NULL), m_bActive(0), m_pAvatar(NULL), m_nAutoPort(0), m_nAutoMaxRoom(0),
      m_nAutoMaxRoomMembers(0), m_nAutoMaxRoomViewers(0), m_nContRoom(-2), m_pAdNavigator(NULL),
      m_bListing(0), m_dwListingHeard(0), m_bAskingToContinue(0) {
    memset(m_szAutoChannelId, 0, sizeof(m_szAutoChannelId));
    memset(m_szAutoIp, 0, sizeof(m_szAutoIp));
    memset(m_szContChannelId, 0, sizeof(m_szContChannelId));
    InitPrototype();
    if (TsRegion::kPresenceEvent)
        TsAcquirePresenceEvent();
}

// A window still standing is destroyed first, so that OnDestroy (ad view,
// records, children) runs while the object is whole.
CTsChannelListWnd::~CTsChannelListWnd() {
    if (m_hWnd != NULL)
        DestroyWindow();
    DestroyAdView();
    FreeRecords();
    delete m_pAvatar;
    m_pAvatar = NULL;
    delete m_pInfoImage;
    m_pInfoImage = NULL;
    if (TsRegion::kPresenceEvent)
        TsReleasePresenceEvent();
}

void CTsChannelListWnd::InitPrototype() {
    if (TsRegion::kChinese) {
        // A taller member panel for the larger avatar; the ad view below it.
        ::SetRect(&m_rcAdView, 459, 389, 793, 518);
        ::SetRect(&m_rcMember, 458, 120, 793, 388);
    } else {
        ::SetRect(&m_rcAdView, 459, 332, 793, 518);
        ::SetRect(&m_rcMember, 458, 120, 793, 331);
    }
}

// The window, then its children. The buttons stay hidden until
// SetChannelListWnd places them; a missing image leaves that button without
// a window, which the placement tolerates.
int CTsChannelListWnd::Create(DWORD dwStyle, UINT nID, CWnd* pParentWnd, UINT nExtra) {
    if (!CTsChildWnd::Create(dwStyle, nID, pParentWnd, nExtra))
        return 0;
    if (!m_wndListCtrl.Create(this, IDC_LIST_CONTAINER))
        return 0;

    m_btnJoin.Create(0, kJoinImage, kButtonKey, 1, 0, 0, this, IDC_CHANNEL_JOIN, 0, 0);
    m_btnRefresh.Create(0, kRefreshImage, kButtonKey, 1, 0, 0, this, IDC_CHANNEL_REFRESH, 0, 0);
    if (m_btnJoin.GetSafeHwnd() != NULL)
        m_btnJoin.ShowWindow(SW_HIDE);
    if (m_btnRefresh.GetSafeHwnd() != NULL)
        m_btnRefresh.ShowWindow(SW_HIDE);

    // Both lists start two pixels below the frame's header band.
    const int nListTop = m_nHeaderTop + m_nHeaderHeight + 2;
    m_ChannelGroupListSetting.m_rcWindow.top = nListTop;
    m_ChannelListSetting.m_rcWindow.top = nListTop;

    // A window created again loads into the picture it already holds
    // (loading replaces the image), so no earlier picture is lost.
    if (m_pInfoImage == NULL)
        m_pInfoImage = new CTsGDImage;
    if (!m_pInfoImage->Create(kInfoImage, 1, CLR_INVALID, 0, 0)) {
        delete m_pInfoImage;
        m_pInfoImage = NULL;
    }

    // No anti-cheat service runs alongside this window.

    CreateAdView();
    return 1;
}

// The ad view, unless the configuration's address is "None" (any case).
// Its one navigation thread starts only when the view's window exists; a
// view whose window failed stays without one until the window goes.
void CTsChannelListWnd::CreateAdView() {
    if (m_pAdCtrl != NULL)
        return;
    const char* pszAdUrl = m_pCfgSetting->m_szAdUrl;
    const CString strAdUrl(pszAdUrl, (int)strnlen(pszAdUrl, sizeof(m_pCfgSetting->m_szAdUrl)));
    if (strAdUrl.CompareNoCase("None") == 0)
        return;
    m_pAdCtrl = new CTsHtmlCtrl;
    LPCSTR lpszClass = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, NULL, NULL, NULL);
    if (!m_pAdCtrl->Create(lpszClass, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this,
                           IDC_AD_VIEW, NULL))
        return;
    m_pAdCtrl->SetWindowPos(NULL, m_rcAdView.left, m_rcAdView.top,
                            m_rcAdView.right - m_rcAdView.left, m_rcAdView.bottom - m_rcAdView.top,
                            SWP_NOZORDER | SWP_NOACTIVATE);
    m_pAdNavigator = CTsAdNavigator::Start(m_pAdCtrl, strAdUrl);
}

// The navigation thread lets go of the view (waiting for a Navigate in
// progress to return) before the view is destroyed.
void CTsChannelListWnd::DestroyAdView() {
    if (m_pAdNavigator != NULL) {
        m_pAdNavigator->Detach();
        m_pAdNavigator = NULL;
    }
    if (m_pAdCtrl != NULL) {
        if (m_pAdCtrl->GetSafeHwnd() != NULL)
            m_pAdCtrl->DestroyWindow();
        delete m_pAdCtrl;
        m_pAdCtrl = NULL;
    }
}

int CTsChannelListWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CTsChildWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    return 0;
}

// Timers, ad view, records, then the children the window made itself. The
// base drops the connection and hides a splash the window left up.
void CTsChannelListWnd::OnDestroy() {
    CTsChildWnd::OnDestroy();
    KillTimer(TIMER_IDLE);
    KillTimer(TIMER_LISTING);
    m_bListing = 0;
    if (TsRegion::kAvatarTimer)
        KillTimer(TIMER_AVATAR);
    DestroyAdView();
    FreeRecords();
    if (m_btnRefresh.GetSafeHwnd() != NULL)
        m_btnRefresh.DestroyWindow();
    if (m_btnJoin.GetSafeHwnd() != NULL)
        m_btnJoin.DestroyWindow();
    if (m_wndListCtrl.GetSafeHwnd() != NULL)
        m_wndListCtrl.DestroyWindow();
}

// The views only borrow the records, so their rows go before the records
// are deleted: no row ever points at a deleted record. The total goes with
// the channels it counted.
void CTsChannelListWnd::FreeRecords() {
    if (m_wndListCtrl.GetSafeHwnd() != NULL) {
        m_wndListCtrl.DeleteAllChannelGroup();
        m_wndListCtrl.DeleteAllChannelList();
    }
    while (!m_listGroup.IsEmpty())
        delete m_listGroup.RemoveHead();
    while (!m_listChannel.IsEmpty())
        delete m_listChannel.RemoveHead();
    m_nTotalMembers = 0;
}
