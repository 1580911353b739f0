// peltora_demo: runs a channel-list plug-in for real in the test host,
// against a running channel-list server, and clicks through it the way a
// person would, taking a screenshot of the lobby frame after each step.
//
//   peltora_demo <plugin.dll> <host config> <server port> <output folder> <name>
//   peltora_demo --interactive <plugin.dll> <host config> <server port>
//   peltora_demo --help | -h
//
// The host configuration (CTsHostConfig keys) gives the member, the game and
// the site; three keys of its own tell the demo what to expect:
//   demo.game   game id put into the game string (default TETRIS)
//   demo.first  the group whose channels are listed after loading
//   demo.click  the group clicked in the second step
// The game string is made here: a message whose header carries 127.0.0.1
// and the server's port, with the game id as its one value.
//
// Steps, each waiting a bounded time for what it expects:
//   loaded  groups listed; demo.first's channels listed, sorted by id,
//           with users                                        -> <name>-1-loaded.png
//   group   a click on demo.click's row: its channels replace the others
//                                                             -> <name>-2-group.png
//   sort    a click on the users column's header: rows sorted by users
//                                                             -> <name>-3-sorted.png
//   join    a double-click on the top channel: the host sees the join and
//           the frame shows its lobby with the decoded join   -> <name>-4-join.png
// A failure prints "demo: step <name> failed: <what>" and ends with exit
// status 1. The plug-in, its windows and the host are torn down either way.
//
// --interactive shows the same lobby in a captioned frame with real message
// boxes and clock, and runs until the frame is closed.
#include "TsTestHost.h"

#include <KelpParser.h>
#include <commctrl.h>

#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

// Child ids inside the plug-in's window: the list container and its two
// lists.
const int kIdContainer = 30000;
const int kIdGroupList = 30001;
const int kIdChannelList = 30002;
// Longest wait for one step's outcome, in milliseconds.
const DWORD kStepWaitMs = 10000;

// What a step found wrong; empty when it passed.
typedef std::string Failure;

// The folder part of a path ("" when there is none).
std::string FolderOf(const std::string& sPath) {
    const size_t nSlash = sPath.find_last_of("\\/");
    return nSlash != std::string::npos && nSlash > 0 ? sPath.substr(0, nSlash) : std::string();
}

// Full path of a possibly relative file name, taken before changing folder.
std::string FullPathOf(const char* pszPath) {
    char szFull[MAX_PATH] = "";
    const DWORD nLength = ::GetFullPathNameA(pszPath, sizeof(szFull), szFull, NULL);
    return nLength > 0 && nLength < sizeof(szFull) ? std::string(szFull) : std::string(pszPath);
}

// The "demo." keys of a host configuration file, trimmed.
std::map<std::string, std::string> ReadDemoKeys(const std::string& sPath) {
    std::map<std::string, std::string> keys;
    std::ifstream in(sPath.c_str(), std::ios::binary);
    std::string sLine;
    const char* const pszBlank = " \t\r\n";
    while (std::getline(in, sLine)) {
        const size_t nEqual = sLine.find('=');
        if (nEqual == std::string::npos)
            continue;
        std::string sKey = sLine.substr(0, nEqual);
        std::string sValue = sLine.substr(nEqual + 1);
        sKey.erase(0, sKey.find_first_not_of(pszBlank));
        sKey.erase(sKey.find_last_not_of(pszBlank) + 1);
        sValue.erase(0, sValue.find_first_not_of(pszBlank));
        sValue.erase(sValue.find_last_not_of(pszBlank) + 1);
        if (sKey.compare(0, 5, "demo.") == 0)
            keys[sKey] = sValue;
    }
    return keys;
}

// The game string of the first activation: the server in the header, the
// game id as the one value.
std::string MakeGameString(const std::string& sGameId, unsigned short nPort) {
    CKelpParser parser("", "", NULL, 1, "127.0.0.1", nPort);
    parser.AddValue(G::keyGameId, sGameId.c_str());
    char* pszText = NULL;
    int nLength = 0;
    return parser.GetURL(pszText, nLength) ? std::string(pszText, nLength) : std::string();
}

