// The list container: creation, font, row operations and layout.
#include "ListTestSupport.h"

#include "resource.h"

#include <algorithm>
#include <functional>

TEST(ListCtrlWnd, CreateRefusesANullParent) {
    CTsListCtrlWnd wnd;
    EXPECT_EQ(0, wnd.Create(NULL, 30000));
    EXPECT_EQ(nullptr, wnd.GetSafeHwnd());
    EXPECT_EQ(nullptr, wnd.m_pChannelGroupListCtrl);
}

TEST_F(ListViewTest, CreatesAHiddenChildWithFontAndBothLists) {
    char szName[64] = "";
    m_wnd.GetWindowText(szName, sizeof(szName));
    EXPECT_STREQ("ChannelListCtrlWnd", szName);
    EXPECT_EQ((DWORD)WS_CHILD, m_wnd.GetStyle() & (WS_CHILD | WS_VISIBLE));
    EXPECT_EQ(30000, m_wnd.GetDlgCtrlID());
    EXPECT_TRUE(GetClassLongPtr(m_wnd.GetSafeHwnd(), GCL_STYLE) & CS_DBLCLKS);
    EXPECT_EQ(&m_notify, m_wnd.m_pOwnerWnd);

    LOGFONT lf;
    ASSERT_NE(nullptr, m_wnd.m_pFont);
    m_wnd.m_pFont->GetLogFont(&lf);
    CString strFace;
    strFace.LoadString(IDS_LIST_FONT_FACE);
    EXPECT_EQ(-12, lf.lfHeight);
    EXPECT_EQ(FW_NORMAL, lf.lfWeight);
    EXPECT_STREQ(strFace, lf.lfFaceName);

    CListCtrl* lists[2] = {m_wnd.m_pChannelGroupListCtrl, m_wnd.m_pChannelListCtrl};
    for (int i = 0; i < 2; i++) {
        EXPECT_EQ(30001 + i, lists[i]->GetDlgCtrlID());
        EXPECT_EQ(0x5600040Du, lists[i]->GetStyle() & ~(DWORD)(WS_HSCROLL | WS_VSCROLL));
        EXPECT_TRUE(lists[i]->GetExStyle() & WS_EX_CLIENTEDGE);
        EXPECT_EQ(0u, lists[i]->GetExtendedStyle());
        EXPECT_EQ(m_wnd.m_pFont->GetSafeHandle(), (HGDIOBJ)lists[i]->SendMessage(WM_GETFONT));
    }
}

TEST_F(ListViewTest, RefusesASecondRowWithTheSameIdentifierAndShowsCounts) {
    Bind();
    AddGroup("G01");
    CTsChannelGroupListData twin, upper;
    TsCopyField(twin.m_szGroupId, "G01");
    TsCopyField(upper.m_szGroupId, "g01");
    EXPECT_EQ(0, m_wnd.AddChannelGroup(&twin));
    EXPECT_EQ(0, m_wnd.AddChannelGroup(&upper));
    EXPECT_EQ(0, m_wnd.AddChannelGroup(NULL));
    EXPECT_EQ(1, Groups().GetItemCount());

    CTsChannelListData* c1 = AddChannel("C01", 12, 300);
    CTsChannelListData c1lower(*c1), c2(*c1);
    TsCopyField(c1lower.m_szChannelId, "c01");
    TsCopyField(c2.m_szChannelId, "C02"); // same server address, other id
    c2.m_nMemberCnt = -5;
    EXPECT_EQ(0, m_wnd.AddChannelList(&c1lower));
    EXPECT_EQ(1, m_wnd.AddChannelList(&c2));
    ASSERT_EQ(2, Channels().GetItemCount());
    EXPECT_EQ((DWORD_PTR)c1, Channels().GetItemData(0));
    EXPECT_STREQ("12", Channels().GetItemText(0, 1));
    EXPECT_STREQ("300", Channels().GetItemText(0, 2));
    EXPECT_STREQ("-5", Channels().GetItemText(1, 1));
}

