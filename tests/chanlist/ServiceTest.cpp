// The window against the real channel-list server (tools/listserver, with
// the sample data of samples/server), over loopback TCP: listing, refresh,
// failure replies, refused connections and every misbehaviour the server
// can be asked for.
// Winsock's header must come before windows.h.
#include <TstpSocket.h>

#include "ServiceFixture.h"

namespace {

const char kConnectFailed[] = "box|Cannot connect to server.|Channel List|0x30";

} // namespace

// The first group's channels arrive, sorted by id, with the total; the
// records keep the reply's order. A refresh asks again and the second
// reply replaces the first.
TEST_F(ServiceTest, ListsRefreshesAndReplaces) {
    StartGame("TETRIS");
    const std::vector<std::string> rows = {"T01-001", "T01-002", "T01-003"};
    EXPECT_EQ(ChannelRows(), rows);
    EXPECT_EQ(RecordCounts(), std::vector<int>({10, 0, 25})); // reply order: 003, 001, 002
    EXPECT_EQ(Wnd().m_nTotalMembers, 35);
    EXPECT_EQ(m_host.CountLog("dispatch|ChannelList|GetChannelList|T01"), 1) << m_host.LogText();
    EXPECT_EQ(m_host.CountLog("splash-on|Receiving Channel data...|1"), 1);
    EXPECT_EQ(m_host.CountLog("reveal-main"), 1);
    for (POSITION pos = Wnd().m_listChannel.GetHeadPosition(); pos != NULL;)
        EXPECT_STREQ(Wnd().m_listChannel.GetNext(pos)->m_szSubId, "T01");

    m_host.ClearLog();
    Wnd().SendMessage(WM_COMMAND, MAKEWPARAM(CTsChannelListWnd::IDC_CHANNEL_REFRESH, BN_CLICKED),
                      (LPARAM)Wnd().m_btnRefresh.GetSafeHwnd());
    EXPECT_TRUE(WaitForSplashOff());
    EXPECT_EQ(m_host.CountLog("dispatch|ChannelList|GetChannelList|T01"), 1) << m_host.LogText();
    EXPECT_EQ(ChannelRows(), rows);
    EXPECT_EQ(Wnd().m_listChannel.GetCount(), 3);
    EXPECT_EQ(Wnd().m_nTotalMembers, 35);
}

// A failure reply shows the server's own text and keeps what is listed.
TEST_F(ServiceTest, FailureReplyKeepsTheList) {
    StartGame("TETRIS");
    SwitchTo("T06");
    EXPECT_EQ(m_host.CountLog("box|The channel list is closed for maintenance.|Channel List|0x30"),
              1)
        << m_host.LogText();
    EXPECT_EQ(ChannelRows().size(), 3u);
    EXPECT_EQ(Wnd().m_nTotalMembers, 35);
    EXPECT_EQ(m_host.CountLog("reveal-main"), 1);
}

// Nobody listening: the failure is reported once, the main window shown.
TEST_F(ServiceTest, RefusedConnectionIsReportedOnce) {
    // Port 1 on loopback: nothing listens there.
    StartGame("TETRIS", 1);
    EXPECT_EQ(m_host.CountLog(kConnectFailed), 1) << m_host.LogText();
    EXPECT_EQ(m_host.CountLog("reveal-main"), 1);
    EXPECT_TRUE(::IsWindow(Wnd().GetSafeHwnd()));
}

