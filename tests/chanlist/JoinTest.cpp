// Every way of joining, against the channel-list server: double-click,
// join button, automatic join, continue play; and the group click. Each
// join message is decoded and compared field by field, in order.
#include "ServiceFixture.h"

#include <KelpParser.h>
#include <TsLobbyFrame.h>
#include <TsLobbyWnd.h>

namespace {

const char kRegKey[] = "Software\\PeltoraTests\\Join";
const char* const kContinueValues[] = {"ContPlayId", "ContPlaySbId", "ContPlayChId",
                                       "ContPlayGmId"};

class JoinTest : public ServiceTest {
protected:
    void SetUp() override {
        ServiceTest::SetUp();
        ::RegDeleteKeyA(HKEY_CURRENT_USER, kRegKey);
        m_host.GetConfig().Set("regkey", kRegKey);
        m_host.GetConfig().Set("member.id", "alice");
    }
    void TearDown() override { ::RegDeleteKeyA(HKEY_CURRENT_USER, kRegKey); }

    // The last join message: "service/command@address:port", then
    // "key=value" for each key in the message's order.
    std::vector<std::string> JoinFields() {
        const std::string sUrl(Wnd().m_strJoinUrl);
        CKelpParser parser(sUrl.c_str(), (int)sUrl.size(), NULL);
        std::vector<std::string> fields = {std::string(parser.GetService()) + "/" +
                                           parser.GetCommand() + "@" + parser.GetIPAddress() + ":" +
                                           std::to_string(parser.GetPort())};
        for (const std::string& sKey : MessageKeys(sUrl)) {
            char* pszValue = NULL;
            int nLength = 0;
            parser.GetValue(sKey.c_str(), pszValue, nLength);
            fields.push_back(sKey + "=" + std::string(pszValue, nLength));
        }
        return fields;
    }
    // The fields of a join with channel pszId of the sample data.
    std::vector<std::string> ChosenJoin(const char* pszId, int nPort, const char* pszSub = "T01",
                                        const char* pszGame = "TETRIS") {
        return {std::string(G::serviceGo) + "/" + G::commandGo +
                    "@127.0.0.1:" + std::to_string(nPort),
                std::string(G::keyGameId) + "=" + pszGame,
                std::string(G::keyChannelId) + "=" + pszId,
                std::string(G::keyMaxRoom) + "=50",
                std::string(G::keyMaxRoomMembers) + "=4",
                std::string(G::keyMaxRoomViewers) + "=2",
                std::string(G::keyRandomRoomEnter) + "=0",
                std::string(G::keySubId) + "=" + pszSub};
    }
    CTsChannelListData* RowRecord(int nRow) {
        return (CTsChannelListData*)Wnd().m_wndListCtrl.m_pChannelListCtrl->GetItemData(nRow);
    }
    void ClickJoinButton() {
        Wnd().SendMessage(WM_COMMAND, MAKEWPARAM(CTsChannelListWnd::IDC_CHANNEL_JOIN, BN_CLICKED),
                          (LPARAM)Wnd().m_btnJoin.GetSafeHwnd());
    }
    void SetContinuePlay(const char* pszChannel, DWORD dwRoom) {
        HKEY hKey = NULL;
        ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kRegKey, 0, NULL, 0, KEY_ALL_ACCESS, NULL,
                                    &hKey, NULL),
                  ERROR_SUCCESS);
        ::RegSetValueExA(hKey, "ContPlayId", 0, REG_SZ, (const BYTE*)"alice", 6);
        ::RegSetValueExA(hKey, "ContPlaySbId", 0, REG_SZ, (const BYTE*)"T01", 4);
        ::RegSetValueExA(hKey, "ContPlayChId", 0, REG_SZ, (const BYTE*)pszChannel,
                         (DWORD)strlen(pszChannel) + 1);
        ::RegSetValueExA(hKey, "ContPlayGmId", 0, REG_DWORD, (const BYTE*)&dwRoom, 4);
        ::RegCloseKey(hKey);
        m_host.GetConfig().Set("option", "0x80000");
    }
    int ContinueValuesLeft() {
        HKEY hKey = NULL;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, kRegKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            return 0;
        int nLeft = 0;
        for (const char* pszName : kContinueValues)
            nLeft += ::RegQueryValueExA(hKey, pszName, NULL, NULL, NULL, NULL) == ERROR_SUCCESS;
        ::RegCloseKey(hKey);
        return nLeft;
    }
    void Refresh() {
        m_host.ClearLog();
        Wnd().SendMessage(WM_COMMAND,
                          MAKEWPARAM(CTsChannelListWnd::IDC_CHANNEL_REFRESH, BN_CLICKED),
                          (LPARAM)Wnd().m_btnRefresh.GetSafeHwnd());
        EXPECT_TRUE(WaitForSplashOff()) << m_host.LogText();
    }
};

} // namespace

