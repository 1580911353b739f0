// Test support for the channel-list window: game strings built with the
// message library, a window subclass that writes its virtual steps into the
// test host's log, and a fixture with a host around one such window.
#pragma once

#include <afxwin.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <TsFence.h>
#include <TsTestHost.h>

#include "ChannelListWnd.h"

// Address and port of the channel-list server in the test game strings.
extern const char kListServerIp[];
const unsigned short kListServerPort = 9100;

// A rendered host game string addressed to the test server. pszGameId null
// leaves keyGameId out.
std::string MakeGameString(const char* pszGameId, unsigned short nPort = kListServerPort);

// The same with an automatic join: keyChannelId, and keyIPAddress unless
// pszIp is null, with port and room limits.
std::string MakeAutoJoinGameString(const char* pszGameId, const char* pszChannelId,
                                   const char* pszIp, int nPort = 7001, int nMaxRoom = 30,
                                   int nMaxRoomMembers = 6, int nMaxRoomViewers = 2,
                                   unsigned short nServerPort = kListServerPort);

// A folder of the test's own for catalogue files, beside the executable.
// Enter makes it the current directory; the destructor goes back, deletes
// the files written and the folder.
class CTestCatalogueFolder {
public:
    explicit CTestCatalogueFolder(const char* pszName);
    ~CTestCatalogueFolder();
    // Writes catalogue sFile: a section [OTHER] of one group, then section
    // sSection with NUM (the line count unless sNum says otherwise) and the
    // lines as keys 1..n.
    void Write(const std::string& sFile, const std::string& sSection,
               const std::vector<std::string>& lines, const std::string& sNum = std::string());
    void Enter();
    void Leave();
    // Deletes the files written so far.
    void Clear();

private:
    std::string m_sHome;              // the executable's folder
    std::string m_sFolder;            // this folder
    std::vector<std::string> m_files; // files written here
};

// The keys of a rendered message, in the order they were added.
std::vector<std::string> MessageKeys(const std::string& sMessage);

// The window with its virtual steps logged into the host's log:
//   "DoExActive|<b>", "DoActive|<b>", "hook|wnd", "hook|group", "hook|channel",
//   "dispatch|<service>|<command>|<sub id>" for every message dispatched.
// m_nFailHook (1 wnd, 2 group, 3 channel) makes that hook return 0.
class CLoggingChannelListWnd : public CTsChannelListWnd {
public:
    explicit CLoggingChannelListWnd(CTsTestHost* pHost) : m_pHost(pHost), m_nFailHook(0) {}

    virtual int DoExActive(int bActive);
    virtual int DoActive(int bActive);
    virtual int SetChannelListWndSetting();
    virtual int SetChannelGroupListSetting();
    virtual int SetChannelListSetting();
    virtual int DispatchServices(CKelpParser& parser);

    CTsTestHost* m_pHost; // where the steps are logged
    int m_nFailHook;      // hook that fails, 0 none
};

// The same window in fenced memory (TsFence.h): once deleted, any use of
// the object faults at once.
class CFencedChannelListWnd : public CLoggingChannelListWnd {
public:
    using CLoggingChannelListWnd::CLoggingChannelListWnd;
    static void* operator new(size_t nSize) { return TsFencedAlloc(nSize); }
    static void operator delete(void* p) { TsFencedFree(p); }
};

// ::KillTimer's answer: true when the timer was set (it is gone afterwards).
bool KillTimerWasSet(CWnd& wnd, UINT_PTR nId);

// A host around a CLoggingChannelListWnd. The ad address is "None" unless a
// test sets another before Create().
class ChannelListTest : public ::testing::Test {
protected:
    void SetUp() override;
    // Creates the frame, unless it stands already, and the window (the
    // window's Create).
    void Create();
    // Create() and the first activation with sGameString; the log is
    // cleared first, so it holds what the activation did.
    void Start(const std::string& sGameString);
    // Expects the host's log to equal expected, entry by entry.
    void ExpectLog(const std::vector<std::string>& expected);
    // Destroys the window and puts a fresh one in its place in the same
    // frame, created when the frame exists. (Top-level windows are kept:
    // Wine without a window manager takes seconds to take one down.)
    void ReplaceWindow();
    // Sends WM_TIMER with nId straight to the window.
    void Tick(UINT_PTR nId);
    // Puts a CFencedChannelListWnd in the place of the window, owned by the
    // host, which deletes it as soon as its window is destroyed, the way
    // hosts that delete a child in PostNcDestroy do. Wnd() must not be
    // used once the host logged "deleted".
    void UseFencedWindow();

    std::unique_ptr<CLoggingChannelListWnd> m_pWnd; // owned here, outlives the host
    CTsTestHost m_host;
    CLoggingChannelListWnd& Wnd() { return *m_pWnd; }
};

// Texts of the English table that the window shows.
extern const char kLoadingText[];  // 17909
extern const char kAutoJoinText[]; // 17914
extern const char kCaptionText[];  // 17900
extern const char kInvalidText[];  // 17901

// Pixels of rc in a window's picture that are not clr.
int CountOtherThan(const TsCapture& a, const CRect& rc, COLORREF clr);

// The window rectangle of pWnd in its parent's client coordinates.
CRect RectInParent(CWnd* pWnd);

// The presence event's name for this process, computed here the way other
// processes would: the executable's path with '\\' turned into '_'.
std::string PresenceEventName();

// Whether a named event of that name exists now.
bool EventExists(const std::string& sName);