// Removes the demo's own registry key under both roots the plug-in may use,
// so that nothing remembered from an earlier run (the last group chosen,
// continue-play values) changes what this run shows.
void ForgetRegistryKey(LPCSTR lpszKey) {
    if (lpszKey == NULL || *lpszKey == '\0')
        return;
    ::RegDeleteKeyA(HKEY_CURRENT_USER, lpszKey);
    ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, lpszKey);
}

// A list view inside the plug-in's window, found by child id.
HWND FindList(CTsTestHost& host, int nId) {
    CTsChildWnd* pWnd = host.GetWindow();
    HWND hWnd = pWnd != NULL ? pWnd->GetSafeHwnd() : NULL;
    HWND hContainer = hWnd != NULL ? ::GetDlgItem(hWnd, kIdContainer) : NULL;
    return hContainer != NULL ? ::GetDlgItem(hContainer, nId) : NULL;
}

int RowCount(HWND hList) {
    return hList != NULL ? (int)::SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0) : 0;
}

std::string CellText(HWND hList, int nRow, int nColumn) {
    char szText[256] = "";
    LVITEMA item;
    ZeroMemory(&item, sizeof(item));
    item.iSubItem = nColumn;
    item.pszText = szText;
    item.cchTextMax = sizeof(szText);
    ::SendMessageA(hList, LVM_GETITEMTEXTA, (WPARAM)nRow, (LPARAM)&item);
    return szText;
}

// The labels (column 0) of every row, in their order on screen.
std::vector<std::string> RowLabels(HWND hList) {
    std::vector<std::string> labels;
    for (int i = 0; i < RowCount(hList); ++i)
        labels.push_back(CellText(hList, i, 0));
    return labels;
}

// The users column (1) of every row as numbers.
std::vector<long> RowUsers(HWND hList) {
    std::vector<long> users;
    for (int i = 0; i < RowCount(hList); ++i)
        users.push_back(strtol(CellText(hList, i, 1).c_str(), NULL, 10));
    return users;
}

int FindRow(HWND hList, const std::string& sLabel) {
    const std::vector<std::string> labels = RowLabels(hList);
    for (size_t i = 0; i < labels.size(); ++i) {
        if (labels[i] == sLabel)
            return (int)i;
    }
    return -1;
}

// The row shown selected, or -1.
int SelectedRow(HWND hList) {
    return (int)::SendMessageA(hList, LVM_GETNEXTITEM, (WPARAM)-1, MAKELPARAM(LVNI_SELECTED, 0));
}

// The middle of row nRow's label, scrolled into view first.
bool RowPoint(HWND hList, int nRow, POINT& pt) {
    ::SendMessageA(hList, LVM_ENSUREVISIBLE, (WPARAM)nRow, FALSE);
    RECT rc;
    rc.left = LVIR_LABEL;
    if (!::SendMessageA(hList, LVM_GETITEMRECT, (WPARAM)nRow, (LPARAM)&rc))
        return false;
    pt.x = (rc.left + rc.right) / 2;
    pt.y = (rc.top + rc.bottom) / 2;
    return true;
}

// A left click as the mouse makes it: down and up at one point.
void Click(HWND hWnd, POINT pt) {
    const LPARAM lPoint = MAKELPARAM(pt.x, pt.y);
    ::SendMessageA(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, lPoint);
    ::SendMessageA(hWnd, WM_LBUTTONUP, 0, lPoint);
}

// A double-click as the mouse makes it: a click, then the second press
// that the window class turns into WM_LBUTTONDBLCLK, and its release.
void DoubleClick(HWND hWnd, POINT pt) {
    const LPARAM lPoint = MAKELPARAM(pt.x, pt.y);
    Click(hWnd, pt);
    ::SendMessageA(hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, lPoint);
    ::SendMessageA(hWnd, WM_LBUTTONUP, 0, lPoint);
}

std::string Join(const std::vector<std::string>& items) {
    std::string sText;
    for (const std::string& s : items)
        sText += (sText.empty() ? "" : " ") + s;
    return sText;
}

std::string JoinNumbers(const std::vector<long>& numbers) {
    std::vector<std::string> items;
    for (long n : numbers)
        items.push_back(std::to_string(n));
    return Join(items);
}

bool SortedByLabel(const std::vector<std::string>& labels) {
    for (size_t i = 1; i < labels.size(); ++i) {
        if (strcmp(labels[i - 1].c_str(), labels[i].c_str()) > 0)
            return false;
    }
    return true;
}

