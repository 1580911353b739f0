// sample_host: the smallest lobby client that hosts the channel-list
// plug-in, built against the installed package (find_package(peltora)).
//
//   sample_host <server address> <port> <channel id>...
//
// It makes the application object, the user's records and a lobby frame,
// constructs the Korean plug-in's window, creates it as the frame's child 1
// and starts it with a game string that names the channel-list server. The
// window reads the catalogue, selects its first open group and asks the
// server for that group's channels. The program runs the message loop
// until the channel list shows exactly the given channel ids, in any
// order, and ends with exit status 0; with 1 when the plug-in's images did
// not load, the plug-in showed a message box or closed the frame, or the
// list did not show those channels within the deadline.
//
// The plug-in reads its images (.\Images\) and the catalogue from the
// current folder; the program makes its own folder the current one, so
// that folder is the client folder (CMakeLists.txt puts the DLLs, the
// images and the catalogue there).
#include <ChannelListWnd.h>
#include <KelpParser.h>
#include <TsCopyField.h>
#include <lobbykit.h>

#include <commctrl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// How long the channel list may take to show the server's channels.
const DWORD kDeadlineMs = 30000;
// The client's registry key; the Korean plug-in reads its continue-play
// values there (HKEY_CURRENT_USER).
const char kRegKey[] = "Software\\PeltoraSample\\Client";

// What the frame tells its host. WM_CLOSE reaches the frame when the
// plug-in gives up (a game string it cannot read, no catalogue): a real
// client would end the lobby; this one notes it and fails.
class CSampleObserver : public CTsLobbyObserver {
public:
    CSampleObserver() : m_bFrameClosed(0) {}

    virtual int OnFrameClose() {
        m_bFrameClosed = 1;
        return 0;
    }

    int m_bFrameClosed; // WM_CLOSE reached the frame
};

// Message boxes: a real client lets the user answer them. This program
// runs unattended, so a box (the server cannot be reached, it answered
// with a failure) is printed, answered OK and ends the run as a failure.
std::string g_strBoxText; // the last box's text; empty: none came

int AnswerBox(void*, HWND, LPCSTR lpszText, LPCSTR, UINT) {
    g_strBoxText = lpszText != NULL && lpszText[0] != '\0' ? lpszText : "(no text)";
    return IDOK;
}

// Makes the folder of this program the current folder.
void EnterProgramFolder() {
    char szPath[MAX_PATH] = "";
    const DWORD nLength = ::GetModuleFileNameA(NULL, szPath, sizeof(szPath));
    if (nLength == 0 || nLength >= sizeof(szPath))
        return;
    char* pszSlash = strrchr(szPath, '\\');
    if (pszSlash != NULL) {
        *pszSlash = '\0';
        ::SetCurrentDirectoryA(szPath);
    }
}

// The game string of the start record: a message whose header names the
// channel-list server, with the game id as its value.
std::string MakeGameString(const char* pszServer, unsigned short nPort) {
    CKelpParser parser("", "", NULL, 1, pszServer, nPort);
    parser.AddValue(G::keyGameId, "TETRIS");
    char* pszText = NULL;
    int nLength = 0;
    return parser.GetURL(pszText, nLength) ? std::string(pszText, nLength) : std::string();
}

