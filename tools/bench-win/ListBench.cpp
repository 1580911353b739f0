// list_bench: what filling and sorting the channel list costs as it grows.
//
// Part 1, the container alone, bound to a hidden window as the list tests
// do, for n = 1,000 / 2,000 / 4,000 / 10,000 channels (ids in a shuffled
// order, user counts with many ties):
//   - adding the rows through the container, one by one and in a batch
//     (BeginChannelBatch/EndChannelBatch, as a reply adds them);
//   - sorting on column 0 (ids) and column 1 (users), and a header click
//     on column 1 with the paint that follows;
//   - the same inserts sent bare to a list view of the same kind
//     (LVM_INSERTITEM + two LVM_SETITEMTEXT per row), the reference;
//   - for the smaller n, the earlier way as a second reference: a search
//     of the whole list (LVM_FINDITEM) before every insert, and a numeric
//     comparison that finds both rows by label and reads their texts.
// Part 2, the channel-list window in the test host: a reply of 100 /
// 1,000 / 10,000 channels handed to ProcessGetChannelList, timed from
// arrival to the sorted list painted.
// Part 3, the longest time the window does not answer while a
// 10,000-channel reply is processed: a second thread sends WM_NULL with
// SendMessageTimeout in a loop and records its longest wait.
// Part 4, only with a channel-list server (PELTORA_LISTSERVER_PORT_FILE
// names the file holding its port; tools/bench.sh starts one with
// tools/bench-win/bench-channels.txt): a group click to the painted rows of
// its 100 channels, against a bare connect + request + reply round trip to
// the same server.
//
// Figures are printed, never checked; compare the ratios, which are
// measured against references in the same run.
// Winsock before windows.h, which the framework headers bring in.
#include <winsock2.h>

#include <KelpParser.h>
#include <ListCtrlWnd.h>

#include "BenchWindow.h"

#include <algorithm>
#include <fstream>
#include <memory>
#include <random>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <vector>

namespace {

// Seconds since an arbitrary start, from the performance counter.
double Now() {
    static LARGE_INTEGER freq = {};
    if (freq.QuadPart == 0)
        ::QueryPerformanceFrequency(&freq);
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return (double)t.QuadPart / (double)freq.QuadPart;
}

// Handles every waiting message of this thread.
void PumpWaiting() {
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// n channel records: ids CH000001.. in a shuffled order, users 0..99 (so
// many ties), capacity 300.
std::vector<std::unique_ptr<CTsChannelListData>> MakeChannels(int n) {
    std::vector<int> order((size_t)n);
    for (int i = 0; i < n; i++)
        order[(size_t)i] = i + 1;
    std::mt19937 rng(12345u + (unsigned)n);
    std::shuffle(order.begin(), order.end(), rng);
    std::vector<std::unique_ptr<CTsChannelListData>> channels;
    for (int i = 0; i < n; i++) {
        CTsChannelListData* p = new CTsChannelListData;
        char szId[32];
        snprintf(szId, sizeof(szId), "CH%06d", order[(size_t)i]);
        TsCopyField(p->m_szChannelId, szId);
        TsCopyField(p->m_szChannelName, szId);
        p->m_nMemberCnt = (int)(rng() % 100u);
        p->m_nMaxMember = 300;
        channels.emplace_back(p);
    }
    return channels;
}

// The hidden top-level window standing in for the channel-list window.
class CHiddenTop : public CWnd {
public:
    int CreateTop() {
        LPCTSTR pszClass =
            AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), ::GetSysColorBrush(COLOR_WINDOW));
        return CreateEx(0, pszClass, "list_bench", WS_POPUP, 0, 0, 640, 700, NULL, NULL);
    }
};