// Double-click and join button hand over the channel; every join
// overwrites the join fields; the button without a selection does nothing.
TEST_F(JoinTest, DoubleClickAndJoinButton) {
    StartGame("TETRIS");
    m_host.ClearLog();
    Wnd().SendMessage(WM_CHANNELLIST_SEL, (WPARAM)RowRecord(0), 0);
    EXPECT_EQ(JoinFields(), ChosenJoin("T01-001", 7001));
    EXPECT_EQ(Wnd().m_nJoinChannel, -2);
    EXPECT_EQ(Wnd().m_hJoinWnd, Wnd().GetSafeHwnd());
    EXPECT_EQ(std::string(Wnd().m_strGroupParam), std::string(Wnd().m_strGroupMsg));
    EXPECT_FALSE(Wnd().m_strGroupParam.IsEmpty());
    EXPECT_EQ(Wnd().m_bInUse, 0);
    EXPECT_EQ(m_host.CountLog("join|"), 1) << m_host.LogText();
    // The lobby window read the same fields and can say what they mean.
    CTsLobbyWnd& lobby = m_host.GetFrame().GetLobby();
    EXPECT_EQ(std::string(lobby.m_strJoinUrl), std::string(Wnd().m_strJoinUrl));
    EXPECT_NE(std::string(TsDescribeMessage(lobby.m_strJoinUrl)).find("T01-001"),
              std::string::npos);

    ClickJoinButton(); // nothing selected
    EXPECT_EQ(m_host.CountLog("join|"), 1);
    Wnd().m_wndListCtrl.m_pChannelListCtrl->SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    ClickJoinButton();
    EXPECT_EQ(JoinFields(), ChosenJoin("T01-002", 7002));
    EXPECT_EQ(m_host.CountLog("join|"), 2);

    // A channel without a sub id of its own joins with the current group's.
    CTsChannelListData bare(*RowRecord(2));
    bare.m_szSubId[0] = '\0';
    Wnd().SendMessage(WM_CHANNELLIST_SEL, (WPARAM)&bare, 0);
    EXPECT_EQ(JoinFields(), ChosenJoin("T01-003", 7003));
}

// A channel whose port does not fit 16 bits is not joined (never at the
// port the cut would give) and the user is told that its server cannot be
// reached; the largest port that fits joins.
TEST_F(JoinTest, APortBeyondSixteenBitsIsNotJoined) {
    StartGame("TETRIS");
    struct Case {
        int nPort;
        int nJoins;
    } cases[] = {{70001, 0}, {-1, 0}, {65535, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nPort);
        m_host.ClearLog();
        Wnd().m_strJoinUrl.Empty();
        CTsChannelListData channel(*RowRecord(0));
        channel.m_nPort = c.nPort;
        Wnd().SendMessage(WM_CHANNELLIST_SEL, (WPARAM)&channel, 0);
        EXPECT_EQ(m_host.CountLog("join|"), c.nJoins) << m_host.LogText();
        EXPECT_EQ(m_host.CountLog("box|Cannot connect to server.|Channel List|0x30"), 1 - c.nJoins);
        if (c.nJoins == 1)
            EXPECT_EQ(JoinFields(), ChosenJoin("T01-001", 65535));
        else
            EXPECT_TRUE(Wnd().m_strJoinUrl.IsEmpty());
    }
}

