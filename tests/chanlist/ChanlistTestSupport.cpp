// Test support for the channel-list window.
#include "ChanlistTestSupport.h"

#include <fstream>

#include <KelpParser.h>

const char kListServerIp[] = "127.0.0.1";
const char kLoadingText[] = "Channel List Data Loading...";
const char kAutoJoinText[] = "Join Channel Now!";
const char kCaptionText[] = "Channel List";
const char kInvalidText[] = "Cannot create channel list window.";

namespace {

// Runs the tests from the folder of the executable, where the build puts
// the plug-ins and the Images folder the window loads its pictures from.
class ClientDirectoryEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        char szPath[MAX_PATH + 1] = {0};
        ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
        char* pSlash = strrchr(szPath, '\\');
        if (pSlash != NULL)
            *pSlash = '\0';
        ASSERT_TRUE(CTsTestHost::SetClientDirectory(szPath));
    }
};

const ::testing::Environment* const s_pEnvironment =
    ::testing::AddGlobalTestEnvironment(new ClientDirectoryEnvironment);

std::string Render(CKelpParser& parser) {
    char* pszText = NULL;
    int nLength = 0;
    if (!parser.GetURL(pszText, nLength))
        return std::string();
    return std::string(pszText, nLength);
}

} // namespace

std::string MakeGameString(const char* pszGameId, unsigned short nPort) {
    CKelpParser parser("", "", NULL, 1, kListServerIp, nPort);
    if (pszGameId != NULL)
        parser.AddValue(G::keyGameId, pszGameId);
    return Render(parser);
}

std::string MakeAutoJoinGameString(const char* pszGameId, const char* pszChannelId,
                                   const char* pszIp, int nPort, int nMaxRoom, int nMaxRoomMembers,
                                   int nMaxRoomViewers, unsigned short nServerPort) {
    CKelpParser parser("", "", NULL, 1, kListServerIp, nServerPort);
    parser.AddValue(G::keyGameId, pszGameId);
    parser.AddValue(G::keyChannelId, pszChannelId);
    if (pszIp != NULL)
        parser.AddValue(G::keyIPAddress, pszIp);
    parser.AddValue(G::keyPort, nPort);
    parser.AddValue(G::keyMaxRoom, nMaxRoom);
    parser.AddValue(G::keyMaxRoomMembers, nMaxRoomMembers);
    parser.AddValue(G::keyMaxRoomViewers, nMaxRoomViewers);
    return Render(parser);
}

CTestCatalogueFolder::CTestCatalogueFolder(const char* pszName) {
    char szDir[MAX_PATH] = {0};
    ::GetCurrentDirectoryA(MAX_PATH, szDir);
    m_sHome = szDir;
    m_sFolder = m_sHome + "\\" + pszName;
    ::CreateDirectoryA(m_sFolder.c_str(), NULL);
}

CTestCatalogueFolder::~CTestCatalogueFolder() {
    Leave();
    Clear();
    ::RemoveDirectoryA(m_sFolder.c_str());
}

void CTestCatalogueFolder::Write(const std::string& sFile, const std::string& sSection,
                                 const std::vector<std::string>& lines, const std::string& sNum) {
    const std::string sPath = m_sFolder + "\\" + sFile;
    std::ofstream out(sPath.c_str(), std::ios::binary);
    out << "[OTHER]\r\nNUM=1\r\n1=X1,Other,0,0,0,0,A\r\n[" << sSection << "]\r\n";
    out << "NUM=" << (sNum.empty() ? std::to_string(lines.size()) : sNum) << "\r\n";
    for (size_t i = 0; i < lines.size(); ++i)
        out << (i + 1) << "=" << lines[i] << "\r\n";
    m_files.push_back(sPath);
}

void CTestCatalogueFolder::Enter() {
    ::SetCurrentDirectoryA(m_sFolder.c_str());
}

void CTestCatalogueFolder::Leave() {
    ::SetCurrentDirectoryA(m_sHome.c_str());
}

void CTestCatalogueFolder::Clear() {
    for (const std::string& sFile : m_files)
        ::DeleteFileA(sFile.c_str());
    m_files.clear();
}

std::vector<std::string> MessageKeys(const std::string& sMessage) {
    // "KELP/1 header?key=value&key=value...;" with every separator inside a
    // key or value escaped, so the separators can be split on as they are.
    std::vector<std::string> keys;
    size_t nAt = sMessage.find('?');
    const size_t nEnd = sMessage.find_first_of("#;", nAt == std::string::npos ? 0 : nAt);
    while (nAt != std::string::npos && nAt < nEnd) {
        const size_t nEq = sMessage.find('=', nAt + 1);
        keys.push_back(sMessage.substr(nAt + 1, nEq - nAt - 1));
        nAt = sMessage.find('&', nEq);
    }
    return keys;
}

