// Long runs of the channel-list window against the real channel-list server:
// a thousand refreshes, group switches and activations, and each
// misbehaviour of the server a hundred times. Around each batch the
// process's kernel handles, GDI and USER objects and private memory are
// read; they must come back to where they were, within a small tolerance,
// and the window must still stand with its lists intact.
//
// Every wait pumps messages until the window has done what is waited for;
// the cap on a wait is only there so that a broken run ends.
#include "ServiceFixture.h"

#include <psapi.h>
#include <stdio.h>

#include <functional>

#include <TsLobbyMsg.h>

namespace {

// Rounds before the first reading, so that what the process allocates once
// (Winsock, caches, the heap's own growth) is in place before counting.
const int kWarmUp = 20;
// Cycles of each long batch, and rounds of each misbehaviour.
const int kCycles = 1000;
const int kRounds = 100;
// How far a count may drift over a batch. One object or handle left behind
// per cycle would show as hundreds; the slack absorbs what Wine itself
// creates or frees now and then.
const int kObjectSlack = 4;
// How far private memory may drift over a batch, in bytes. Wine reads it as
// the resident anonymous pages, so it moves in whole pages for reasons of
// its own; a leak of 256 bytes a cycle would still exceed it over a batch
// of a thousand.
const long long kMemorySlack = 256 * 1024;
// How far the heaps' bytes in use may drift over a batch: what the test
// host's own log keeps, and bounded tables of the libraries (the registry of
// stale socket notifications holds up to 64 entries) growing once.
const long long kHeapSlack = 4 * 1024;
// Cap on one wait, far above what any listing here takes.
const DWORD kWaitCapMs = 30000;

const char kReceiving[] = "splash-on|Receiving Channel data...|1";
const char kConnectFailed[] = "Cannot connect to server.";

// Private memory of the process: PrivateUsage. Wine answers 0 there (it
// counts only swapped-out pages), so then the committed private regions of
// the address space are summed instead, which is what Windows counts.
long long PrivateBytes() {
    PROCESS_MEMORY_COUNTERS_EX pmc;
    memset(&pmc, 0, sizeof(pmc));
    pmc.cb = sizeof(pmc);
    if (::GetProcessMemoryInfo(::GetCurrentProcess(), (PROCESS_MEMORY_COUNTERS*)&pmc,
                               sizeof(pmc)) &&
        pmc.PrivateUsage != 0)
        return (long long)pmc.PrivateUsage;
    SYSTEM_INFO si;
    ::GetSystemInfo(&si);
    long long llTotal = 0;
    MEMORY_BASIC_INFORMATION mbi;
    for (const char* p = (const char*)si.lpMinimumApplicationAddress;
         p < (const char*)si.lpMaximumApplicationAddress && ::VirtualQuery(p, &mbi, sizeof(mbi));
         p = (const char*)mbi.BaseAddress + mbi.RegionSize) {
        if (mbi.State == MEM_COMMIT && mbi.Type == MEM_PRIVATE)
            llTotal += (long long)mbi.RegionSize;
    }
    return llTotal;
}

// Bytes in use in every heap of the process, finer than the committed
// pages: a leak of a few bytes a cycle shows here first.
long long HeapBytes() {
    HANDLE heaps[64];
    const DWORD nHeaps = ::GetProcessHeaps(64, heaps);
    long long llTotal = 0;
    for (DWORD i = 0; i < nHeaps && i < 64; ++i) {
        if (!::HeapLock(heaps[i]))
            continue;
        PROCESS_HEAP_ENTRY entry;
        memset(&entry, 0, sizeof(entry));
        while (::HeapWalk(heaps[i], &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                llTotal += (long long)entry.cbData;
        ::HeapUnlock(heaps[i]);
    }
    return llTotal;
}

// What the process holds at one moment.
struct Reading {
    TsResourceCounts counts;
    long long llPrivate; // private bytes
    long long llHeap;    // bytes in use in the heaps
};

Reading Read() {
    Reading r;
    r.counts = CTsTestHost::CountResources();
    r.llPrivate = PrivateBytes();
    r.llHeap = HeapBytes();
    return r;
}

// Prints the two readings of a batch and expects them to agree within the
// tolerances.
void ExpectFlat(const char* pszBatch, const Reading& before, const Reading& after) {
    printf("[soak] %-24s handles %5d -> %5d  GDI %5d -> %5d  USER %4d -> %4d  "
           "private %7lld -> %7lld KiB  heap %9lld -> %9lld B\n",
           pszBatch, before.counts.nHandles, after.counts.nHandles, before.counts.nGdiObjects,
           after.counts.nGdiObjects, before.counts.nUserObjects, after.counts.nUserObjects,
           before.llPrivate / 1024, after.llPrivate / 1024, before.llHeap, after.llHeap);
    fflush(stdout);
    EXPECT_LE(after.counts.nHandles - before.counts.nHandles, kObjectSlack) << pszBatch;
    EXPECT_LE(after.counts.nGdiObjects - before.counts.nGdiObjects, kObjectSlack) << pszBatch;
    EXPECT_LE(after.counts.nUserObjects - before.counts.nUserObjects, kObjectSlack) << pszBatch;
    EXPECT_GT(before.llPrivate, 0) << pszBatch;
    EXPECT_LE(after.llPrivate - before.llPrivate, kMemorySlack) << pszBatch;
    EXPECT_LE(after.llHeap - before.llHeap, kHeapSlack) << pszBatch;
}

// The groups of the two games in the catalogues: TETRIS with four groups
// that list, TESTMIS with the good group and one per misbehaviour.
const char* const kTetrisGroups[] = {"T01", "T03", "T04", "T05"};
const size_t kTetrisRows[] = {3, 5, 2, 3}; // channels of each

// How a misbehaving listing ends.
enum Ending {
    kClosed, // the connection ends and the splash is hidden
    kSilent  // the request went out and nothing comes back: the listing's
             // deadline ends it
};

struct Misbehaviour {
    const char* pszName;
    const char* pszSubId; // group asked for
    bool bRefusingServer; // asked of the server that resets at accept
    Ending ending;
    size_t nRows;       // rows afterwards: 3 the good list kept, 2 replaced
    int nDispatches;    // messages dispatched
    const char* pszBox; // the one message box a round may show, or null for none
};

// Every misbehaviour of the server, each after a good listing of M-OK
// (three rows). Where a whole reply arrives it replaces the list (two rows);
// otherwise the good list stays. A reset at accept may reach the client
// before its connection is reported complete, and is then reported as a
// failed connection, or after it, and then ends the listing quietly.
const Misbehaviour kMisbehaviours[] = {
    {"refuse", "M-REFUSE", false, kClosed, 3, 0, NULL},
    {"refuse-at-accept", "M-OK", true, kClosed, 3, 0, kConnectFailed},
    {"silent", "M-SILENT", false, kSilent, 3, 0, kConnectFailed},
    {"close-before", "M-CLOSEPRE", false, kClosed, 3, 0, NULL},
    {"close-middle", "M-CLOSEMID", false, kClosed, 3, 0, NULL},
    {"garbage", "M-GARBAGE", false, kClosed, 3, 0, NULL},
    {"oversized", "M-OVERSIZE", false, kClosed, 3, 0, NULL},
    {"burst", "M-BURST", false, kClosed, 2, 3, NULL},
    {"trickle", "M-TRICKLE", false, kClosed, 2, 1, NULL},
    {"other-service", "M-OTHER", false, kClosed, 3, 1, NULL},
    {"slow", "M-SLOW", false, kClosed, 2, 1, NULL},
    {"reset", "M-RESET", false, kClosed, 2, 1, NULL},
};

} // namespace

class SoakTest : public ServiceTest {
protected:
    SoakTest() : m_nRefusingPort(0), m_nBoxRounds(0), m_nTestmisGroups(0) {}
    void SetUp() override {
        ServiceTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        std::vector<std::string> tetris;
        for (const char* pszSub : kTetrisGroups)
            tetris.push_back(std::string(pszSub) + ",Soak,0,0,0,0,A");
        m_folder.Write("tetrists1.tsg", "SVC", tetris);
        std::vector<std::string> testmis = {"M-OK,Normal,0,0,0,0,A"};
        for (const Misbehaviour& m : kMisbehaviours)
            if (!m.bRefusingServer)
                testmis.push_back(std::string(m.pszSubId) + ",Misbehaving,0,0,0,0,A");
        m_folder.Write("testmists1.tsg", "SVC", testmis);
        m_nTestmisGroups = (int)testmis.size();

        char szFile[MAX_PATH] = "";
        if (::GetEnvironmentVariableA("PELTORA_REFUSING_LISTSERVER_PORT_FILE", szFile, MAX_PATH) !=
            0) {
            std::ifstream in(szFile);
            in >> m_nRefusingPort;
        }
    }

    // Waits until the splash has been hidden since the log was cleared.
    bool WaitUntilListed() {
        return m_host.PumpUntil([this] { return m_host.CountLog("splash-off") > 0; }, kWaitCapMs);
    }
    // Waits until the request has gone out on a connection that stands.
    bool WaitUntilAsked() {
        return m_host.PumpUntil([this] { return m_host.CountLog(kReceiving) > 0; }, kWaitCapMs);
    }

    // Starts the switch to pszSubId, with the log cleared first.
    void BeginSwitch(const char* pszSubId) {
        CTsChannelGroupListData* pGroup = Group(pszSubId);
        ASSERT_NE(pGroup, (CTsChannelGroupListData*)NULL) << pszSubId;
        m_host.ClearLog();
        ASSERT_TRUE(Wnd().SwitchChannelGroup(pGroup)) << pszSubId;
    }
    // Switches to pszSubId and waits until the listing is over.
    void Switch(const char* pszSubId) {
        BeginSwitch(pszSubId);
        ASSERT_TRUE(WaitUntilListed()) << pszSubId << "\n" << m_host.LogText();
    }
    void Refresh() {
        m_host.ClearLog();
        Wnd().SendMessage(WM_COMMAND,
                          MAKEWPARAM(CTsChannelListWnd::IDC_CHANNEL_REFRESH, BN_CLICKED),
                          (LPARAM)Wnd().m_btnRefresh.GetSafeHwnd());
        ASSERT_TRUE(WaitUntilListed()) << m_host.LogText();
    }
    // Leaves the front and comes back through the frame: coming back
    // refreshes the list.
    void Reactivate() {
        m_host.ClearLog();
        m_host.Activate(0);
        ASSERT_EQ(m_host.CountLog("DoActive|0"), 1) << m_host.LogText();
        ASSERT_EQ(Wnd().m_bActive, 0);
        m_host.ClearLog();
        m_host.Activate(TSACT_ON);
        ASSERT_EQ(Wnd().m_bActive, 1);
        ASSERT_TRUE(WaitUntilListed()) << m_host.LogText();
    }

    // The window stands, the splash is hidden, both lists are as expected.
    void ExpectIntact(int nGroups, size_t nRows) {
        ASSERT_TRUE(::IsWindow(Wnd().GetSafeHwnd()));
        EXPECT_TRUE(SplashHidden()) << m_host.LogText();
        EXPECT_EQ(Wnd().m_listGroup.GetCount(), nGroups);
        ASSERT_NE(Wnd().m_wndListCtrl.m_pChannelGroupListCtrl, (CTsChannelGroupListCtrl*)NULL);
        EXPECT_EQ(Wnd().m_wndListCtrl.m_pChannelGroupListCtrl->GetItemCount(), nGroups);
        EXPECT_EQ(ChannelRows().size(), nRows);
        EXPECT_EQ((size_t)Wnd().m_listChannel.GetCount(), nRows);
    }

    // Runs kWarmUp cycles, reads, runs kCycles more and reads again; stops
    // at the first failure.
    void RunBatch(const char* pszName, const std::function<void(int)>& cycle) {
        for (int i = 0; i < kWarmUp && !HasFailure(); ++i)
            cycle(i);
        const Reading before = Read();
        for (int i = 0; i < kCycles && !HasFailure(); ++i)
            cycle(kWarmUp + i);
        const Reading after = Read();
        ExpectFlat(pszName, before, after);
    }

    // One round of a misbehaviour: a good listing of M-OK, then the
    // misbehaving one, and what it leaves.
    void Round(const Misbehaviour& m) {
        Wnd().m_nServerPort = m_nPort;
        Switch("M-OK");
        ASSERT_EQ(ChannelRows().size(), 3u) << m_host.LogText();
        if (m.bRefusingServer)
            Wnd().m_nServerPort = m_nRefusingPort;
        m_host.ClearBoxes();
        BeginSwitch(m.pszSubId);
        if (m.ending == kSilent) {
            ASSERT_TRUE(WaitUntilAsked()) << m_host.LogText();
            m_host.Pump();
            EXPECT_FALSE(SplashHidden()) << m_host.LogText();
            m_host.AdvanceTicks(CTsChannelListWnd::LISTING_TIMEOUT + 1);
            Tick(CTsChannelListWnd::TIMER_LISTING);
        }
        ASSERT_TRUE(WaitUntilListed()) << m_host.LogText();
        EXPECT_TRUE(SplashHidden()) << m_host.LogText();
        ASSERT_TRUE(::IsWindow(Wnd().GetSafeHwnd()));
        EXPECT_EQ(ChannelRows().size(), m.nRows) << m_host.LogText();
        EXPECT_EQ(m_host.CountLog("dispatch|"), m.nDispatches) << m_host.LogText();
        const std::vector<TsHostBox>& boxes = m_host.GetBoxes();
        if (m.pszBox != NULL && boxes.size() == 1) {
            EXPECT_EQ(boxes.back().strText, m.pszBox);
            ++m_nBoxRounds;
        } else {
            EXPECT_TRUE(boxes.empty()) << m_host.LogText();
        }
    }

    int m_nRefusingPort;  // the server that resets at accept, 0 none
    int m_nBoxRounds;     // rounds that showed the misbehaviour's box
    int m_nTestmisGroups; // groups in the TESTMIS catalogue
};

// A thousand presses of the refresh button on the first group.
TEST_F(SoakTest, RefreshCycles) {
    StartGame("TETRIS");
    ASSERT_EQ(ChannelRows().size(), 3u) << m_host.LogText();
    RunBatch("refresh", [this](int) {
        Refresh();
        EXPECT_EQ(ChannelRows().size(), 3u);
    });
    ExpectIntact(4, 3);
}

// A thousand group switches, round the four groups of TETRIS.
TEST_F(SoakTest, GroupSwitches) {
    StartGame("TETRIS");
    RunBatch("group switch", [this](int nCycle) {
        const int nGroup = 1 + nCycle % 3; // T03, T04, T05, T03, ...
        Switch(kTetrisGroups[nGroup]);
        EXPECT_EQ(ChannelRows().size(), kTetrisRows[nGroup]) << kTetrisGroups[nGroup];
    });
    Switch("T01");
    ExpectIntact(4, 3);
}

// A thousand deactivations and activations through the frame; each
// activation lists the current group again.
TEST_F(SoakTest, Activations) {
    StartGame("TETRIS");
    RunBatch("deactivate/activate", [this](int) {
        Reactivate();
        EXPECT_EQ(m_host.CountLog("dispatch|ChannelList|GetChannelList|T01"), 1);
        EXPECT_EQ(ChannelRows().size(), 3u);
    });
    ExpectIntact(4, 3);
}

class SoakMisbehaviourTest : public SoakTest, public ::testing::WithParamInterface<Misbehaviour> {};

// Each misbehaviour a hundred times after a good listing: the window stands,
// its splash is hidden (a silent server's at the listing's deadline), the
// groups are all there and the channel list is what the table says.
TEST_P(SoakMisbehaviourTest, LeavesTheWindowSound) {
    const Misbehaviour& m = GetParam();
    if (m.bRefusingServer && m_nRefusingPort <= 0)
        GTEST_SKIP() << "no refusing channel-list server (run through ctest)";
    StartGame("TESTMIS");
    ASSERT_EQ(ChannelRows().size(), 3u) << m_host.LogText();
    const int kMisbehaviourWarmUp = 5;
    for (int i = 0; i < kMisbehaviourWarmUp && !HasFailure(); ++i)
        Round(m);
    const Reading before = Read();
    for (int i = 0; i < kRounds && !HasFailure(); ++i)
        Round(m);
    const Reading after = Read();
    ExpectFlat(m.pszName, before, after);
    if (m.pszBox != NULL)
        printf("[soak] %-24s %d of %d rounds showed \"%s\"\n", m.pszName, m_nBoxRounds,
               kMisbehaviourWarmUp + kRounds, m.pszBox);

    ExpectIntact(m_nTestmisGroups, m.nRows);
}

INSTANTIATE_TEST_SUITE_P(Server, SoakMisbehaviourTest, ::testing::ValuesIn(kMisbehaviours),
                         [](const ::testing::TestParamInfo<Misbehaviour>& info) {
                             std::string sName = info.param.pszName;
                             for (char& ch : sName)
                                 if (ch == '-')
                                     ch = '_';
                             return sName;
                         });
