// The Japanese practice-lobby question, with the window linked from its own
// plug-in in fenced memory: a host that ends the window inside the question
// leaves nothing that touches the deleted window or its lists.
#include "ChanlistTestSupport.h"

class JapaneseTeardownTest : public ChannelListTest {
protected:
    void SetUp() override {
        ChannelListTest::SetUp();
        UseFencedWindow();
    }
};

// A double-click on a channel of a practice lobby (sub id "TPD") asks
// first; the host ends the window inside the question, and the Yes joins
// nothing.
TEST_F(JapaneseTeardownTest, HostEndsTheWindowInsideThePracticeQuestion) {
    Start(MakeGameString("TETRIS"));
    CTsChannelListData* pChannel = new CTsChannelListData;
    strcpy(pChannel->m_szChannelId, "TPD-001");
    strcpy(pChannel->m_szChannelName, "Practice 1");
    strcpy(pChannel->m_szIPAddress, "127.0.0.1");
    strcpy(pChannel->m_szSubId, "TPD");
    pChannel->m_nPort = 7041;
    Wnd().m_listChannel.AddTail(pChannel);
    ASSERT_TRUE(Wnd().m_wndListCtrl.AddChannelList(pChannel));
    const CTsChildWnd* pWnd = &Wnd();
    const HWND hList = Wnd().m_wndListCtrl.m_pChannelListCtrl->GetSafeHwnd();
    m_host.ClearLog();
    m_host.SetPumpingBoxes([this](const TsHostBox&) {
        m_host.DestroyWindow();
        return IDYES;
    });

    RECT rc = {LVIR_BOUNDS, 0, 0, 0};
    ::SendMessage(hList, LVM_GETITEMRECT, 0, (LPARAM)&rc);
    const LPARAM lPoint = MAKELPARAM(rc.left + 4, (rc.top + rc.bottom) / 2);
    ::SendMessage(hList, WM_LBUTTONDOWN, MK_LBUTTON, lPoint);
    ::SendMessage(hList, WM_LBUTTONUP, 0, lPoint);
    ::SendMessage(hList, WM_LBUTTONDBLCLK, MK_LBUTTON, lPoint);
    m_host.Pump();

    EXPECT_EQ(m_host.CountLog("box|"), 1) << m_host.LogText();
    EXPECT_EQ(m_host.CountLog("deleted"), 1) << m_host.LogText();
    EXPECT_EQ(m_host.CountLog("join|"), 0);
    EXPECT_TRUE(TsIsFenced(pWnd));
    EXPECT_FALSE(::IsWindow(hList));
}