// The earlier numeric comparison: both rows found by label, their texts
// read and converted, inside the sort callback.
int CALLBACK EarlierNumericCompare(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort) {
    CTsChannelListCtrl* pList = (CTsChannelListCtrl*)lParamSort;
    const CTsChannelListData* pA = (const CTsChannelListData*)lParam1;
    const CTsChannelListData* pB = (const CTsChannelListData*)lParam2;
    LVFINDINFO find;
    ZeroMemory(&find, sizeof(find));
    find.flags = LVFI_STRING;
    find.psz = pA->m_szChannelId;
    const int nA = pList->FindItem(&find, -1);
    find.psz = pB->m_szChannelId;
    const int nB = pList->FindItem(&find, -1);
    if (nA < 0 || nB < 0)
        return 0;
    const long a = strtol(pList->GetItemText(nA, 1), NULL, 10);
    const long b = strtol(pList->GetItemText(nB, 1), NULL, 10);
    return a > b ? 1 : 0;
}

struct ContainerFigures {
    int n;
    double dFill, dFillBatch, dSort0, dSort1, dClick1, dBare, dBareBatch;
    double dEarlierFill, dEarlierSort1; // < 0: not measured
};

// One bench list view of the channel list's kind: report, owner-drawn,
// three columns, as a child of pParent.
HWND CreateBareList(CWnd* pParent) {
    const DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | LVS_REPORT |
                          LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDRAWFIXED;
    HWND hList = ::CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", dwStyle, 0, 0, 230, 553,
                                   pParent->GetSafeHwnd(), (HMENU)(INT_PTR)40000, NULL, NULL);
    const char* titles[3] = {"Channel", "Users", "Max"};
    const int widths[3] = {120, 42, 42};
    for (int i = 0; i < 3; i++) {
        LVCOLUMNA col;
        ZeroMemory(&col, sizeof(col));
        col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        col.fmt = i == 0 ? LVCFMT_LEFT : LVCFMT_RIGHT;
        col.cx = widths[i];
        col.pszText = (LPSTR)titles[i];
        ::SendMessageA(hList, LVM_INSERTCOLUMNA, (WPARAM)i, (LPARAM)&col);
    }
    return hList;
}

// Bare inserts of the records into hList: the reference.
double BareInserts(HWND hList, const std::vector<std::unique_ptr<CTsChannelListData>>& channels,
                   bool bBatch) {
    ::SendMessageA(hList, LVM_DELETEALLITEMS, 0, 0);
    const double t0 = Now();
    if (bBatch)
        ::SendMessageA(hList, WM_SETREDRAW, FALSE, 0);
    for (const auto& c : channels) {
        LVITEMA item;
        ZeroMemory(&item, sizeof(item));
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = (int)::SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0);
        item.pszText = c->m_szChannelId;
        item.lParam = (LPARAM)c.get();
        const int nItem = (int)::SendMessageA(hList, LVM_INSERTITEMA, 0, (LPARAM)&item);
        char szNumber[16];
        LVITEMA sub;
        ZeroMemory(&sub, sizeof(sub));
        sub.pszText = szNumber;
        snprintf(szNumber, sizeof(szNumber), "%d", c->m_nMemberCnt);
        sub.iSubItem = 1;
        ::SendMessageA(hList, LVM_SETITEMTEXTA, (WPARAM)nItem, (LPARAM)&sub);
        snprintf(szNumber, sizeof(szNumber), "%d", c->m_nMaxMember);
        sub.iSubItem = 2;
        ::SendMessageA(hList, LVM_SETITEMTEXTA, (WPARAM)nItem, (LPARAM)&sub);
    }
    if (bBatch) {
        ::SendMessageA(hList, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(hList, NULL, TRUE);
    }
    return Now() - t0;
}

