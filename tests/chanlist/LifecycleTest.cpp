// The window's life: construction, creation of its children, the ad view
// and its navigation thread, the presence event, teardown.
#include "ChanlistTestSupport.h"

#include <TsGDImage.h>
#include <TsHtmlCtrl.h>

#include "AdNavigator.h"

namespace {

// Waits (bounded) until every ad navigation thread has let go.
bool WaitForNavigators(CTsTestHost& host) {
    return host.PumpUntil([] { return CTsAdNavigator::GetLiveCount() == 0; });
}

// A group record that counts its deletions.
class CCountedGroup : public CTsChannelGroupListData {
public:
    explicit CCountedGroup(int* pnDeleted) : m_pnDeleted(pnDeleted) {}
    virtual ~CCountedGroup() { ++*m_pnDeleted; }
    int* m_pnDeleted; // bumped by the destructor
};

class CCountedChannel : public CTsChannelListData {
public:
    explicit CCountedChannel(int* pnDeleted) : m_pnDeleted(pnDeleted) {}
    virtual ~CCountedChannel() { ++*m_pnDeleted; }
    int* m_pnDeleted; // bumped by the destructor
};

} // namespace

// The event exists under its name while a window object lives, also while
// two do, and is gone with the last.
TEST(ChannelListWnd, PresenceEventLivesWithTheObjects) {
    const std::string sName = PresenceEventName();
    ASSERT_FALSE(EventExists(sName));
    {
        std::unique_ptr<CTsChannelListWnd> pFirst(new CTsChannelListWnd);
        EXPECT_TRUE(EventExists(sName));
        EXPECT_NE(g_hPresenceEvent, (HANDLE)NULL);
        // Auto-reset and not signalled.
        EXPECT_EQ(::WaitForSingleObject(g_hPresenceEvent, 0), (DWORD)WAIT_TIMEOUT);
        std::unique_ptr<CTsChannelListWnd> pSecond(new CTsChannelListWnd);
        pFirst.reset();
        EXPECT_TRUE(EventExists(sName));
    }
    EXPECT_FALSE(EventExists(sName));
    EXPECT_EQ(g_hPresenceEvent, (HANDLE)NULL);
}

// The name is another process's to take: under another object type the
// window goes without the event (and comes up all the same), a later window
// makes it once the name is free; an event made by someone else is shared,
// and outlives the window, since the window only closes its own handle.
TEST(ChannelListWnd, PresenceEventNameTakenByOthers) {
    const std::string sName = PresenceEventName();
    HANDLE hSquatter = ::CreateMutexA(NULL, FALSE, sName.c_str());
    ASSERT_NE(hSquatter, (HANDLE)NULL);
    {
        CTsChannelListWnd wnd;
        EXPECT_EQ(g_hPresenceEvent, (HANDLE)NULL);
        ::CloseHandle(hSquatter);
        CTsChannelListWnd later;
        EXPECT_NE(g_hPresenceEvent, (HANDLE)NULL);
    }
    EXPECT_EQ(g_hPresenceEvent, (HANDLE)NULL);

    HANDLE hOther = ::CreateEventA(NULL, TRUE, TRUE, sName.c_str());
    ASSERT_NE(hOther, (HANDLE)NULL);
    {
        CTsChannelListWnd wnd;
        ASSERT_NE(g_hPresenceEvent, (HANDLE)NULL);
        EXPECT_EQ(::WaitForSingleObject(g_hPresenceEvent, 0), (DWORD)WAIT_OBJECT_0); // theirs
    }
    EXPECT_TRUE(EventExists(sName));
    ::CloseHandle(hOther);
    EXPECT_FALSE(EventExists(sName));
}

TEST_F(ChannelListTest, CreateMakesTheChildren) {
    Create();
    CWnd* pContainer = Wnd().GetDlgItem(CTsChannelListWnd::IDC_LIST_CONTAINER);
    ASSERT_NE(pContainer, (CWnd*)NULL);
    EXPECT_EQ(pContainer->GetSafeHwnd(), Wnd().m_wndListCtrl.GetSafeHwnd());
    EXPECT_NE(Wnd().m_wndListCtrl.m_pChannelGroupListCtrl, (CTsChannelGroupListCtrl*)NULL);
    EXPECT_NE(Wnd().m_wndListCtrl.m_pChannelListCtrl, (CTsChannelListCtrl*)NULL);
    EXPECT_NE(Wnd().GetDlgItem(CTsChannelListWnd::IDC_CHANNEL_JOIN), (CWnd*)NULL);
    EXPECT_NE(Wnd().GetDlgItem(CTsChannelListWnd::IDC_CHANNEL_REFRESH), (CWnd*)NULL);
    ASSERT_NE(Wnd().m_pInfoImage, (CTsGDImage*)NULL);
    EXPECT_TRUE(Wnd().m_pInfoImage->IsLoaded());
    const int nTop = Wnd().m_nHeaderTop + Wnd().m_nHeaderHeight + 2;
    EXPECT_EQ(Wnd().m_ChannelGroupListSetting.m_rcWindow.top, nTop);
    EXPECT_EQ(Wnd().m_ChannelListSetting.m_rcWindow.top, nTop);
    // The ad address is "None": no ad view.
    EXPECT_EQ(Wnd().m_pAdCtrl, (CTsHtmlCtrl*)NULL);
}