TEST_F(ListViewTest, DeleteUpdateAndDeleteAllFindRowsByLabel) {
    Bind();
    AddGroup("G01");
    AddGroup("G02");
    EXPECT_EQ(0, m_wnd.DeleteChannelGroup("G09"));
    EXPECT_EQ(0, m_wnd.UpdateChannelGroup("G09"));
    EXPECT_EQ(0, m_wnd.DeleteChannelGroup(NULL));
    EXPECT_EQ(2, Groups().GetItemCount());
    EXPECT_NE(0, m_wnd.UpdateChannelGroup("g02"));
    EXPECT_NE(0, m_wnd.DeleteChannelGroup("g01"));
    EXPECT_EQ(std::vector<std::string>{"G02"}, RowLabels(Groups()));

    AddChannel("C01", 1, 2);
    AddChannel("C02", 1, 2);
    EXPECT_NE(0, m_wnd.UpdateChannelList("C02"));
    EXPECT_NE(0, m_wnd.DeleteChannelList("C02"));
    EXPECT_EQ(0, m_wnd.DeleteChannelList("C02"));
    EXPECT_NE(0, m_wnd.DeleteAllChannelList());
    EXPECT_EQ(0, Channels().GetItemCount());
    EXPECT_EQ(2, m_channelRecords.GetCount());
    EXPECT_NE(0, m_wnd.DeleteAllChannelGroup());
    EXPECT_EQ(0, Groups().GetItemCount());
}

TEST_F(ListViewTest, LayoutWithoutInsetsPutsTheListsSideBySide) {
    m_groupSetting.m_rcWindow.top = m_channelSetting.m_rcWindow.top = 40;
    Bind();
    EXPECT_EQ(CRect(5, 40, 450, 593), RectInParent(&m_wnd));
    EXPECT_EQ(CRect(0, 0, 215, 553), RectInParent(&Groups()));
    EXPECT_EQ(CRect(215, 0, 445, 553), RectInParent(&Channels()));
}

TEST_F(ListViewTest, LayoutWithInsetsUsesTheGroupInsetVertically) {
    m_groupSetting.m_nMargin = 5;
    m_channelSetting.m_nMargin = 3;
    ::SetRect(&m_groupSetting.m_rcWindow, 10, 20, 210, 420);       // 200 x 400
    ::SetRect(&m_channelSetting.m_rcWindow, 999, 999, 1299, 1349); // 300 x 350
    Bind();
    EXPECT_EQ(CRect(10, 20, 510, 420), RectInParent(&m_wnd));
    EXPECT_EQ(CRect(5, 5, 200, 395), RectInParent(&Groups()));
    EXPECT_EQ(CRect(203, 5, 497, 345), RectInParent(&Channels()));
}

TEST_F(ListViewTest, RowsAreFontHeightPlusFourteenAndTwelve) {
    Bind();
    AddGroup("G01");
    AddChannel("C01", 1, 2);
    CRect rcGroup, rcChannel;
    ASSERT_TRUE(Groups().GetItemRect(0, &rcGroup, LVIR_BOUNDS));
    ASSERT_TRUE(Channels().GetItemRect(0, &rcChannel, LVIR_BOUNDS));
    EXPECT_EQ(26, rcGroup.Height());
    EXPECT_EQ(24, rcChannel.Height());
}

TEST_F(ListViewTest, DestroyDeletesBothListsButNoRecord) {
    Bind();
    AddGroup("G01");
    m_wnd.DestroyWindow();
    EXPECT_EQ(nullptr, m_wnd.m_pChannelGroupListCtrl);
    EXPECT_EQ(nullptr, m_wnd.m_pChannelListCtrl);
    EXPECT_EQ(0, m_wnd.AddChannelGroup(m_groups[0].get()));
    EXPECT_EQ(0, m_wnd.DeleteAllChannelList());
    EXPECT_STREQ("G01", m_groups[0]->m_szGroupId);
}

// A CBT hook that lets g_nListsToPass list view windows be created on this
// thread and refuses the next one.
static HHOOK g_hRefuseHook = NULL;
static int g_nListsToPass = 0;
static LRESULT CALLBACK RefuseListView(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        char szClass[32] = "";
        ::GetClassNameA((HWND)wParam, szClass, sizeof(szClass));
        if (lstrcmpiA(szClass, WC_LISTVIEWA) == 0 && g_nListsToPass-- == 0)
            return 1;
    }
    return ::CallNextHookEx(g_hRefuseHook, code, wParam, lParam);
}

TEST(ListCtrlWnd, AFailedListFailsCreationAndDeletesTheLists) {
    CTestNotifyWnd parent;
    ASSERT_TRUE(parent.CreateTop());
    for (int nPass : {0, 1}) {
        CTsListCtrlWnd wnd;
        g_nListsToPass = nPass;
        g_hRefuseHook = ::SetWindowsHookExA(WH_CBT, RefuseListView, NULL, ::GetCurrentThreadId());
        const int nResult = wnd.Create(&parent, 30000);
        ::UnhookWindowsHookEx(g_hRefuseHook);
        EXPECT_EQ(0, nResult);
        EXPECT_EQ(nullptr, wnd.GetSafeHwnd());
        EXPECT_EQ(nullptr, wnd.m_pChannelGroupListCtrl);
        EXPECT_EQ(nullptr, wnd.m_pChannelListCtrl);
    }
    parent.DestroyWindow();
}