ContainerFigures MeasureContainer(int n, CHiddenTop& top, CTsListCtrlWnd& wnd, HWND hBare) {
    ContainerFigures f;
    f.n = n;
    f.dEarlierFill = f.dEarlierSort1 = -1.0;
    const auto channels = MakeChannels(n);
    CTsChannelListCtrl& list = *wnd.m_pChannelListCtrl;

    wnd.DeleteAllChannelList();
    double t0 = Now();
    for (const auto& c : channels)
        wnd.AddChannelList(c.get());
    f.dFill = Now() - t0;

    wnd.DeleteAllChannelList();
    t0 = Now();
    wnd.BeginChannelBatch();
    for (const auto& c : channels)
        wnd.AddChannelList(c.get());
    wnd.EndChannelBatch();
    f.dFillBatch = Now() - t0;

    t0 = Now();
    list.SortColumn(0, 1);
    f.dSort0 = Now() - t0;
    t0 = Now();
    list.SortColumn(1, 1);
    f.dSort1 = Now() - t0;

    // A header click on column 1 (it descends now), then its paint.
    NMLISTVIEW nm;
    ZeroMemory(&nm, sizeof(nm));
    nm.hdr.hwndFrom = list.GetSafeHwnd();
    nm.hdr.idFrom = list.GetDlgCtrlID();
    nm.hdr.code = LVN_COLUMNCLICK;
    nm.iItem = -1;
    nm.iSubItem = 1;
    t0 = Now();
    wnd.SendMessage(WM_NOTIFY, nm.hdr.idFrom, (LPARAM)&nm);
    list.UpdateWindow();
    f.dClick1 = Now() - t0;

    f.dBare = BareInserts(hBare, channels, false);
    f.dBareBatch = BareInserts(hBare, channels, true);

    if (n <= 4000) {
        // The earlier fill: the whole list searched before every insert.
        wnd.DeleteAllChannelList();
        t0 = Now();
        for (const auto& c : channels) {
            LVFINDINFO find;
            ZeroMemory(&find, sizeof(find));
            find.flags = LVFI_STRING;
            find.psz = c->m_szChannelId;
            if (list.FindItem(&find, -1) >= 0)
                continue;
            wnd.AddChannelList(c.get());
        }
        f.dEarlierFill = Now() - t0;
    }
    if (n <= 2000) {
        list.SortColumn(0, 1);
        t0 = Now();
        list.SortItems(EarlierNumericCompare, (DWORD_PTR)&list);
        f.dEarlierSort1 = Now() - t0;
    }
    wnd.DeleteAllChannelList();
    PumpWaiting();
    UNUSED_ALWAYS(top);
    return f;
}

void PrintMs(double d) {
    if (d < 0)
        printf("  %10s", "-");
    else
        printf("  %10.1f", d * 1000.0);
}

void RunContainer() {
    CHiddenTop top;
    CTsListCtrlWnd wnd;
    CTsChannelGroupListSetting groupSetting;
    CTsChannelListSetting channelSetting;
    CTsGroupRecordList groupRecords;
    CTsChannelRecordList channelRecords;
    if (!top.CreateTop() || !wnd.Create(&top, 30000)) {
        fprintf(stderr, "list_bench: cannot create the container\n");
        return;
    }
    wnd.SetListCtrlWnd(&groupRecords, &groupSetting, &channelRecords, &channelSetting);
    wnd.ShowWindow(SW_SHOW);
    HWND hBare = CreateBareList(&top);

    const int sizes[4] = {1000, 2000, 4000, 10000};
    ContainerFigures figures[4];
    for (int i = 0; i < 4; i++)
        figures[i] = MeasureContainer(sizes[i], top, wnd, hBare);

    printf("list_bench: the container on a hidden window, milliseconds\n");
    printf("  %6s  %10s  %10s  %10s  %10s  %10s  %10s  %10s  %10s  %10s\n", "n", "fill", "batch",
           "sort col0", "sort col1", "click+pnt", "bare", "bare batch", "old fill", "old col1");
    for (const ContainerFigures& f : figures) {
        printf("  %6d", f.n);
        PrintMs(f.dFill);
        PrintMs(f.dFillBatch);
        PrintMs(f.dSort0);
        PrintMs(f.dSort1);
        PrintMs(f.dClick1);
        PrintMs(f.dBare);
        PrintMs(f.dBareBatch);
        PrintMs(f.dEarlierFill);
        PrintMs(f.dEarlierSort1);
        printf("\n");
    }
    printf(
        "  (fill: rows added one by one; batch: between Begin/EndChannelBatch; click+pnt: a\n"
        "   header click on column 1 and the paint after; old: the earlier search-before-insert\n"
        "   fill and label-finding numeric comparison, only where they end in reasonable time)\n");
    printf("  ratios:\n");
    for (const ContainerFigures& f : figures) {
        const double dFillSort = f.dFillBatch + f.dSort0;
        printf("    n=%-6d (batch fill + sort col0) / bare = %.2f   / bare batch = %.2f", f.n,
               dFillSort / f.dBare, dFillSort / f.dBareBatch);
        if (f.dEarlierFill > 0)
            printf("   old fill / fill = %.1f", f.dEarlierFill / f.dFill);
        printf("\n");
    }
    printf("    t(10k)/t(1k): fill %.1f, batch fill %.1f, sort col1 %.1f, bare %.1f\n",
           figures[3].dFill / figures[0].dFill, figures[3].dFillBatch / figures[0].dFillBatch,
           figures[3].dSort1 / figures[0].dSort1, figures[3].dBare / figures[0].dBare);
    ::DestroyWindow(hBare);
    wnd.DestroyWindow();
    top.DestroyWindow();
}