// Without the image files the window still comes up: no picture, buttons
// without windows, and Init still sets the views up.
TEST_F(ChannelListTest, MissingImagesLeaveNoPictureAndNoButtons) {
    char szDir[MAX_PATH + 1] = {0};
    ::GetCurrentDirectoryA(MAX_PATH, szDir);
    char szTemp[MAX_PATH + 1] = {0};
    ::GetTempPathA(MAX_PATH, szTemp);
    ASSERT_TRUE(CTsTestHost::SetClientDirectory(szTemp));
    Create();
    CTsTestHost::SetClientDirectory(szDir);
    EXPECT_EQ(Wnd().m_pInfoImage, (CTsGDImage*)NULL);
    EXPECT_EQ(Wnd().m_btnJoin.GetSafeHwnd(), (HWND)NULL);
    EXPECT_EQ(Wnd().m_btnRefresh.GetSafeHwnd(), (HWND)NULL);
    m_host.Start(MakeGameString("TETRIS").c_str(), "");
    EXPECT_TRUE(Wnd().m_wndListCtrl.IsWindowVisible());
    EXPECT_EQ(m_host.CountLog("close-frame"), 0);
}

// "None" in any case: no ad view and no thread. Another address: the view
// stands at m_rcAdView and its navigation arrives.
TEST_F(ChannelListTest, AdViewFollowsTheConfiguredAddress) {
    m_host.GetConfig().Set("ad.url", "none");
    Create();
    for (const char* pszNone : {"none", "NONE"}) {
        SCOPED_TRACE(pszNone);
        m_host.GetConfig().Set("ad.url", pszNone);
        ReplaceWindow();
        EXPECT_EQ(Wnd().m_pAdCtrl, (CTsHtmlCtrl*)NULL);
        EXPECT_EQ(Wnd().GetDlgItem(CTsChannelListWnd::IDC_AD_VIEW), (CWnd*)NULL);
        EXPECT_EQ(CTsAdNavigator::GetLiveCount(), 0);
    }

    const char kAddress[] = "http://ads.example.test/channel";
    m_host.GetConfig().Set("ad.url", kAddress);
    ReplaceWindow();
    CTsHtmlCtrl* pAd = Wnd().m_pAdCtrl;
    ASSERT_NE(pAd, (CTsHtmlCtrl*)NULL);
    EXPECT_EQ(Wnd().GetDlgItem(CTsChannelListWnd::IDC_AD_VIEW)->GetSafeHwnd(), pAd->GetSafeHwnd());
    EXPECT_EQ(RectInParent(pAd), CRect(Wnd().m_rcAdView));
    EXPECT_TRUE(pAd->GetStyle() & WS_VISIBLE);
    EXPECT_TRUE(m_host.PumpUntil([pAd] { return pAd->GetNavigateCount() >= 1; }));
    EXPECT_EQ(pAd->GetNavigateCount(), 1);
    EXPECT_EQ(std::string(pAd->GetLocation()), kAddress);
    EXPECT_TRUE(WaitForNavigators(m_host));
}

// A window destroyed before its navigation thread has run: the thread,
// held at the gate until the view is gone, must not use it.
TEST_F(ChannelListTest, AdViewDestroyedBeforeNavigationIsSafe) {
    m_host.GetConfig().Set("ad.url", "http://ads.example.test/race");
    HANDLE hGate = ::CreateEventA(NULL, TRUE, FALSE, NULL);
    CTsAdNavigator::SetThreadGate(hGate);
    Create();
    CTsAdNavigator::SetThreadGate(NULL);
    ASSERT_NE(Wnd().m_pAdCtrl, (CTsHtmlCtrl*)NULL);
    const LONG nDeadCalls = CTsHtmlCtrl::GetCallsOnDeadControls();
    m_host.DestroyWindow();
    ::SetEvent(hGate);
    EXPECT_TRUE(WaitForNavigators(m_host));
    ::CloseHandle(hGate);
    EXPECT_EQ(CTsHtmlCtrl::GetCallsOnDeadControls(), nDeadCalls);
}