TEST_F(ListViewTest, ACreatedAgainContainerKeepsOneFont) {
    const HGDIOBJ hOld = m_wnd.m_pFont->GetSafeHandle();
    m_wnd.DestroyWindow();
    ASSERT_EQ(1, m_wnd.Create(&m_notify, 30000));
    const HGDIOBJ hNew = m_wnd.m_pFont->GetSafeHandle();
    EXPECT_TRUE(hNew == hOld || ::GetObjectType(hOld) == 0);
    EXPECT_EQ(hNew, (HGDIOBJ)Groups().SendMessage(WM_GETFONT));
}

TEST_F(ListViewTest, BindingGivesTheListsTheSettingsColoursAndHeaders) {
    m_groupSetting.m_clrText = RGB(1, 2, 3);
    m_groupSetting.m_clrTextBk = RGB(4, 5, 6);
    m_groupSetting.m_clrBk = RGB(7, 8, 9);
    Bind();
    EXPECT_EQ(RGB(1, 2, 3), Groups().GetTextColor());
    EXPECT_EQ(RGB(4, 5, 6), Groups().GetTextBkColor());
    EXPECT_EQ(RGB(7, 8, 9), Groups().GetBkColor());
    EXPECT_EQ(m_channelSetting.m_clrBk, Channels().GetBkColor());
    HDITEM hdi;
    ZeroMemory(&hdi, sizeof(hdi));
    hdi.mask = HDI_FORMAT;
    ASSERT_TRUE(Groups().m_wndHeader.GetItem(0, &hdi));
    EXPECT_TRUE(hdi.fmt & HDF_OWNERDRAW);
    for (int i = 0; i < 3; i++) {
        ASSERT_TRUE(Channels().m_wndHeader.GetItem(i, &hdi));
        EXPECT_FALSE(hdi.fmt & HDF_OWNERDRAW);
    }
}

TEST_F(ListViewTest, BindingAgainRebuildsTheColumnsAndForgetsTheSortOrder) {
    Bind();
    AddChannel("C01", 1, 2);
    ASSERT_NE(0, Channels().SortColumn(1, 1));
    const int widths[2] = {100, 50};
    const CString titles[2] = {"Name", "Users"};
    ASSERT_EQ(1, m_channelSetting.SetColumns(2, widths, titles));
    EXPECT_EQ(120, Channels().GetColumnWidth(0)); // not rebuilt yet
    Bind();
    EXPECT_EQ(-1, Channels().m_nSortColumn);
    EXPECT_EQ(0, Channels().m_bSortAscending);
    EXPECT_EQ(100, Channels().GetColumnWidth(0));
    EXPECT_EQ(50, Channels().GetColumnWidth(1));
    EXPECT_EQ(3, Channels().m_wndHeader.GetItemCount()); // the third column stays
}

TEST_F(ListViewTest, ARemovedIdentifierMayComeBackInAnyCaseAndStaysUnique) {
    Bind();
    AddGroup("G01");
    AddChannel("C01", 1, 2);
    AddChannel("C02", 1, 2);
    CTsChannelGroupListData g01, g01lower;
    TsCopyField(g01.m_szGroupId, "G01");
    TsCopyField(g01lower.m_szGroupId, "g01");
    CTsChannelListData c01lower, c01upper, c02lower;
    TsCopyField(c01lower.m_szChannelId, "c01");
    TsCopyField(c01upper.m_szChannelId, "C01");
    TsCopyField(c02lower.m_szChannelId, "c02");

    EXPECT_NE(0, m_wnd.UpdateChannelList("c01"));
    EXPECT_NE(0, m_wnd.UpdateChannelGroup("g01"));
    EXPECT_EQ(0, m_wnd.AddChannelList(&c01upper)); // an update keeps the label shown
    EXPECT_EQ(0, m_wnd.AddChannelGroup(&g01lower));

    EXPECT_NE(0, m_wnd.DeleteChannelList("c01"));
    EXPECT_EQ(1, m_wnd.AddChannelList(&c01lower));
    EXPECT_EQ(0, m_wnd.AddChannelList(&c01upper));
    EXPECT_EQ(0, m_wnd.AddChannelList(&c02lower)); // the other row still stands
    EXPECT_NE(0, m_wnd.DeleteChannelGroup("G01"));
    EXPECT_EQ(1, m_wnd.AddChannelGroup(&g01lower));
    EXPECT_EQ(0, m_wnd.AddChannelGroup(&g01));

    EXPECT_NE(0, m_wnd.DeleteAllChannelList());
    EXPECT_NE(0, m_wnd.DeleteAllChannelGroup());
    EXPECT_EQ(1, m_wnd.AddChannelList(&c01upper));
    EXPECT_EQ(1, m_wnd.AddChannelList(&c02lower));
    EXPECT_EQ(0, m_wnd.AddChannelList(&c01lower));
    EXPECT_EQ(1, m_wnd.AddChannelGroup(&g01));
    EXPECT_EQ(0, m_wnd.AddChannelGroup(&g01lower));
    EXPECT_EQ((std::vector<std::string>{"C01", "c02"}), RowLabels(Channels()));
    EXPECT_EQ(std::vector<std::string>{"G01"}, RowLabels(Groups()));
}

