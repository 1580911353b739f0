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
ON_NOTIFY_REFLECT_EX(LVN_ENDLABELEDITA, OnEndLabelEdit)
ON_NOTIFY_REFLECT_EX(LVN_ENDLABELEDITW, OnEndLabelEdit)
END_MESSAGE_MAP()

CTsSortedListCtrl::CTsSortedListCtrl()
    : m_nSortColumn(-1), m_bSortAscending(0), m_bSortEnabled(0), m_pParentWnd(NULL),
      m_pNotifyWnd(NULL), m_pFont(NULL), m_nRowEdits(0), m_bCallbackLabels(FALSE) {}

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

BOOL CTsSortedListCtrl::HasCallbackLabels() const {
    return m_bCallbackLabels || (GetStyle() & LVS_OWNERDATA) != 0;
}

LRESULT CTsSortedListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    CountRowEdit(message, lParam);
    return CListCtrl::WindowProc(message, wParam, lParam);
}

// The item messages name the row's label by column 0: an insert always
// gives a row its label; a set item only with LVIF_TEXT, a set item text
// always, both only for iSubItem 0. LVITEMA and LVITEMW share the layout of
// the fields read here. A delete, delete-all or sort moves rows; an item
// count changes the rows a virtual list shows.
void CTsSortedListCtrl::CountRowEdit(UINT message, LPARAM lParam) {
    const LVITEMA* pItem = (const LVITEMA*)lParam;
    BOOL bSetsLabel = FALSE;
    switch (message) {
    case LVM_INSERTITEMA:
    case LVM_INSERTITEMW:
        m_nRowEdits++;
        bSetsLabel = pItem != NULL && (pItem->mask & LVIF_TEXT) != 0;
        break;
    case LVM_SETITEMA:
    case LVM_SETITEMW:
        bSetsLabel = pItem != NULL && pItem->iSubItem == 0 && (pItem->mask & LVIF_TEXT) != 0;
        m_nRowEdits += bSetsLabel ? 1 : 0;
        break;
    case LVM_SETITEMTEXTA:
    case LVM_SETITEMTEXTW:
        bSetsLabel = pItem != NULL && pItem->iSubItem == 0;
        m_nRowEdits += bSetsLabel ? 1 : 0;
        break;
    case LVM_DELETEALLITEMS:
        m_bCallbackLabels = FALSE;
        m_nRowEdits++;
        break;
    case LVM_DELETEITEM:
    case LVM_SORTITEMS:
    case LVM_SORTITEMSEX:
    case LVM_SETITEMCOUNT:
        m_nRowEdits++;
        break;
    default:
        break;
    }
    if (bSetsLabel && pItem->pszText == LPSTR_TEXTCALLBACKA)
        m_bCallbackLabels = TRUE;
}

BOOL CTsSortedListCtrl::OnEndLabelEdit(NMHDR*, LRESULT*) {
    m_nRowEdits++;
    return FALSE;
}