// ---- The window in the test host ----

// A successful channel-list reply of n channels.
std::unique_ptr<CKelpParser> MakeReply(int n) {
    std::unique_ptr<CKelpParser> reply(
        new CKelpParser(G::serviceChannelList, G::commandGetChannelList, NULL, 1, NULL, 0));
    reply->AddValue(G::keyResult, G::valueSuccess);
    reply->AddValue(G::keySubId, "S1");
    reply->AddValue(G::keyChannelNum, n);
    const auto channels = MakeChannels(n);
    char szKey[64];
    for (int i = 1; i <= n; i++) {
        const CTsChannelListData& c = *channels[(size_t)i - 1];
        snprintf(szKey, sizeof(szKey), "%s%d", G::keyChannelId, i);
        reply->AddValue(szKey, c.m_szChannelId);
        snprintf(szKey, sizeof(szKey), "%s%d", G::keyChannelName, i);
        reply->AddValue(szKey, c.m_szChannelName);
        snprintf(szKey, sizeof(szKey), "%s%d", G::keyIPAddress, i);
        reply->AddValue(szKey, "127.0.0.1");
        const char* const numbers[] = {G::keyPort,    G::keyMemberCnt,      G::keyMaxMember,
                                       G::keyMaxRoom, G::keyMaxRoomMembers, G::keyMaxRoomViewers};
        const int values[] = {7000 + i, c.m_nMemberCnt, c.m_nMaxMember, 50, 4, 2};
        for (int k = 0; k < 6; ++k) {
            snprintf(szKey, sizeof(szKey), "%s%d", numbers[k], i);
            reply->AddValue(szKey, values[k]);
        }
    }
    return reply;
}

// Processes the reply and paints: the time from arrival to the sorted
// list on the screen.
double ProcessAndPaint(CTsChannelListWnd& wnd, CKelpParser& reply) {
    const double t0 = Now();
    wnd.ProcessGetChannelList(reply);
    wnd.UpdateWindow();
    if (wnd.m_wndListCtrl.m_pChannelListCtrl != NULL)
        wnd.m_wndListCtrl.m_pChannelListCtrl->UpdateWindow();
    PumpWaiting();
    return Now() - t0;
}

// The second thread: WM_NULL to the window until told to stop, keeping the
// longest wait for an answer.
struct Prober {
    HWND hWnd;
    volatile LONG bStop;
    double dLongest;
    int nProbes;
};

DWORD WINAPI ProbeWindow(LPVOID pParam) {
    Prober* p = (Prober*)pParam;
    while (!p->bStop) {
        const double t0 = Now();
        DWORD_PTR dwResult = 0;
        ::SendMessageTimeoutA(p->hWnd, WM_NULL, 0, 0, SMTO_NORMAL, 120000, &dwResult);
        const double d = Now() - t0;
        if (d > p->dLongest)
            p->dLongest = d;
        p->nProbes++;
        ::Sleep(1);
    }
    return 0;
}

// Handles messages for nMs milliseconds.
void PumpFor(DWORD nMs) {
    const DWORD dwStart = ::GetTickCount();
    for (;;) {
        PumpWaiting();
        const DWORD dwSpent = ::GetTickCount() - dwStart;
        if (dwSpent >= nMs)
            break;
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, nMs - dwSpent, QS_ALLINPUT);
    }
}