int CLoggingChannelListWnd::DoExActive(int bActive) {
    m_pHost->Log("DoExActive|" + std::to_string(bActive));
    return CTsChannelListWnd::DoExActive(bActive);
}

int CLoggingChannelListWnd::DoActive(int bActive) {
    m_pHost->Log("DoActive|" + std::to_string(bActive));
    return CTsChannelListWnd::DoActive(bActive);
}

int CLoggingChannelListWnd::SetChannelListWndSetting() {
    m_pHost->Log("hook|wnd");
    return m_nFailHook == 1 ? 0 : CTsChannelListWnd::SetChannelListWndSetting();
}

int CLoggingChannelListWnd::SetChannelGroupListSetting() {
    m_pHost->Log("hook|group");
    return m_nFailHook == 2 ? 0 : CTsChannelListWnd::SetChannelGroupListSetting();
}

int CLoggingChannelListWnd::SetChannelListSetting() {
    m_pHost->Log("hook|channel");
    return m_nFailHook == 3 ? 0 : CTsChannelListWnd::SetChannelListSetting();
}

int CLoggingChannelListWnd::DispatchServices(CKelpParser& parser) {
    char* pszSubId = NULL;
    int nLength = 0;
    parser.GetValue(G::keySubId, pszSubId, nLength);
    m_pHost->Log(std::string("dispatch|") + parser.GetService() + "|" + parser.GetCommand() + "|" +
                 (pszSubId != NULL ? pszSubId : ""));
    return CTsChannelListWnd::DispatchServices(parser);
}

bool KillTimerWasSet(CWnd& wnd, UINT_PTR nId) {
    return ::KillTimer(wnd.GetSafeHwnd(), nId) != FALSE;
}

void ChannelListTest::SetUp() {
    m_host.GetConfig().Set("ad.url", "None");
    m_host.GetConfig().Set("game.code", "RNKTET");
    m_pWnd.reset(new CLoggingChannelListWnd(&m_host));
    ASSERT_TRUE(m_host.UseWindow(m_pWnd.get()));
}

void ChannelListTest::Create() {
    ASSERT_TRUE(m_host.GetFrame().GetSafeHwnd() != NULL ? m_host.AttachWindow()
                                                        : m_host.CreateFrame());
    ASSERT_NE(Wnd().GetSafeHwnd(), (HWND)NULL);
}

void ChannelListTest::Start(const std::string& sGameString) {
    Create();
    m_host.ClearLog();
    m_host.Start(sGameString.c_str(), "");
}

void ChannelListTest::ExpectLog(const std::vector<std::string>& expected) {
    EXPECT_EQ(m_host.GetLog(), expected) << m_host.LogText();
}

void ChannelListTest::ReplaceWindow() {
    m_host.DestroyWindow();
    m_pWnd.reset(new CLoggingChannelListWnd(&m_host));
    ASSERT_TRUE(m_host.UseWindow(m_pWnd.get()));
    if (m_host.GetFrame().GetSafeHwnd() != NULL) {
        ASSERT_TRUE(m_host.AttachWindow());
    }
}

void ChannelListTest::Tick(UINT_PTR nId) {
    Wnd().SendMessage(WM_TIMER, nId, 0);
}

void ChannelListTest::UseFencedWindow() {
    m_host.DestroyWindow();
    m_pWnd.reset(new CFencedChannelListWnd(&m_host));
    ASSERT_TRUE(m_host.UseWindow(m_pWnd.get(), [this](CTsChildWnd* pWnd) {
        m_pWnd.release();
        delete pWnd;
    }));
    m_host.SetDeleteOnDestroy(1);
}

CRect RectInParent(CWnd* pWnd) {
    CRect rc;
    pWnd->GetWindowRect(&rc);
    pWnd->GetParent()->ScreenToClient(&rc);
    return rc;
}

std::string PresenceEventName() {
    char szPath[MAX_PATH + 1] = {0};
    ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
    std::string sName(szPath);
    for (char& ch : sName)
        if (ch == '\\')
            ch = '_';
    return sName;
}

bool EventExists(const std::string& sName) {
    HANDLE hEvent = ::OpenEventA(SYNCHRONIZE, FALSE, sName.c_str());
    if (hEvent == NULL)
        return false;
    ::CloseHandle(hEvent);
    return true;
}

int CountOtherThan(const TsCapture& a, const CRect& rc, COLORREF clr) {
    int nOther = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            nOther += a.At(x, y) != clr;
    return nOther;
}