// A closed group's click changes nothing; an open one's switches to it and
// its channels replace the old ones.
TEST_F(JoinTest, GroupClick) {
    m_folder.Write("tetrists1.tsg", "SVC",
                   {"T01,Three,0,0,0,0,A", "T02,Closed,9000,0,0,0,A", "T03,Five,0,0,0,0,A"});
    StartGame("TETRIS");
    const CTstpSocket* pSocket = Wnd().GetClientSocket();
    CTsChannelGroupListData* pClosed = Wnd().m_listGroup.GetAt(Wnd().m_listGroup.FindIndex(1));
    CTsChannelGroupListData* pOpen = Wnd().m_listGroup.GetTail();
    m_host.ClearLog();
    Wnd().SendMessage(WM_CHANNELGROUP_SEL, (WPARAM)pClosed, 0);
    EXPECT_TRUE(m_host.GetLog().empty()) << m_host.LogText();
    EXPECT_EQ(std::string(Wnd().m_strSubId), "T01");
    EXPECT_EQ(Wnd().GetClientSocket(), pSocket);
    EXPECT_EQ(ChannelRows().size(), 3u);

    Wnd().SendMessage(WM_CHANNELGROUP_SEL, (WPARAM)pOpen, 0);
    EXPECT_TRUE(WaitForSplashOff());
    EXPECT_EQ(std::string(Wnd().m_strSubId), "T03");
    EXPECT_EQ(ChannelRows().size(), 5u);
    EXPECT_EQ(m_host.CountLog("dispatch|ChannelList|GetChannelList|T03"), 1);
}

// The automatic join: nothing connects; one tick of its timer later the
// start string's channel is handed over, keys in their own order.
TEST_F(JoinTest, AutomaticJoin) {
    Create();
    m_folder.Enter();
    m_host.Start(
        MakeAutoJoinGameString("TETRIS", "TETRIS0C0101001", "10.0.0.5", 7001, 30, 6, 2).c_str(),
        "start-group");
    EXPECT_EQ(Wnd().GetClientSocket(), (CTstpSocket*)NULL);
    EXPECT_EQ(m_host.CountLog("join|"), 0);
    Tick(CTsChannelListWnd::TIMER_AUTOJOIN);
    const std::vector<std::string> expected = {std::string(G::serviceGo) + "/" + G::commandGo +
                                                   "@10.0.0.5:7001",
                                               std::string(G::keyGameId) + "=TETRIS",
                                               std::string(G::keySubId) + "=C0101",
                                               std::string(G::keyChannelId) + "=TETRIS0C0101001",
                                               std::string(G::keyMaxRoom) + "=30",
                                               std::string(G::keyMaxRoomMembers) + "=6",
                                               std::string(G::keyMaxRoomViewers) + "=2",
                                               std::string(G::keyRandomRoomEnter) + "=0"};
    EXPECT_EQ(JoinFields(), expected);
    EXPECT_EQ(Wnd().m_nJoinChannel, -2);
    EXPECT_EQ(std::string(Wnd().m_strGroupParam), "start-group");
    EXPECT_EQ(Wnd().m_bAutoJoin, 0);
    Tick(CTsChannelListWnd::TIMER_AUTOJOIN); // once only
    EXPECT_EQ(m_host.CountLog("join|"), 1);
}

// Continue play: Yes joins the remembered room and keeps the values, so
// the next listing asks again; No forgets them, in the registry too, and
// nothing asks any more.
TEST_F(JoinTest, ContinuePlayYesThenNo) {
    SetContinuePlay("T01-002", 7);
    m_host.QueueBoxAnswer(IDYES);
    StartGame("TETRIS");
    EXPECT_EQ(m_host.CountLog(kContinueBox), 1) << m_host.LogText();
    EXPECT_EQ(JoinFields(), ChosenJoin("T01-002", 7002));
    EXPECT_EQ(Wnd().m_nJoinChannel, 7);
    EXPECT_EQ(ContinueValuesLeft(), 4);

    m_host.QueueBoxAnswer(IDNO);
    Refresh();
    EXPECT_EQ(m_host.CountLog(kContinueBox), 1);
    EXPECT_EQ(m_host.CountLog("join|"), 0);
    EXPECT_EQ(ContinueValuesLeft(), 0);
    EXPECT_EQ(Wnd().m_nContRoom, -2);
    EXPECT_STREQ(Wnd().m_szContChannelId, "");

    Refresh();
    EXPECT_EQ(m_host.CountLog("box|"), 0);
}

