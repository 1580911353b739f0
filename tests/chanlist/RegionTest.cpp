// The Japanese and Simplified-Chinese configurations, each loaded through
// its factory in its own locale (code page 932 or 936, so that its texts
// arrive as they should), against the channel-list server. Everything is
// observed as a host sees it: the log, the boxes, the rows, the registry.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <KelpParser.h>
#include <TsLobbyFrame.h>
#include <TsTestHost.h>

#include "ChanlistTestSupport.h"

namespace {

const char kRegKey[] = "Software\\PeltoraTests\\Region";

// A host around one configuration's DLL, with the catalogue of the test
// folder and the server's port. Skips outside the configuration's code page.
class RegionTest : public ::testing::Test {
protected:
    RegionTest() : m_folder("region-test"), m_nPort(0) {}
    void Load(const char* pszDll, UINT nCodePage) {
        if (::GetACP() != nCodePage)
            GTEST_SKIP() << "needs the ANSI code page " << nCodePage;
        char szFile[MAX_PATH] = "";
        if (::GetEnvironmentVariableA("PELTORA_LISTSERVER_PORT_FILE", szFile, MAX_PATH) == 0)
            GTEST_SKIP() << "no channel-list server (run through ctest)";
        std::ifstream in(szFile);
        in >> m_nPort;
        ASSERT_GT(m_nPort, 0);
        m_host.SetPumpingBoxesUntilIdle(); // boxes keep the window receiving
        CTsHostConfig& config = m_host.GetConfig();
        config.Set("ad.url", "None");
        config.Set("site.code", "ts1");
        config.Set("game.code", "SVC");
        config.Set("member.id", "alice");
        config.Set("member.level", "5");
        config.Set("regkey", kRegKey);
        ::RegDeleteKeyA(HKEY_CURRENT_USER, kRegKey);
        ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, kRegKey);
        ASSERT_TRUE(m_host.LoadPlugin(pszDll));
        ASSERT_TRUE(m_host.CreateFrame());
    }
    void TearDown() override {
        m_host.DestroyWindow();
        ::RegDeleteKeyA(HKEY_CURRENT_USER, kRegKey);
        ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, kRegKey);
    }

    // Activates with a game string to port nPort (0: the server's) and
    // waits until the first listing, if any, is over.
    void Start(unsigned short nPort = 0) {
        m_folder.Enter();
        m_host.ClearLog();
        m_host.Start(MakeGameString("TETRIS", nPort != 0 ? nPort : (unsigned short)m_nPort).c_str(),
                     "start-group");
        WaitForListing();
    }
    bool WaitForListing() {
        return m_host.PumpUntil([this] { return m_host.CountLog("splash-off") > 0; }, 3000);
    }

    HWND List(int nId) {
        HWND hContainer = ::GetDlgItem(m_host.GetWindow()->GetSafeHwnd(), 30000);
        return ::GetDlgItem(hContainer, nId);
    }
    int Rows(int nId) { return (int)::SendMessage(List(nId), LVM_GETITEMCOUNT, 0, 0); }
    LPARAM RowData(int nId, int nRow) {
        LVITEMA item = {};
        item.mask = LVIF_PARAM;
        item.iItem = nRow;
        ::SendMessage(List(nId), LVM_GETITEMA, 0, (LPARAM)&item);
        return item.lParam;
    }
    // Clicks group row nRow (as the group view reports it) and waits.
    void ClickGroup(int nRow) {
        m_host.ClearLog();
        m_host.GetWindow()->SendMessage(WM_CHANNELGROUP_SEL, (WPARAM)RowData(30001, nRow), 0);
        WaitForListing();
    }
    // A real double-click on channel row nRow.
    void DoubleClickChannel(int nRow) {
        RECT rc = {LVIR_BOUNDS, 0, 0, 0};
        ::SendMessage(List(30002), LVM_GETITEMRECT, nRow, (LPARAM)&rc);
        const LPARAM lPoint = MAKELPARAM(rc.left + 4, (rc.top + rc.bottom) / 2);
        ::SendMessage(List(30002), WM_LBUTTONDOWN, MK_LBUTTON, lPoint);
        ::SendMessage(List(30002), WM_LBUTTONUP, 0, lPoint);
        ::SendMessage(List(30002), WM_LBUTTONDBLCLK, MK_LBUTTON, lPoint);
        ::SendMessage(List(30002), WM_LBUTTONUP, 0, lPoint);
    }
    // String nId of the configuration's own table.
    std::string Text(UINT nId) {
        char szText[256] = "";
        ::LoadStringA(m_host.GetPluginModule(), nId, szText, sizeof(szText));
        return szText;
    }
    // The group field of the last join entry ("join|<url>|<group>|<room>").
    std::string LastJoinGroup() {
        for (auto it = m_host.GetLog().rbegin(); it != m_host.GetLog().rend(); ++it) {
            if (it->compare(0, 5, "join|") != 0)
                continue;
            const size_t nRoom = it->rfind('|');
            const size_t nGroup = it->rfind('|', nRoom - 1);
            return it->substr(nGroup + 1, nRoom - nGroup - 1);
        }
        return "(no join)";
    }

    CTestCatalogueFolder m_folder;
    CTsTestHost m_host;
    int m_nPort;
};