TEST_F(ListViewTest, RowsChangedAroundTheContainerStillCountForDuplicates) {
    Bind();
    AddChannel("C01", 1, 2);
    CTsChannelListData direct, twin, back;
    TsCopyField(direct.m_szChannelId, "X01");
    TsCopyField(twin.m_szChannelId, "x01");
    TsCopyField(back.m_szChannelId, "c01");
    Channels().InsertItem(LVIF_TEXT | LVIF_PARAM, 1, direct.m_szChannelId, 0, 0, 0,
                          (LPARAM)&direct);
    EXPECT_EQ(0, m_wnd.AddChannelList(&twin));
    Channels().DeleteItem(0); // C01, behind the container's back
    EXPECT_EQ(1, m_wnd.AddChannelList(&back));
    EXPECT_EQ((std::vector<std::string>{"X01", "c01"}), RowLabels(Channels()));
}

// A host's procedure laid over the container's (the lists' parent): it
// gives callback rows g_pszCallbackLabel through LVN_GETDISPINFO and
// accepts every label the user edits.
static const char* g_pszCallbackLabel = "";
static WNDPROC g_pfnContainerProc = NULL;
static LRESULT CALLBACK HostContainerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    NMLVDISPINFOA* pInfo = (NMLVDISPINFOA*)lParam;
    if (message == WM_NOTIFY && pInfo->hdr.code == LVN_GETDISPINFOA) {
        if ((pInfo->item.mask & LVIF_TEXT) && pInfo->item.iSubItem == 0)
            ::lstrcpynA(pInfo->item.pszText, g_pszCallbackLabel, pInfo->item.cchTextMax);
        return 0;
    }
    const LRESULT lResult = ::CallWindowProcA(g_pfnContainerProc, hwnd, message, wParam, lParam);
    if (message == WM_NOTIFY && pInfo->hdr.code == LVN_ENDLABELEDITA)
        return TRUE;
    return lResult;
}