bool SortedByUsers(const std::vector<long>& users) {
    for (size_t i = 1; i < users.size(); ++i) {
        if (users[i - 1] > users[i])
            return false;
    }
    return true;
}

// Whether every label starts with "<group>-": the channel ids of the
// sample server data name their group.
bool AllOfGroup(const std::vector<std::string>& labels, const std::string& sGroup) {
    const std::string sPrefix = sGroup + "-";
    for (const std::string& s : labels) {
        if (s.compare(0, sPrefix.size(), sPrefix) != 0)
            return false;
    }
    return !labels.empty();
}

// The demo run: the host, what it expects and where pictures go.
class CDemo {
public:
    CDemo(const std::string& sPlugin, const std::string& sConfig, unsigned short nPort,
          const std::string& sOutDir, const std::string& sName)
        : m_sPlugin(sPlugin), m_sConfig(sConfig), m_nPort(nPort), m_sOutDir(sOutDir),
          m_sName(sName) {}

    int Run();

private:
    Failure Start();
    Failure StepLoaded();
    Failure StepGroup();
    Failure StepSort();
    Failure StepJoin();

    // Repaints the frame and everything in it, then writes its picture.
    Failure Screenshot(int nNumber, const char* pszWhat);
    // Entries of the log that no step expects: message boxes.
    Failure NoBoxes() const;
    // The channel rows of a listing of sGroup: some, all of that group, and
    // users in them.
    Failure CheckListing(const std::string& sGroup) const;
    bool ListingDone() const { return m_host.CountLog("splash-off") > 0; }

    CTsTestHost m_host;
    std::string m_sPlugin;
    std::string m_sConfig;
    unsigned short m_nPort;
    std::string m_sOutDir;
    std::string m_sName;
    std::string m_sGameId;
    std::string m_sFirst;
    std::string m_sClick;
    HWND m_hGroups = NULL;
    HWND m_hChannels = NULL;
};