// Each misbehaviour after a good listing: the window lives, the splash is
// hidden, and the list is either kept (3 rows) or replaced by the two
// channels that a late, slow, trickled, repeated or reset reply carries, or
// one followed by an oversized frame.
TEST_F(ServiceTest, MisbehavingServerLeavesTheWindowSound) {
    struct Case {
        const char* pszSubId;
        size_t nRows;    // rows afterwards
        int nDispatches; // messages dispatched
    } cases[] = {
        {"M-REFUSE", 3, 0},   {"M-CLOSEPRE", 3, 0}, {"M-CLOSEMID", 3, 0}, {"M-GARBAGE", 3, 0},
        {"M-OVERSIZE", 3, 0}, {"M-OTHER", 3, 1},    {"M-BURST", 2, 3},    {"M-TRICKLE", 2, 1},
        {"M-SLOW", 2, 1},     {"M-RESET", 2, 1},    {"M-RPLOVER", 2, 1},
    };
    StartGame("TESTMIS");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszSubId);
        SwitchTo("M-OK");
        ASSERT_EQ(ChannelRows().size(), 3u);
        SwitchTo(c.pszSubId);
        EXPECT_TRUE(::IsWindow(Wnd().GetSafeHwnd()));
        EXPECT_TRUE(SplashHidden()) << m_host.LogText();
        EXPECT_EQ(ChannelRows().size(), c.nRows) << m_host.LogText();
        EXPECT_EQ(m_host.CountLog("dispatch|"), c.nDispatches) << m_host.LogText();
    }
}

// A server that takes the request and never answers: the listing ends once
// the clock has passed its deadline with no word from the server, as an
// unreachable server's does: the connection dropped, the splash hidden, the
// user told, the main window revealed, the list kept.
TEST_F(ServiceTest, SilentServerEndsAtTheDeadline) {
    StartGame("TESTMIS");
    ASSERT_EQ(ChannelRows().size(), 3u);
    m_host.HideMainWindow();
    m_host.ClearLog();
    ASSERT_TRUE(Wnd().SwitchChannelGroup(Group("M-SILENT")));
    ASSERT_TRUE(m_host.PumpUntil(
        [this] { return m_host.CountLog("splash-on|Receiving Channel data...|1") > 0; }));
    m_host.AdvanceTicks(CTsChannelListWnd::LISTING_TIMEOUT);
    Tick(CTsChannelListWnd::TIMER_LISTING);
    EXPECT_FALSE(SplashHidden()) << m_host.LogText();
    m_host.AdvanceTicks(1);
    Tick(CTsChannelListWnd::TIMER_LISTING);
    EXPECT_TRUE(SplashHidden()) << m_host.LogText();
    EXPECT_EQ(Wnd().GetClientSocket()->GetHandle(), INVALID_SOCKET);
    EXPECT_FALSE(KillTimerWasSet(Wnd(), CTsChannelListWnd::TIMER_LISTING));
    EXPECT_EQ(ChannelRows().size(), 3u);
    EXPECT_EQ(m_host.CountLog("box|Cannot connect to server.|Channel List|0x30"), 1)
        << m_host.LogText();
    ASSERT_FALSE(m_host.GetBoxes().empty());
    EXPECT_EQ(m_host.GetBoxes().back().hOwner, m_host.GetFrame().GetSafeHwnd());
    EXPECT_EQ(m_host.CountLog("reveal-main"), 1) << m_host.LogText();
}

// A server still sending its reply is heard from with every byte: the
// deadline counts from the last bytes, not the last whole message, however
// long the reply takes.
TEST_F(ServiceTest, TrickleIsHeardFrom) {
    StartGame("TESTMIS");
    const DWORD kStep = CTsChannelListWnd::LISTING_TIMEOUT * 2 / 3;
    m_host.ClearLog();
    ASSERT_TRUE(Wnd().SwitchChannelGroup(Group("M-TRICKLE")));
    m_host.AdvanceTicks(kStep);
    ASSERT_TRUE(m_host.PumpUntil([this] {
        return Wnd().GetClientSocket()->GetBufferedSize() > 0 || m_host.CountLog("dispatch|") > 0;
    }));
    m_host.AdvanceTicks(kStep);
    Tick(CTsChannelListWnd::TIMER_LISTING);
    EXPECT_TRUE(m_host.PumpUntil([this] { return m_host.CountLog("dispatch|") > 0; }))
        << m_host.LogText();
    EXPECT_EQ(m_host.CountLog("box|"), 0) << m_host.LogText();
    EXPECT_EQ(ChannelRows().size(), 2u);
}