// Teardown: timers stop, the ad view goes, every record is deleted and the
// window's own children are destroyed.
TEST_F(ChannelListTest, TeardownFreesRecordsAndChildren) {
    m_host.GetConfig().Set("ad.url", "http://ads.example.test/teardown");
    Start(MakeGameString("TETRIS"));
    int nDeleted = 0;
    for (int i = 0; i < 3; ++i) {
        CCountedGroup* pGroup = new CCountedGroup(&nDeleted);
        TsCopyField(pGroup->m_szGroupId, ("G" + std::to_string(i)).c_str());
        Wnd().m_listGroup.AddTail(pGroup);
        Wnd().m_wndListCtrl.AddChannelGroup(pGroup);
    }
    for (int i = 0; i < 2; ++i) {
        CCountedChannel* pChannel = new CCountedChannel(&nDeleted);
        TsCopyField(pChannel->m_szChannelId, ("C" + std::to_string(i)).c_str());
        Wnd().m_listChannel.AddTail(pChannel);
        Wnd().m_wndListCtrl.AddChannelList(pChannel);
    }
    const HWND hWnd = Wnd().GetSafeHwnd();
    const HWND hChildren[] = {Wnd().m_wndListCtrl.GetSafeHwnd(), Wnd().m_btnJoin.GetSafeHwnd(),
                              Wnd().m_btnRefresh.GetSafeHwnd(), Wnd().m_pAdCtrl->GetSafeHwnd()};

    Wnd().DestroyWindow();
    EXPECT_EQ(nDeleted, 5);
    EXPECT_TRUE(Wnd().m_listGroup.IsEmpty());
    EXPECT_TRUE(Wnd().m_listChannel.IsEmpty());
    EXPECT_EQ(Wnd().m_pAdCtrl, (CTsHtmlCtrl*)NULL);
    EXPECT_FALSE(::IsWindow(hWnd));
    for (HWND hChild : hChildren)
        EXPECT_FALSE(::IsWindow(hChild));
    EXPECT_TRUE(WaitForNavigators(m_host));
}

// An object deleted while its window still stands tears the window down
// first, so nothing leaks and no thread is left holding the ad view.
TEST(ChannelListWnd, DeletingALiveWindowTearsItDown) {
    CTsTestHost host; // the clock and box seams, and pumping
    host.GetConfig().Set("ad.url", "http://ads.example.test/delete");
    CWnd parent;
    ASSERT_TRUE(
        parent.CreateEx(0, AfxRegisterWndClass(0), "parent", WS_POPUP, 0, 0, 800, 600, NULL, NULL));
    CTsChannelListWnd* pWnd = new CTsChannelListWnd;
    pWnd->m_pCfgSetting = &host.GetConfig().m_cfgSetting;
    ASSERT_TRUE(pWnd->Create(0, 1, &parent, 0));
    ASSERT_NE(pWnd->m_pAdCtrl, (CTsHtmlCtrl*)NULL);
    int nDeleted = 0;
    pWnd->m_listGroup.AddTail(new CCountedGroup(&nDeleted));
    pWnd->m_listChannel.AddTail(new CCountedChannel(&nDeleted));
    const HWND hWnd = pWnd->GetSafeHwnd();
    const HWND hAd = pWnd->m_pAdCtrl->GetSafeHwnd();
    delete pWnd;
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_FALSE(::IsWindow(hAd));
    EXPECT_EQ(nDeleted, 2);
    EXPECT_TRUE(WaitForNavigators(host));
    parent.DestroyWindow();
}

// A window created again after its teardown comes up whole: its container,
// buttons and picture, and an activation still reaches its views.
TEST_F(ChannelListTest, WindowCreatedAgainAfterTeardown) {
    Create();
    Wnd().DestroyWindow();
    ASSERT_EQ(Wnd().GetSafeHwnd(), (HWND)NULL);
    ASSERT_TRUE(m_host.GetFrame().AttachChild(m_pWnd.get(), 0, 0));
    EXPECT_NE(Wnd().GetDlgItem(CTsChannelListWnd::IDC_LIST_CONTAINER), (CWnd*)NULL);
    EXPECT_NE(Wnd().m_btnJoin.GetSafeHwnd(), (HWND)NULL);
    EXPECT_NE(Wnd().m_btnRefresh.GetSafeHwnd(), (HWND)NULL);
    ASSERT_NE(Wnd().m_pInfoImage, (CTsGDImage*)NULL);
    EXPECT_TRUE(Wnd().m_pInfoImage->IsLoaded());
    m_host.ClearLog();
    m_host.Start(MakeGameString("TETRIS").c_str(), "");
    EXPECT_EQ(m_host.CountLog("close-frame"), 0);
    EXPECT_TRUE(Wnd().m_wndListCtrl.IsWindowVisible());
    EXPECT_TRUE(Wnd().m_btnJoin.IsWindowVisible());
}