// After a No with a key that cannot be opened nothing is deleted and the
// remembered channel stays; only the room is forgotten.
TEST_F(JoinTest, ContinuePlayNoWithoutKey) {
    SetContinuePlay("T01-002", 7);
    m_host.QueueBoxAnswer(IDYES);
    StartGame("TETRIS");
    const std::string sBadKey = "Software\\" + std::string(300, 'k');
    Wnd().m_pszRegKey = sBadKey.c_str();
    m_host.QueueBoxAnswer(IDNO);
    Refresh();
    EXPECT_EQ(m_host.CountLog(kContinueBox), 1);
    EXPECT_EQ(Wnd().m_nContRoom, -2);
    EXPECT_STREQ(Wnd().m_szContChannelId, "T01-002");
    EXPECT_EQ(ContinueValuesLeft(), 4);
    Wnd().m_pszRegKey = kRegKey;
}

// A host that destroys the window at a join made inside a reply: the read
// loop stops at once (three replies arrived together, and the question is
// answered before anything else is handled, so one is dispatched) and
// nothing touches the destroyed window.
TEST_F(JoinTest, WindowDestroyedAtJoinDuringReply) {
    StartGame("TESTMIS");
    strcpy(Wnd().m_szContChannelId, "M-001");
    Wnd().m_dwOption |= TSOPT_CONTINUE_PLAY;
    m_host.SetDestroyAtJoin(1);
    m_host.SetPumpingBoxes([](const TsHostBox&) { return IDYES; });
    CTsChannelGroupListData* pBurst = Group("M-BURST");
    ASSERT_NE(pBurst, (CTsChannelGroupListData*)NULL);
    m_host.ClearLog();
    ASSERT_TRUE(Wnd().SwitchChannelGroup(pBurst));
    EXPECT_TRUE(m_host.PumpUntil([this] { return Wnd().GetSafeHwnd() == NULL; }));
    m_host.Pump();
    EXPECT_EQ(m_host.CountLog("dispatch|"), 1) << m_host.LogText();
    EXPECT_EQ(m_host.CountLog("destroy-at-join"), 1);
    EXPECT_EQ(m_host.GetLog().back(), "splash-off") << m_host.LogText();
}

// A real box is modal: while the continue-play question is up, the other
// two replies of a burst arrive and replace the records it was asked
// about. They ask nothing themselves, and the Yes joins the remembered
// channel as the last reply lists it (freed records would read EE FE under
// Wine's heap checking).
TEST_F(JoinTest, ContinuePlayQuestionOutlivesTheRecordsItAskedAbout) {
    StartGame("TESTMIS");
    strcpy(Wnd().m_szContChannelId, "M-002");
    Wnd().m_nContRoom = 7;
    Wnd().m_dwOption |= TSOPT_CONTINUE_PLAY;
    m_host.SetPumpingBoxes(
        [this](const TsHostBox&) { return m_host.CountLog("dispatch|") == 3 ? IDYES : 0; });
    SwitchTo("M-BURST");
    m_host.SetPumpingBoxesUntilIdle();
    EXPECT_EQ(m_host.CountLog(kContinueBox), 1) << m_host.LogText();
    EXPECT_EQ(m_host.CountLog("join|"), 1);
    EXPECT_EQ(JoinFields(), ChosenJoin("M-002", 7502, "M-BURST", "TESTMIS"));
    EXPECT_EQ(Wnd().m_nJoinChannel, 7);
}