// A host edits rows through the public list pointers (or the list's window,
// or lets the user rename one) without changing the row count: each edit
// turns the rows G01, G02 into G02 and G03 in some order, and the container
// must answer as the list view's search does: G03 is shown, G01 is not.
TEST_F(ListViewTest, RowsAHostEditsWithoutChangingTheCountAnswerAsTheListViewSearch) {
    Bind();
    g_pfnContainerProc = (WNDPROC)::SetWindowLongPtrA(m_wnd.GetSafeHwnd(), GWLP_WNDPROC,
                                                      (LONG_PTR)HostContainerProc);
    const std::vector<std::pair<const char*, std::function<void(CListCtrl&)>>> edits = {
        {"delete one, insert another",
         [](CListCtrl& list) {
             list.DeleteItem(0);
             list.InsertItem(LVIF_TEXT, 1, "G03", 0, 0, 0, 0);
         }},
        {"rename through the pointer", [](CListCtrl& list) { list.SetItemText(0, 0, "G03"); }},
        {"rename through the window",
         [](CListCtrl& list) {
             LVITEMA item = {};
             item.mask = LVIF_TEXT;
             item.pszText = (LPSTR) "G03";
             list.SendMessage(LVM_SETITEMA, 0, (LPARAM)&item);
         }},
        {"the user renames a row",
         [](CListCtrl& list) {
             list.ModifyStyle(0, LVS_EDITLABELS);
             HWND hEdit = (HWND)list.SendMessage(LVM_EDITLABELA, 0, 0);
             ASSERT_NE(nullptr, hEdit);
             ::SetWindowTextA(hEdit, "G03");
             ::SendMessageA(hEdit, WM_KEYDOWN, VK_RETURN, 0);
             list.ModifyStyle(LVS_EDITLABELS, 0);
         }},
        {"a callback label that changes unseen",
         [this](CListCtrl& list) {
             g_pszCallbackLabel = "G01";
             list.SetItemText(0, 0, LPSTR_TEXTCALLBACK);
             EXPECT_NE(0, m_wnd.UpdateChannelGroup("G01"));
             g_pszCallbackLabel = "G03";
         }},
    };
    for (const auto& edit : edits) {
        SCOPED_TRACE(edit.first);
        m_wnd.DeleteAllChannelGroup();
        CTsChannelGroupListData* g01 = AddGroup("G01");
        AddGroup("G02");
        EXPECT_EQ(0, m_wnd.AddChannelGroup(g01)); // the index holds both
        edit.second(Groups());
        ASSERT_EQ(2, Groups().GetItemCount());
        CTsChannelGroupListData g03;
        TsCopyField(g03.m_szGroupId, "G03");
        EXPECT_NE(0, m_wnd.UpdateChannelGroup("g03"));
        EXPECT_EQ(0, m_wnd.AddChannelGroup(&g03));
        EXPECT_EQ(0, m_wnd.UpdateChannelGroup("G01"));
        EXPECT_EQ(1, m_wnd.AddChannelGroup(g01));
        EXPECT_NE(0, m_wnd.DeleteChannelGroup("G03"));
        std::vector<std::string> labels = RowLabels(Groups());
        std::sort(labels.begin(), labels.end());
        EXPECT_EQ((std::vector<std::string>{"G01", "G02"}), labels);
    }
    ::SetWindowLongPtrA(m_wnd.GetSafeHwnd(), GWLP_WNDPROC, (LONG_PTR)g_pfnContainerProc);
}

// A batch adds many rows with one repaint: inside it the channel list does
// not draw (an added row leaves nothing to paint), an inner End changes
// nothing, the outermost End turns drawing back on and leaves the whole
// list to be painted once. A hidden list stays hidden. The windows are
// shown for this, since a hidden window collects nothing to paint.
TEST_F(ListViewTest, AChannelBatchSuspendsDrawingAndRepaintsOnce) {
    Bind();
    m_notify.ShowWindow(SW_SHOWNA);
    m_wnd.ShowWindow(SW_SHOWNA);
    CListCtrl& list = Channels();
    CRect rcClient;
    list.GetClientRect(&rcClient);
    // The box of what the list has left to paint; empty when nothing.
    auto Pending = [&list]() {
        CRect rcBox;
        HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
        if (::GetUpdateRgn(list.GetSafeHwnd(), hRgn, FALSE) > NULLREGION)
            ::GetRgnBox(hRgn, &rcBox);
        ::DeleteObject(hRgn);
        return rcBox;
    };
    list.UpdateWindow();
    m_wnd.BeginChannelBatch();
    m_wnd.BeginChannelBatch();
    AddChannel("C01", 1, 2);
    AddChannel("C02", 1, 2);
    EXPECT_TRUE(Pending().IsRectEmpty());
    m_wnd.EndChannelBatch();
    EXPECT_TRUE(Pending().IsRectEmpty());
    m_wnd.EndChannelBatch();
    EXPECT_EQ(Pending(), rcClient);
    list.UpdateWindow();
    m_wnd.EndChannelBatch(); // unmatched: nothing
    EXPECT_TRUE(Pending().IsRectEmpty());
    AddChannel("C03", 1, 2); // drawing is on again
    EXPECT_FALSE(Pending().IsRectEmpty());
    EXPECT_EQ(3, list.GetItemCount());
    EXPECT_TRUE(list.GetStyle() & WS_VISIBLE);

    list.ShowWindow(SW_HIDE);
    m_wnd.BeginChannelBatch();
    AddChannel("C04", 1, 2);
    m_wnd.EndChannelBatch();
    EXPECT_FALSE(list.GetStyle() & WS_VISIBLE);
    EXPECT_EQ(4, list.GetItemCount());
    // Hidden again before the fixture takes the windows down, which Wine
    // does slowly for a visible top-level window.
    m_notify.ShowWindow(SW_HIDE);
}
