// CTsSortedListCtrl: creation, sort state and column building shared by the
// two owner-drawn lists.
#include "SortedListCtrl.h"

// Style of both lists: a visible report child, one selection always shown,
// rows drawn by the control (0x5600040D).
static const DWORD SORTED_LIST_STYLE = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN |
                                       LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                                       LVS_OWNERDRAWFIXED;

BEGIN_MESSAGE_MAP(CTsSortedListCtrl, CListCtrl)
ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, OnColumnClick)
END_MESSAGE_MAP()

CTsSortedListCtrl::CTsSortedListCtrl()
    : m_nSortColumn(-1), m_bSortAscending(0), m_bSortEnabled(0), m_pParentWnd(NULL),
      m_pNotifyWnd(NULL), m_pFont(NULL) {}

CTsSortedListCtrl::~CTsSortedListCtrl() {}

int CTsSortedListCtrl::CreateList(CWnd* pParent, CWnd* pNotify, UINT nID, CFont* pFont) {
    if (pParent == NULL)
        return 0;
    m_pParentWnd = pParent;
    m_pNotifyWnd = pNotify;
    if (!Create(SORTED_LIST_STYLE, CRect(0, 0, 0, 0), pParent, nID))
        return 0;
    HWND hHeader = ::GetDlgItem(m_hWnd, 0);
    if (hHeader == NULL)
        hHeader = (HWND)SendMessage(LVM_GETHEADER);
    if (hHeader != NULL)
        m_wndHeader.SubclassWindow(hHeader);
    if (pFont != NULL) {
        m_pFont = pFont;
        SetFont(pFont, TRUE);
    }
    return 1;
}

BOOL CTsSortedListCtrl::PreCreateWindow(CREATESTRUCT& cs) {
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    return CListCtrl::PreCreateWindow(cs);
}

int CTsSortedListCtrl::BuildColumnsFrom(int nCount, const int* pnWidths, const CString* pstrTitles,
                                        int nOtherFormat, BOOL bOwnerDrawHeader) {
    if (nCount <= 0 || pnWidths == NULL || pstrTitles == NULL)
        return 0;
    for (int i = 0; i < nCount; i++) {
        DeleteColumn(i);
        const int nFormat = (i == 0) ? LVCFMT_LEFT : nOtherFormat;
        if (InsertColumn(i, pstrTitles[i], nFormat, pnWidths[i]) < 0)
            return 0;
        if (bOwnerDrawHeader)
            m_wndHeader.SetOwnerDraw(i);
    }
    m_nSortColumn = -1;
    m_bSortAscending = 0;
    m_bSortEnabled = 1;
    return 1;
}

int CTsSortedListCtrl::SortColumn(int nColumn, int nFlag) {
    if (!m_bSortEnabled)
        return 0;
    if ((GetStyle() & LVS_TYPEMASK) == LVS_REPORT) {
        m_bSortAscending = nFlag;
        m_nSortColumn = nColumn;
        m_wndHeader.SetSortImage(nColumn, nFlag);
    }
    return SortItems(GetCompareFunction(), (DWORD_PTR)this);
}

void CTsSortedListCtrl::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult) {
    const NMLISTVIEW* pView = (const NMLISTVIEW*)pNMHDR;
    m_nSortColumn = m_wndHeader.GetSortedColumn();
    if (HasSetting()) {
        int nFlag = 1;
        if (pView->iSubItem == m_nSortColumn)
            nFlag = m_wndHeader.IsAscSorted() ? 0 : 1;
        SortColumn(pView->iSubItem, nFlag);
    }
    *pResult = 0;
}