void RunWindow() {
    CTsChannelListWnd wnd;
    CTsTestHost host;
    const char* const config[] = {"member.nick", "Lists", NULL};
    if (!BenchStartWindow(host, wnd, BenchGameString(), "list_bench", config))
        return;
    wnd.UpdateWindow();
    host.Pump();

    const int sizes[3] = {100, 1000, 10000};
    double times[3];
    for (int i = 0; i < 3; i++) {
        auto reply = MakeReply(sizes[i]);
        times[i] = ProcessAndPaint(wnd, *reply);
    }
    printf("list_bench: a reply through ProcessGetChannelList, arrival to sorted painted list\n");
    for (int i = 0; i < 3; i++)
        printf("  %6d channels: %10.1f ms  (%d rows shown)\n", sizes[i], times[i] * 1000.0,
               sizes[i] == 10000 && wnd.m_wndListCtrl.m_pChannelListCtrl != NULL
                   ? wnd.m_wndListCtrl.m_pChannelListCtrl->GetItemCount()
                   : sizes[i]);
    printf("  t(10k)/t(1k) = %.1f\n", times[2] / times[1]);

    // The longest wait for an answer, idle and while 10,000 channels arrive.
    for (int bWithReply = 0; bWithReply <= 1; bWithReply++) {
        auto reply = MakeReply(10000);
        Prober prober = {wnd.GetSafeHwnd(), 0, 0.0, 0};
        HANDLE hThread = ::CreateThread(NULL, 0, ProbeWindow, &prober, 0, NULL);
        PumpFor(200);
        if (bWithReply)
            ProcessAndPaint(wnd, *reply);
        PumpFor(200);
        ::InterlockedExchange(&prober.bStop, 1);
        while (::MsgWaitForMultipleObjects(1, &hThread, FALSE, INFINITE, QS_ALLINPUT) !=
               WAIT_OBJECT_0)
            PumpWaiting();
        ::CloseHandle(hThread);
        printf("  longest wait for WM_NULL %s: %.1f ms (%d probes)\n",
               bWithReply ? "while a 10,000-channel reply is processed" : "idle",
               prober.dLongest * 1000.0, prober.nProbes);
    }
    host.DestroyWindow();
}

// ---- A group click against a bare round trip, with a real server ----

const int kRoundTrips = 21; // each side's runs; the median is printed

// The port in the file PELTORA_LISTSERVER_PORT_FILE names, or 0.
int ServerPort() {
    char szFile[MAX_PATH] = "";
    if (::GetEnvironmentVariableA("PELTORA_LISTSERVER_PORT_FILE", szFile, MAX_PATH) == 0)
        return 0;
    std::ifstream in(szFile);
    int nPort = 0;
    in >> nPort;
    return nPort;
}

bool ReceiveAll(SOCKET s, char* pBuffer, int nSize) {
    for (int nDone = 0; nDone < nSize;) {
        const int n = ::recv(s, pBuffer + nDone, nSize - nDone, 0);
        if (n <= 0)
            return false;
        nDone += n;
    }
    return true;
}

// One blocking round trip: connect, one framed request for the group, the
// framed reply read and parsed. The channels read, or -1.
int BareRoundTrip(int nPort, const char* pszSubId) {
    CKelpParser request(G::serviceChannelList, G::commandGetChannelList, NULL, 1, NULL, 0);
    request.AddValue(G::keyGameId, "TETRIS");
    request.AddValue(G::keySubId, pszSubId);
    char* pszText = NULL;
    int nLength = 0;
    if (!request.GetURL(pszText, nLength))
        return -1;
    std::vector<char> frame(4 + (size_t)nLength);
    const u_long nNetLength = htonl((u_long)nLength);
    memcpy(frame.data(), &nNetLength, 4);
    memcpy(frame.data() + 4, pszText, (size_t)nLength);

    const SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET)
        return -1;
    sockaddr_in addr;
    ZeroMemory(&addr, sizeof(addr));
    addr.sin_family = AF_INET;
    addr.sin_port = htons((u_short)nPort);
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int nChannels = -1;
    u_long nReplyLength = 0;
    if (::connect(s, (const sockaddr*)&addr, sizeof(addr)) == 0 &&
        ::send(s, frame.data(), (int)frame.size(), 0) == (int)frame.size() &&
        ReceiveAll(s, (char*)&nReplyLength, 4)) {
        std::vector<char> reply(ntohl(nReplyLength));
        if (ReceiveAll(s, reply.data(), (int)reply.size())) {
            CKelpParser parsed(reply.data(), (int)reply.size(), NULL);
            int nCount = 0;
            if (parsed.GetValue(G::keyChannelNum, nCount))
                nChannels = nCount;
        }
    }
    ::closesocket(s);
    return nChannels;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