std::string Packed(const char* pszText) {
    char szOut[256];
    CEncodeToWeb::packString(pszText, 0, szOut, sizeof(szOut));
    return szOut;
}

std::string RegText(HKEY hRoot, const char* pszName) {
    char szValue[256] = "";
    DWORD cb = sizeof(szValue) - 1;
    HKEY hKey = NULL;
    if (::RegOpenKeyExA(hRoot, kRegKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return "(no key)";
    const LONG nResult = ::RegQueryValueExA(hKey, pszName, NULL, NULL, (BYTE*)szValue, &cb);
    ::RegCloseKey(hKey);
    return nResult == ERROR_SUCCESS ? std::string(szValue) : "(none)";
}

// Practice-lobby questions asked so far: caption "ロビー", Yes/No, the text
// beginning "ここは練習用" (code page 932).
int PracticeQuestions(const CTsTestHost& host) {
    int nCount = 0;
    for (const TsHostBox& box : host.GetBoxes())
        nCount += box.strCaption == "\x83\x8D\x83\x72\x81\x5B" && box.nType == MB_YESNO &&
                  box.strText.compare(0, 10, "\x82\xB1\x82\xB1\x82\xCD\x97\xFB\x8F\x4B") == 0;
    return nCount;
}

} // namespace

// Japanese: coming to the front hides the splash instead of refreshing, the
// join carries the start record's group message, the practice lobby asks
// first (No drops the double-click), and a failed memory check drops every
// join.
TEST_F(RegionTest, Japanese) {
    Load("peltora_ja.dll", 932);
    if (IsSkipped() || HasFatalFailure())
        return;
    m_folder.Write("tetrists1.tsg", "SVC", {"T01,Three,0,0,0,0,A", "TPD,Practice,0,0,0,0,A"});
    Start();
    EXPECT_EQ(Rows(30002), 3) << m_host.LogText();
    m_host.ClearLog();
    m_host.Activate(TSACT_ON);
    EXPECT_EQ(m_host.CountLog("splash-off"), 1) << m_host.LogText();
    EXPECT_EQ(m_host.CountLog("splash-on|"), 1); // the activation's own; no reconnect

    DoubleClickChannel(0); // T01: no question
    EXPECT_EQ(m_host.CountLog("box|"), 0);
    EXPECT_EQ(LastJoinGroup(), "start-group");

    ClickGroup(1);
    ASSERT_EQ(Rows(30002), 2) << m_host.LogText();
    m_host.QueueBoxAnswer(IDNO);
    DoubleClickChannel(0);
    EXPECT_EQ(PracticeQuestions(m_host), 1) << m_host.LogText();
    EXPECT_EQ(m_host.CountLog("join|"), 0);
    m_host.QueueBoxAnswer(IDYES);
    DoubleClickChannel(0);
    EXPECT_EQ(m_host.CountLog("join|"), 1);

    m_host.ClearLog();
    m_host.SetConfidenceAnswer(0);
    m_host.QueueBoxAnswer(IDYES);
    DoubleClickChannel(1);
    m_host.GetWindow()->SendMessage(WM_CHANNELLIST_SEL, RowData(30002, 0), 0);
    EXPECT_EQ(m_host.CountLog("join|"), 0) << m_host.LogText();
}

// Japanese, with boxes that pump messages as a real one does: a channel of
// the practice lobby is double-clicked just after a listing was asked for,
// and its reply replaces every row while the question is up. The Yes then
// joins the channel asked about as the new reply lists it, or nothing when
// the new listing no longer has it (freed records would read EE FE under
// Wine's heap checking).
TEST_F(RegionTest, JapanesePracticeQuestionWhileListing) {
    Load("peltora_ja.dll", 932);
    if (IsSkipped() || HasFatalFailure())
        return;
    m_folder.Write("tetrists1.tsg", "SVC", {"T01,Three,0,0,0,0,A", "TPD,Practice,0,0,0,0,A"});
    Start();
    struct Case {
        const char* pszName;
        std::function<void()> ask; // asks for a listing, answered later
        int nJoins;
    } cases[] = {
        {"refresh", [this] { m_host.GetWindow()->SendMessage(WM_COMMAND, 216, 0); }, 1},
        {"other group",
         [this] {
             m_host.GetWindow()->SendMessage(WM_CHANNELGROUP_SEL, (WPARAM)RowData(30001, 0), 0);
         },
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszName);
        ClickGroup(1);
        ASSERT_EQ(Rows(30002), 2) << m_host.LogText();
        m_host.ClearLog();
        const int nAsked = PracticeQuestions(m_host);
        m_host.SetPumpingBoxes(
            [this](const TsHostBox&) { return m_host.CountLog("splash-off") > 0 ? IDYES : 0; });
        c.ask();
        DoubleClickChannel(0);
        m_host.SetPumpingBoxesUntilIdle();
        EXPECT_EQ(PracticeQuestions(m_host), nAsked + 1) << m_host.LogText();
        ASSERT_EQ(m_host.CountLog("join|"), c.nJoins) << m_host.LogText();
        if (c.nJoins == 0)
            continue;
        const std::string sUrl(m_host.GetWindow()->m_strJoinUrl);
        CKelpParser join(sUrl.c_str(), (int)sUrl.size(), NULL);
        EXPECT_STREQ(join.GetIPAddress(), "127.0.0.1");
        EXPECT_EQ(join.GetPort(), 7041);
        char* pszValue = NULL;
        int nLength = 0;
        ASSERT_TRUE(join.GetValue(G::keyChannelId, pszValue, nLength));
        EXPECT_EQ(std::string(pszValue, nLength), "TPD-001");
    }
}

// Simplified Chinese: each group's own server (packed in the catalogue)
// serves its channels, the group chosen last is remembered under
// HKEY_LOCAL_MACHINE and chosen again, a group without a server connects
// nowhere, the rating band waits for the frame, and a double-click tells
// the frame's window the group and channel names.
TEST_F(RegionTest, Chinese) {
    Load("peltora_cn.dll", 936);
    if (IsSkipped() || HasFatalFailure())
        return;
    const std::string sServer = "," + Packed("127.0.0.1") + "," + std::to_string(m_nPort) + ",";
    m_folder.Write("tetrists1.tsg", "SVC",
                   {"T01,Three,0,0,0,0" + sServer + "A", "T03,Five,0,0,0,0" + sServer + "A",
                    "T04,Nowhere,0,0,0,0,A", "T05,Rated,9000,0,0,0" + sServer + "A"});
    m_host.GetFrame().m_bUseRating = 0;
    Start(1); // the game string's server is not the one used
    EXPECT_EQ(Rows(30002), 3) << m_host.LogText();
    EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, "LastSelGrId"), "(none)");

    ClickGroup(1);
    EXPECT_EQ(Rows(30002), 5) << m_host.LogText();
    EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, "LastSelGrId"), "T03");
    ClickGroup(3); // closed by rating, but this site uses no ratings
    EXPECT_EQ(Rows(30002), 3) << m_host.LogText();
    EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, "LastSelGrId"), "T05");

    m_host.ClearLog();
    m_host.GetWindow()->SendMessage(WM_CHANNELLIST_SEL, RowData(30002, 0), 0);
    EXPECT_EQ(m_host.CountLog("channel-name|Rated-Free 1"), 1) << m_host.LogText();
    EXPECT_EQ(LastJoinGroup(), "start-group");

    // The group without a server: nothing to connect to, so it is not
    // remembered, and its splash goes at once.
    m_host.ClearLog();
    m_host.GetWindow()->SendMessage(WM_CHANNELGROUP_SEL, (WPARAM)RowData(30001, 2), 0);
    EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, "LastSelGrId"), "T05");
    EXPECT_EQ(m_host.CountLog("splash-off"), 1) << m_host.LogText();

    // A new activation starts with the remembered group; an unknown one, or
    // one that cannot connect, gives way to the first group the user may
    // enter. Where the user may enter none, nothing connects and no row is
    // selected, whatever is remembered.
    struct Case {
        const char* pszLast;
        const char* pszRating; // rating band of T01 and T04 (T03's is 9000)
        int nRows;             // channels listed; 0: nothing connects
    } cases[] = {{"T03", "0", 5}, {"NOPE", "0", 3}, {"T04", "0", 3}, {"T03", "9000", 0}};
    m_host.GetFrame().m_bUseRating = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszLast);
        m_folder.Write("tetrists1.tsg", "SVC",
                       {std::string("T01,Three,") + c.pszRating + ",0,0,0" + sServer + "A",
                        "T03,Five,9000,0,0,0" + sServer + "A",
                        std::string("T04,Nowhere,") + c.pszRating + ",0,0,0,A"});
        HKEY hKey = NULL;
        ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kRegKey, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &hKey,
                          NULL);
        ::RegSetValueExA(hKey, "LastSelGrId", 0, REG_SZ, (const BYTE*)c.pszLast,
                         (DWORD)strlen(c.pszLast) + 1);
        ::RegCloseKey(hKey);
        Start(1); // the activation reads the catalogue again
        WaitForListing();
        if (c.nRows != 0) {
            EXPECT_EQ(Rows(30002), c.nRows) << m_host.LogText();
        }
        EXPECT_EQ(m_host.CountLog("splash-on|" + Text(17911) + "|1"), c.nRows != 0 ? 1 : 0)
            << m_host.LogText();
        EXPECT_EQ(m_host.CountLog("closebox|"), 0) << m_host.LogText();
        EXPECT_GT(m_host.CountLog("splash-off"), 0);
        EXPECT_EQ(::SendMessage(List(30001), LVM_GETSELECTEDCOUNT, 0, 0), c.nRows != 0 ? 1 : 0);
    }
}