Failure CDemo::Start() {
    CTsHostConfig& config = m_host.GetConfig();
    if (!config.LoadFile(m_sConfig.c_str()))
        return "cannot read the host configuration " + m_sConfig;
    std::map<std::string, std::string> keys = ReadDemoKeys(m_sConfig);
    m_sGameId = keys.count("demo.game") ? keys["demo.game"] : "TETRIS";
    m_sFirst = keys["demo.first"];
    m_sClick = keys["demo.click"];
    if (m_sFirst.empty() || m_sClick.empty() || m_sFirst == m_sClick)
        return "the host configuration must name two groups in demo.first and demo.click";
    ForgetRegistryKey(config.m_strRegKey);

    const std::string sFolder = FolderOf(m_sPlugin);
    if (!sFolder.empty() && !CTsTestHost::SetClientDirectory(sFolder.c_str()))
        return "cannot enter the client folder " + sFolder;
    m_host.SetPlainWindows(1);
    if (!m_host.LoadPlugin(m_sPlugin.c_str()))
        return "cannot load the plug-in " + m_sPlugin + " (error " +
               std::to_string(::GetLastError()) + ")";
    if (!m_host.CreateFrame())
        return "the lobby frame or the plug-in's window could not be created";
    // The main window, shown when a listing ends, stands below the frame so
    // that it never covers what the screenshots show.
    CRect rcFrame;
    m_host.GetFrame().GetWindowRect(&rcFrame);
    m_host.GetMainWnd()->SetWindowPos(NULL, rcFrame.left, rcFrame.bottom + 8, 0, 0,
                                      SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const std::string sGameString = MakeGameString(m_sGameId, m_nPort);
    if (sGameString.empty())
        return "cannot make the game string";
    m_host.ClearLog();
    m_host.Start(sGameString.c_str(), "");
    return Failure();
}

Failure CDemo::NoBoxes() const {
    if (m_host.CountLog("box|") > 0)
        return "the plug-in showed a message box:\n" + m_host.LogText();
    return Failure();
}

Failure CDemo::CheckListing(const std::string& sGroup) const {
    const std::vector<std::string> labels = RowLabels(m_hChannels);
    if (!AllOfGroup(labels, sGroup))
        return "the channel list shows [" + Join(labels) + "], not the channels of " + sGroup;
    long nTotal = 0;
    for (long n : RowUsers(m_hChannels))
        nTotal += n;
    if (nTotal <= 0)
        return "no users in the channels of " + sGroup;
    return Failure();
}

// Loaded: the catalogue's groups are listed, the first group the member may
// enter is selected and its channels are listed by id.
Failure CDemo::StepLoaded() {
    const bool bDone = m_host.PumpUntil(
        [this] {
            m_hGroups = FindList(m_host, kIdGroupList);
            m_hChannels = FindList(m_host, kIdChannelList);
            return ListingDone() && RowCount(m_hChannels) > 0;
        },
        kStepWaitMs);
    Failure failure = NoBoxes();
    if (!failure.empty())
        return failure;
    if (m_hGroups == NULL || m_hChannels == NULL)
        return "the plug-in's window has no group list or channel list";
    if (!bDone)
        return "no channels listed within " + std::to_string(kStepWaitMs / 1000) +
               " s; host log:\n" + m_host.LogText();
    if (RowCount(m_hGroups) == 0)
        return "the group list is empty";
    const int nSelected = SelectedRow(m_hGroups);
    if (nSelected < 0 || CellText(m_hGroups, nSelected, 0) != m_sFirst)
        return "the selected group is '" +
               (nSelected < 0 ? std::string("(none)") : CellText(m_hGroups, nSelected, 0)) +
               "', not " + m_sFirst;
    failure = CheckListing(m_sFirst);
    if (!failure.empty())
        return failure;
    const std::vector<std::string> labels = RowLabels(m_hChannels);
    if (!SortedByLabel(labels))
        return "the channels are not sorted by id: " + Join(labels);
    printf("demo: %s loaded: groups [%s], channels of %s [%s], users [%s]\n", m_sName.c_str(),
           Join(RowLabels(m_hGroups)).c_str(), m_sFirst.c_str(), Join(labels).c_str(),
           JoinNumbers(RowUsers(m_hChannels)).c_str());
    return Screenshot(1, "loaded");
}

// Group: a click on another group's row; its channels replace the others.
Failure CDemo::StepGroup() {
    const int nRow = FindRow(m_hGroups, m_sClick);
    POINT pt;
    if (nRow < 0 || !RowPoint(m_hGroups, nRow, pt))
        return "the group list has no row " + m_sClick;
    m_host.ClearLog();
    Click(m_hGroups, pt);
    const bool bDone = m_host.PumpUntil(
        [this] { return ListingDone() && AllOfGroup(RowLabels(m_hChannels), m_sClick); },
        kStepWaitMs);
    Failure failure = NoBoxes();
    if (!failure.empty())
        return failure;
    if (!bDone)
        return "the channels of " + m_sClick + " did not replace the list within " +
               std::to_string(kStepWaitMs / 1000) + " s (rows: " + Join(RowLabels(m_hChannels)) +
               "); host log:\n" + m_host.LogText();
    if (m_host.CountLog("splash-on|") == 0)
        return "the group click showed no loading splash; host log:\n" + m_host.LogText();
    failure = CheckListing(m_sClick);
    if (!failure.empty())
        return failure;
    const std::vector<std::string> labels = RowLabels(m_hChannels);
    if (!SortedByLabel(labels))
        return "the channels are not sorted by id: " + Join(labels);
    const int nSelected = SelectedRow(m_hGroups);
    if (nSelected != nRow)
        return "the clicked group's row is not the selected one";
    printf("demo: %s group click on %s: channels [%s], users [%s]\n", m_sName.c_str(),
           m_sClick.c_str(), Join(labels).c_str(), JoinNumbers(RowUsers(m_hChannels)).c_str());
    return Screenshot(2, "group");
}

// Sort: a click on the header of the users column sorts the rows by users.
Failure CDemo::StepSort() {
    HWND hHeader = (HWND)::SendMessageA(m_hChannels, LVM_GETHEADER, 0, 0);
    RECT rc;
    if (hHeader == NULL || !::SendMessageA(hHeader, HDM_GETITEMRECT, 1, (LPARAM)&rc))
        return "the channel list has no header with a users column";
    const std::vector<std::string> before = RowLabels(m_hChannels);
    m_host.ClearLog();
    POINT pt = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    Click(hHeader, pt);
    const bool bSorted =
        m_host.PumpUntil([this] { return SortedByUsers(RowUsers(m_hChannels)); }, kStepWaitMs);
    Failure failure = NoBoxes();
    if (!failure.empty())
        return failure;
    const std::vector<std::string> after = RowLabels(m_hChannels);
    const std::vector<long> users = RowUsers(m_hChannels);
    if (!bSorted)
        return "the rows are not sorted by users after the header click: [" + Join(after) +
               "] with users [" + JoinNumbers(users) + "]";
    std::vector<std::string> sortedBefore = before, sortedAfter = after;
    std::sort(sortedBefore.begin(), sortedBefore.end());
    std::sort(sortedAfter.begin(), sortedAfter.end());
    if (sortedBefore != sortedAfter)
        return "sorting changed which channels are listed: [" + Join(before) + "] became [" +
               Join(after) + "]";
    if (m_host.CountLog("splash-on|") > 0 || m_host.CountLog("join|") > 0)
        return "the header click did more than sort; host log:\n" + m_host.LogText();
    printf("demo: %s sorted by users: [%s], users [%s]\n", m_sName.c_str(), Join(after).c_str(),
           JoinNumbers(users).c_str());
    return Screenshot(3, "sorted");
}

// Join: a double-click on the top channel; the host sees the join and the
// frame shows its lobby, which says what the join message carries.
Failure CDemo::StepJoin() {
    const std::string sChannel = CellText(m_hChannels, 0, 0);
    POINT pt;
    if (sChannel.empty() || !RowPoint(m_hChannels, 0, pt))
        return "the channel list has no top row";
    m_host.ClearLog();
    DoubleClick(m_hChannels, pt);
    CTsLobbyFrame& frame = m_host.GetFrame();
    CTsLobbyWnd& lobby = frame.GetLobby();
    const bool bJoined = m_host.PumpUntil(
        [&] {
            return m_host.CountLog("join|") > 0 && frame.GetActiveChild() == 2 &&
                   lobby.IsWindowVisible();
        },
        kStepWaitMs);
    m_host.Pump();
    Failure failure = NoBoxes();
    if (!failure.empty())
        return failure;
    if (!bJoined)
        return "no join reached the host within " + std::to_string(kStepWaitMs / 1000) +
               " s; host log:\n" + m_host.LogText();
    if (m_host.CountLog("join|") != 1)
        return "the host saw " + std::to_string(m_host.CountLog("join|")) + " joins; host log:\n" +
               m_host.LogText();

    const std::string sUrl(lobby.m_strJoinUrl);
    CKelpParser parser(sUrl.c_str(), (int)sUrl.size(), NULL);
    char* pszValue = NULL;
    int nLength = 0;
    std::map<std::string, std::string> fields;
    for (const char* pszKey : {G::keyGameId, G::keySubId, G::keyChannelId}) {
        if (parser.GetValue(pszKey, pszValue, nLength))
            fields[pszKey] = std::string(pszValue, nLength);
    }
    if (!parser.IsValid() || fields[G::keyChannelId] != sChannel ||
        fields[G::keySubId] != m_sClick || fields[G::keyGameId] != "TETRIS")
        return "the join message does not name TETRIS / " + m_sClick + " / " + sChannel + ": " +
               sUrl;
    const std::string sShown(TsDescribeMessage(lobby.m_strJoinUrl));
    if (sShown.find(std::string(G::keyChannelId) + " = " + sChannel) == std::string::npos)
        return "the lobby does not show the joined channel:\n" + sShown;
    printf("demo: %s joined %s: %s\n", m_sName.c_str(), sChannel.c_str(), sUrl.c_str());
    return Screenshot(4, "join");
}

Failure CDemo::Screenshot(int nNumber, const char* pszWhat) {
    HWND hFrame = m_host.GetFrame().GetSafeHwnd();
    m_host.Pump();
    ::RedrawWindow(hFrame, NULL, NULL,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    m_host.Pump();
    ::RedrawWindow(hFrame, NULL, NULL, RDW_ALLCHILDREN | RDW_UPDATENOW);
    ::GdiFlush();
    const std::string sPath =
        m_sOutDir + "\\" + m_sName + "-" + std::to_string(nNumber) + "-" + pszWhat + ".png";
    if (!CTsTestHost::CaptureWindow(hFrame, sPath.c_str()))
        return "cannot write the screenshot " + sPath;
    printf("demo: %s screenshot %s\n", m_sName.c_str(), sPath.c_str());
    return Failure();
}

int CDemo::Run() {
    struct Step {
        const char* pszName;
        Failure (CDemo::*pfn)();
    };
    const Step steps[] = {{"start", &CDemo::Start},
                          {"loaded", &CDemo::StepLoaded},
                          {"group", &CDemo::StepGroup},
                          {"sort", &CDemo::StepSort},
                          {"join", &CDemo::StepJoin}};
    int nStatus = 0;
    for (const Step& step : steps) {
        const Failure failure = (this->*step.pfn)();
        if (!failure.empty()) {
            printf("demo: step %s failed: %s\n", step.pszName, failure.c_str());
            nStatus = 1;
            break;
        }
    }
    fflush(stdout);
    m_host.DestroyWindow();
    m_host.Pump();
    ForgetRegistryKey(m_host.GetConfig().m_strRegKey);
    return nStatus;
}

// The lobby for a person: a captioned frame, real message boxes and clock,
// the frame's own answers; the program ends when the frame is closed.
int RunInteractive(const std::string& sPlugin, const std::string& sConfig, unsigned short nPort) {
    CTsTestHost host;
    if (!host.GetConfig().LoadFile(sConfig.c_str())) {
        printf("demo: cannot read the host configuration %s\n", sConfig.c_str());
        return 1;
    }
    std::map<std::string, std::string> keys = ReadDemoKeys(sConfig);
    const std::string sGameId = keys.count("demo.game") ? keys["demo.game"] : "TETRIS";
    ForgetRegistryKey(host.GetConfig().m_strRegKey);
    const std::string sFolder = FolderOf(sPlugin);
    if (!sFolder.empty())
        CTsTestHost::SetClientDirectory(sFolder.c_str());
    AfxSetMessageBoxHook(NULL, NULL);
    AfxSetTickCountHook(NULL, NULL);
    host.SetActiveAnswer(1, -1);
    host.SetActiveAnswer(2, -1);
    host.SetCloseBehaviour(1, 1);
    host.SetPlainWindows(0);
    if (!host.LoadPlugin(sPlugin.c_str()) || !host.CreateFrame()) {
        printf("demo: cannot load the plug-in %s\n", sPlugin.c_str());
        return 1;
    }
    host.GetFrame().ShowWindow(SW_SHOW);
    host.Start(MakeGameString(sGameId, nPort).c_str(), "");
    printf("demo: the lobby is open; close its window to end\n");
    fflush(stdout);
    MSG msg;
    while (::GetMessageA(&msg, NULL, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return 0;
}

// The usage: on standard output with exit status 0 when asked for (--help,
// -h), else on standard error with exit status 2.
int Usage(bool bAsked = false) {
    fprintf(bAsked ? stdout : stderr,
            "usage: peltora_demo <plugin.dll> <host config> <port> <output folder> <name>\n"
            "       peltora_demo --interactive <plugin.dll> <host config> <port>\n"
            "       peltora_demo --help | -h\n");
    return bAsked ? 0 : 2;
}

// The port argument: 1 to 65535, else 0.
unsigned short PortOf(const char* pszText) {
    char* pszEnd = NULL;
    const long nPort = strtol(pszText, &pszEnd, 10);
    return pszEnd != pszText && *pszEnd == '\0' && nPort > 0 && nPort <= 65535
               ? (unsigned short)nPort
               : 0;
}

} // namespace

int main(int argc, char** argv) {
    setvbuf(stdout, NULL, _IONBF, 0);
    if (argc == 2 && (strcmp(argv[1], "--help") == 0 || strcmp(argv[1], "-h") == 0))
        return Usage(true);
    if (argc == 5 && strcmp(argv[1], "--interactive") == 0) {
        const unsigned short nPort = PortOf(argv[4]);
        return nPort != 0 ? RunInteractive(FullPathOf(argv[2]), FullPathOf(argv[3]), nPort)
                          : Usage();
    }
    if (argc != 6)
        return Usage();
    const unsigned short nPort = PortOf(argv[3]);
    if (nPort == 0)
        return Usage();
    CDemo demo(FullPathOf(argv[1]), FullPathOf(argv[2]), nPort, FullPathOf(argv[4]), argv[5]);
    return demo.Run();
}