// The channel ids (column 0) the channel list shows now, sorted.
std::vector<std::string> ListedChannels(CTsChannelListWnd& wnd) {
    HWND hContainer = ::GetDlgItem(wnd.GetSafeHwnd(), CTsChannelListWnd::IDC_LIST_CONTAINER);
    HWND hList = hContainer != NULL ? ::GetDlgItem(hContainer, IDC_TS_CHANNEL_LIST) : NULL;
    std::vector<std::string> ids;
    const int nRows = hList != NULL ? (int)::SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0) : 0;
    for (int i = 0; i < nRows; ++i) {
        char szText[64] = "";
        LVITEMA item;
        memset(&item, 0, sizeof(item));
        item.pszText = szText;
        item.cchTextMax = sizeof(szText);
        ::SendMessageA(hList, LVM_GETITEMTEXTA, (WPARAM)i, (LPARAM)&item);
        ids.push_back(szText);
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

std::string JoinIds(const std::vector<std::string>& ids) {
    std::string strText;
    for (const std::string& s : ids)
        strText += (strText.empty() ? "" : " ") + s;
    return strText.empty() ? "nothing" : strText;
}

// The message loop, until the channel list shows the expected ids (1) or
// the run fails (0): a message box, the frame closed, WM_QUIT, or the
// deadline. Between rounds it sleeps in MsgWaitForMultipleObjects, so
// the deadline bounds the wait and each message ends it at once.
int RunUntilListed(CTsChannelListWnd& wnd, const CSampleObserver& observer,
                   std::vector<std::string> expected) {
    std::sort(expected.begin(), expected.end());
    const DWORD dwStart = ::GetTickCount();
    for (;;) {
        MSG msg;
        while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                printf("sample_host: the message loop was ended\n");
                return 0;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        if (!g_strBoxText.empty()) {
            printf("sample_host: the plug-in showed a message box: %s\n", g_strBoxText.c_str());
            return 0;
        }
        if (observer.m_bFrameClosed) {
            printf("sample_host: the plug-in closed the frame\n");
            return 0;
        }
        const std::vector<std::string> listed = ListedChannels(wnd);
        if (listed == expected) {
            printf("sample_host: the channel list shows %s\n", JoinIds(listed).c_str());
            return 1;
        }
        const DWORD dwSpent = ::GetTickCount() - dwStart;
        if (dwSpent >= kDeadlineMs) {
            printf("sample_host: after %lu ms the channel list shows %s, not %s\n",
                   (unsigned long)dwSpent, JoinIds(listed).c_str(), JoinIds(expected).c_str());
            return 0;
        }
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, kDeadlineMs - dwSpent, QS_ALLINPUT);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        fprintf(stderr, "usage: sample_host <server address> <port> <channel id>...\n");
        return 2;
    }
    const long nPort = strtol(argv[2], NULL, 10);
    if (nPort < 1 || nPort > 65535) {
        fprintf(stderr, "sample_host: no port '%s'\n", argv[2]);
        return 2;
    }
    const std::vector<std::string> expected(argv + 3, argv + argc);
    EnterProgramFolder();

    // The application object first: the framework's windows, its resource
    // chain (the plug-in's string tables) and the main window hang on it.
    CWinApp app("sample_host");
    AfxSetMessageBoxHook(&AnswerBox, NULL);

    // The user's records. The window keeps pointers to them from Create on,
    // so they outlive it. TsCopyField (the plug-in's TsCopyField.h) cuts
    // each text to its field's width.
    CTsMember member;
    TsCopyField(member.m_szId, "sample");
    TsCopyField(member.m_szNick, "Sample user");
    TsCopyField(member.m_szAvatar, "sample-avatar");
    TsCopyField(member.m_szGrade, "B");
    member.m_nLevel = 5;
    CTsGameInfo gameInfo;
    TsCopyField(gameInfo.m_szGameId, "TETRIS");
    TsCopyField(gameInfo.m_szGameCode, "RNKTET"); // the catalogue's section
    CTsGameRecord gameRecord;
    gameRecord.m_nRating = 1500;
    CTsCfgSetting cfgSetting;
    TsCopyField(cfgSetting.m_szSiteCode, "hst"); // the catalogue is tetrishst.tsg
    TsCopyField(cfgSetting.m_szAdUrl, "None");   // no ad view
    CTsTitleInfo titleInfo;
    titleInfo.m_nLevel = member.m_nLevel;
    titleInfo.m_nRating = gameRecord.m_nRating;

    // The lobby frame, which is also the main window that the plug-in shows
    // when it has loaded. Its header band ends where the lists begin.
    CSampleObserver observer;
    CTsLobbyFrame frame;
    frame.m_nHeaderTop = 96;
    frame.m_nHeaderHeight = 28;
    frame.SetObserver(&observer);
    if (!frame.CreateFrame("peltora sample host", 800, 600)) {
        printf("sample_host: the lobby frame could not be created\n");
        return 1;
    }
    app.m_pMainWnd = &frame;
    frame.ShowWindow(SW_SHOW);

    // The plug-in's window: records before Create, which AttachChild calls.
    CTsChannelListWnd* pWnd = new CTsChannelListWnd;
    pWnd->m_pMember = &member;
    pWnd->m_pGameInfo = &gameInfo;
    pWnd->m_pGameRecord = &gameRecord;
    pWnd->m_pCfgSetting = &cfgSetting;
    pWnd->m_pTitleInfo = &titleInfo;
    pWnd->m_dwOption = 0;
    pWnd->m_pszRegKey = kRegKey;
    int bPassed = 0;
    if (!frame.AttachChild(pWnd, 0, 0)) {
        printf("sample_host: the channel-list window could not be created\n");
    } else if (pWnd->m_btnJoin.GetSafeHwnd() == NULL || pWnd->m_btnRefresh.GetSafeHwnd() == NULL ||
               pWnd->m_pInfoImage == NULL) {
        // A button without its image is not made; the picture stays null.
        printf("sample_host: the plug-in's images did not load from .\\Images\\ "
               "(bncljoin.tsi %s, bnclref.tsi %s, cnlstinfo.tsi %s)\n",
               pWnd->m_btnJoin.GetSafeHwnd() != NULL ? "loaded" : "missing",
               pWnd->m_btnRefresh.GetSafeHwnd() != NULL ? "loaded" : "missing",
               pWnd->m_pInfoImage != NULL ? "loaded" : "missing");
    } else {
        // The start: the first activation with the start record.
        __tag_GameString start;
        start.strGameString = MakeGameString(argv[1], (unsigned short)nPort).c_str();
        start.dwReserved = 0;
        frame.Activate(TSACT_EX | TSACT_ON, &start);
        bPassed = RunUntilListed(*pWnd, observer, expected);
    }

    // Teardown: the window (its WM_DESTROY frees its records and child
    // windows), then its object, then the frame.
    if (pWnd->GetSafeHwnd() != NULL)
        pWnd->DestroyWindow();
    frame.DetachChild();
    delete pWnd;
    app.m_pMainWnd = NULL;
    frame.SetObserver(NULL);
    frame.DestroyWindow();
    AfxSetMessageBoxHook(NULL, NULL);
    // The sample's own key (a real client keeps its key).
    ::RegDeleteKeyA(HKEY_CURRENT_USER, kRegKey);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\PeltoraSample");
    return bPassed ? 0 : 1;
}