void RunRoundTrips(int nPort) {
    // The catalogue of two groups of 100 channels each, in a folder of its
    // own that is the current directory while the window loads it.
    char szTemp[MAX_PATH + 1] = {0};
    ::GetTempPathA(MAX_PATH, szTemp);
    const CString strFolder = CString(szTemp) + "peltora-list-bench";
    ::CreateDirectoryA(strFolder, NULL);
    const CString strCatalogue = strFolder + "\\tetrists1.tsg";
    ::WritePrivateProfileStringA("RNKTET", "NUM", "2", strCatalogue);
    ::WritePrivateProfileStringA("RNKTET", "1", "B1,Bench one,0,0,0,0,A", strCatalogue);
    ::WritePrivateProfileStringA("RNKTET", "2", "B2,Bench two,0,0,0,0,A", strCatalogue);

    CTsChannelListWnd wnd;
    CTsTestHost host;
    const char* const config[] = {"site.code", "ts1", NULL};
    if (!BenchStartWindow(host, wnd, BenchGameString((unsigned short)nPort), "list_bench", config,
                          strFolder))
        return;
    CTsChannelListCtrl* pList = wnd.m_wndListCtrl.m_pChannelListCtrl;
    const auto listed = [&host, pList] {
        return host.CountLog("splash-off") > 0 && pList != NULL && pList->GetItemCount() == 100;
    };
    if (!host.PumpUntil(listed, 10000)) {
        fprintf(stderr, "list_bench: the first listing did not come\n");
        host.DestroyWindow();
        return;
    }

    std::vector<double> clicks, bare;
    for (int i = 0; i < kRoundTrips; i++) {
        CTsChannelGroupListData* pGroup =
            (CTsChannelGroupListData*)wnd.m_wndListCtrl.m_pChannelGroupListCtrl->GetItemData(
                i % 2 == 0 ? 1 : 0);
        host.ClearLog();
        const double t0 = Now();
        wnd.SendMessage(WM_CHANNELGROUP_SEL, (WPARAM)pGroup, 0);
        const bool bListed = host.PumpUntil(listed, 10000);
        pList->UpdateWindow();
        clicks.push_back(Now() - t0);
        if (!bListed)
            fprintf(stderr, "list_bench: click %d did not list\n", i);

        const double t1 = Now();
        const int nChannels = BareRoundTrip(nPort, i % 2 == 0 ? "B2" : "B1");
        bare.push_back(Now() - t1);
        if (nChannels != 100)
            fprintf(stderr, "list_bench: round trip %d read %d channels\n", i, nChannels);
    }
    host.DestroyWindow();
    ::DeleteFileA(strCatalogue);
    ::RemoveDirectoryA(strFolder);

    const double dClick = Median(clicks), dBare = Median(bare);
    printf("list_bench: a group click to its 100 painted rows, against a bare round trip\n");
    printf("  group click: %.2f ms   bare connect+request+reply: %.2f ms   ratio %.1f\n",
           dClick * 1000.0, dBare * 1000.0, dClick / dBare);
    printf("  (medians of %d each, the same server on loopback)\n", kRoundTrips);
}

} // namespace

int main() {
    RunContainer();
    RunWindow();
    const int nPort = ServerPort();
    if (nPort > 0) {
        WSADATA wsa;
        ::WSAStartup(MAKEWORD(2, 2), &wsa);
        RunRoundTrips(nPort);
        ::WSACleanup();
    } else {
        printf(
            "list_bench: no channel-list server (PELTORA_LISTSERVER_PORT_FILE), no round trips\n");
    }
    return 0;
}
