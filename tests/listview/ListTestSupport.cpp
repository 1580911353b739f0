#include "ListTestSupport.h"

#include <string.h>

BEGIN_MESSAGE_MAP(CTestNotifyWnd, CWnd)
ON_MESSAGE(WM_CHANNELGROUP_SEL, OnGroupClicked)
ON_MESSAGE(WM_CHANNELLIST_SEL, OnChannelDblClicked)
END_MESSAGE_MAP()

int CTestNotifyWnd::CreateTop() {
    LPCTSTR pszClass =
        AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), ::GetSysColorBrush(COLOR_WINDOW));
    return CreateEx(0, pszClass, "listview test", WS_POPUP, 0, 0, 640, 700, NULL, NULL);
}

int CTestNotifyWnd::IsJoinValidate(CTsChannelGroupListData* group) {
    m_asked.push_back(group);
    return m_refused.count(group->m_szGroupId) ? 0 : 1;
}

LRESULT CTestNotifyWnd::OnGroupClicked(WPARAM wParam, LPARAM lParam) {
    m_sent.push_back({WM_CHANNELGROUP_SEL, wParam, lParam});
    return 0;
}

LRESULT CTestNotifyWnd::OnChannelDblClicked(WPARAM wParam, LPARAM lParam) {
    m_sent.push_back({WM_CHANNELLIST_SEL, wParam, lParam});
    return 0;
}

std::vector<std::string> RowLabels(const CListCtrl& list) {
    std::vector<std::string> labels;
    for (int i = 0; i < list.GetItemCount(); i++)
        labels.push_back((LPCSTR)list.GetItemText(i, 0));
    return labels;
}

void NotifyItem(CListCtrl& list, UINT nCode, int nItem) {
    NMITEMACTIVATE nm;
    ZeroMemory(&nm, sizeof(nm));
    nm.hdr.hwndFrom = list.GetSafeHwnd();
    nm.hdr.idFrom = list.GetDlgCtrlID();
    nm.hdr.code = nCode;
    nm.iItem = nItem;
    list.GetParent()->SendMessage(WM_NOTIFY, nm.hdr.idFrom, (LPARAM)&nm);
}

void NotifyColumnClick(CListCtrl& list, int nColumn) {
    NMLISTVIEW nm;
    ZeroMemory(&nm, sizeof(nm));
    nm.hdr.hwndFrom = list.GetSafeHwnd();
    nm.hdr.idFrom = list.GetDlgCtrlID();
    nm.hdr.code = LVN_COLUMNCLICK;
    nm.iItem = -1;
    nm.iSubItem = nColumn;
    list.GetParent()->SendMessage(WM_NOTIFY, nm.hdr.idFrom, (LPARAM)&nm);
}

CRowRender::CRowRender(CListCtrl& list, int nItem) {
    CRect rcClient;
    list.GetClientRect(&rcClient);
    m_cx = rcClient.Width();
    m_cy = rcClient.Height();
    BITMAPINFO bmi;
    ZeroMemory(&bmi, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = m_cx;
    bmi.bmiHeader.biHeight = -m_cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pBits = NULL;
    m_hdc = ::CreateCompatibleDC(NULL);
    m_hbm = ::CreateDIBSection(m_hdc, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    m_pBits = (const DWORD*)pBits;
    m_hOld = ::SelectObject(m_hdc, m_hbm);
    memset(pBits, 0xFF, (size_t)m_cx * m_cy * 4);
    ::SelectObject(m_hdc, (HFONT)list.SendMessage(WM_GETFONT));
    list.GetItemRect(nItem < 0 ? 0 : nItem, &m_rcRow, LVIR_BOUNDS);
    if (nItem < 0) {
        list.SendMessage(WM_PRINTCLIENT, (WPARAM)m_hdc, PRF_CLIENT | PRF_ERASEBKGND);
        ::GdiFlush();
        return;
    }

    DRAWITEMSTRUCT dis;
    ZeroMemory(&dis, sizeof(dis));
    dis.CtlType = ODT_LISTVIEW;
    dis.CtlID = list.GetDlgCtrlID();
    dis.itemID = nItem;
    dis.itemAction = ODA_DRAWENTIRE;
    dis.hwndItem = list.GetSafeHwnd();
    dis.hDC = m_hdc;
    dis.rcItem = m_rcRow;
    dis.itemData = list.GetItemData(nItem);
    list.DrawItem(&dis);
    ::GdiFlush();
}

CRowRender::~CRowRender() {
    ::SelectObject(m_hdc, m_hOld);
    ::DeleteObject(m_hbm);
    ::DeleteDC(m_hdc);
}

COLORREF CRowRender::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_cx || y >= m_cy)
        return CLR_INVALID;
    const DWORD v = m_pBits[y * m_cx + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

int CRowRender::Count(const RECT& rc, COLORREF clr) const {
    int n = 0;
    for (int y = rc.top; y < rc.bottom; y++)
        for (int x = rc.left; x < rc.right; x++)
            n += Pixel(x, y) == clr;
    return n;
}

void ListViewTest::SetUp() {
    ASSERT_TRUE(m_notify.CreateTop());
    ASSERT_EQ(1, m_wnd.Create(&m_notify, 30000));
    ASSERT_NE(nullptr, m_wnd.m_pChannelGroupListCtrl);
    ASSERT_NE(nullptr, m_wnd.m_pChannelListCtrl);
}

void ListViewTest::Bind() {
    ASSERT_EQ(1, m_wnd.SetListCtrlWnd(&m_groupRecords, &m_groupSetting, &m_channelRecords,
                                      &m_channelSetting));
    m_wnd.ShowWindow(SW_SHOW);
}

void ListViewTest::TearDown() {
    if (m_wnd.GetSafeHwnd())
        m_wnd.DestroyWindow();
    if (m_notify.GetSafeHwnd())
        m_notify.DestroyWindow();
}

CTsChannelGroupListData* ListViewTest::AddGroup(const char* id, const char* name) {
    m_groups.emplace_back(new CTsChannelGroupListData);
    CTsChannelGroupListData* p = m_groups.back().get();
    TsCopyField(p->m_szGroupId, id);
    TsCopyField(p->m_szGroupName, name);
    m_groupRecords.AddTail(p);
    m_wnd.AddChannelGroup(p);
    return p;
}

CTsChannelListData* ListViewTest::AddChannel(const char* id, int nUsers, int nMax,
                                             const char* name) {
    m_channels.emplace_back(new CTsChannelListData);
    CTsChannelListData* p = m_channels.back().get();
    TsCopyField(p->m_szChannelId, id);
    TsCopyField(p->m_szChannelName, name);
    p->m_nMemberCnt = nUsers;
    p->m_nMaxMember = nMax;
    m_channelRecords.AddTail(p);
    m_wnd.AddChannelList(p);
    return p;
}

CRect RectInParent(CWnd* pWnd) {
    CRect rc;
    pWnd->GetWindowRect(&rc);
    pWnd->GetParent()->ScreenToClient(&rc);
    return rc;
}
