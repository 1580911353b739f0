// CListCtrl: the list-view common control ("SysListView32").
#include "afximpl.h"
#include "afxcmn.h"

CListCtrl::CListCtrl() {}

CListCtrl::~CListCtrl() {
    // The header wrapper only borrows the list's header window.
    m_wndHeader.m_hWnd = NULL;
}

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);
    return CWnd::Create(WC_LISTVIEWA, NULL, dwStyle, rect, pParentWnd, nID);
}

COLORREF CListCtrl::GetBkColor() const {
    return (COLORREF)::SendMessageA(m_hWnd, LVM_GETBKCOLOR, 0, 0);
}
BOOL CListCtrl::SetBkColor(COLORREF cr) {
    return (BOOL)::SendMessageA(m_hWnd, LVM_SETBKCOLOR, 0, cr);
}
COLORREF CListCtrl::GetTextColor() const {
    return (COLORREF)::SendMessageA(m_hWnd, LVM_GETTEXTCOLOR, 0, 0);
}
BOOL CListCtrl::SetTextColor(COLORREF cr) {
    return (BOOL)::SendMessageA(m_hWnd, LVM_SETTEXTCOLOR, 0, cr);
}
COLORREF CListCtrl::GetTextBkColor() const {
    return (COLORREF)::SendMessageA(m_hWnd, LVM_GETTEXTBKCOLOR, 0, 0);
}
BOOL CListCtrl::SetTextBkColor(COLORREF cr) {
    return (BOOL)::SendMessageA(m_hWnd, LVM_SETTEXTBKCOLOR, 0, cr);
}
DWORD CListCtrl::GetExtendedStyle() const {
    return (DWORD)::SendMessageA(m_hWnd, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
}
DWORD CListCtrl::SetExtendedStyle(DWORD dwNewStyle) {
    return (DWORD)::SendMessageA(m_hWnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dwNewStyle);
}

// The header's permanent object when someone subclassed it (a CHeaderCtrl),
// else this list's own borrowing wrapper.
CHeaderCtrl* CListCtrl::GetHeaderCtrl() {
    HWND hHeader = (HWND)::SendMessageA(m_hWnd, LVM_GETHEADER, 0, 0);
    if (hHeader == NULL)
        return NULL;
    if (CHeaderCtrl* p = dynamic_cast<CHeaderCtrl*>(FromHandlePermanent(hHeader)))
        return p;
    m_wndHeader.m_hWnd = hHeader;
    return &m_wndHeader;
}

int CListCtrl::GetItemCount() const {
    return (int)::SendMessageA(m_hWnd, LVM_GETITEMCOUNT, 0, 0);
}

// The ANSI text messages of Wine's list view fill a short buffer completely
// without a terminator; the wrappers terminate the caller's buffer.
static void TerminateText(LPSTR pszGiven, LPSTR pszReturned, int cchTextMax) {
    if (pszGiven != NULL && pszReturned == pszGiven && cchTextMax > 0)
        pszGiven[cchTextMax - 1] = '\0';
}

BOOL CListCtrl::GetItem(LVITEM* pItem) const {
    LPSTR pszGiven = (pItem->mask & LVIF_TEXT) ? pItem->pszText : NULL;
    BOOL bResult = (BOOL)::SendMessageA(m_hWnd, LVM_GETITEMA, 0, (LPARAM)pItem);
    TerminateText(pszGiven, pItem->pszText, pItem->cchTextMax);
    return bResult;
}

BOOL CListCtrl::SetItem(const LVITEM* pItem) {
    return (BOOL)::SendMessageA(m_hWnd, LVM_SETITEMA, 0, (LPARAM)pItem);
}

int CListCtrl::InsertItem(const LVITEM* pItem) {
    return (int)::SendMessageA(m_hWnd, LVM_INSERTITEMA, 0, (LPARAM)pItem);
}

int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem) {
    return InsertItem(LVIF_TEXT, nItem, lpszItem, 0, 0, 0, 0);
}

int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage) {
    return InsertItem(LVIF_TEXT | LVIF_IMAGE, nItem, lpszItem, 0, 0, nImage, 0);
}

int CListCtrl::InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState, UINT nStateMask,
                          int nImage, LPARAM lParam) {
    LVITEM item = {};
    item.mask = nMask;
    item.iItem = nItem;
    item.state = nState;
    item.stateMask = nStateMask;
    item.pszText = (LPTSTR)lpszItem;
    item.iImage = nImage;
    item.lParam = lParam;
    return InsertItem(&item);
}

BOOL CListCtrl::DeleteItem(int nItem) {
    return (BOOL)::SendMessageA(m_hWnd, LVM_DELETEITEM, nItem, 0);
}
BOOL CListCtrl::DeleteAllItems() {
    return (BOOL)::SendMessageA(m_hWnd, LVM_DELETEALLITEMS, 0, 0);
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText) {
    LVITEM item = {};
    item.iSubItem = nSubItem;
    item.pszText = (LPTSTR)lpszText;
    return (BOOL)::SendMessageA(m_hWnd, LVM_SETITEMTEXTA, nItem, (LPARAM)&item);
}

// Reads the text with a buffer doubled until the text fits with room to
// spare; empty when there is no memory for a buffer.
CString CListCtrl::GetItemText(int nItem, int nSubItem) const {
    CString str;
    for (int nLen = 256; nLen <= 64 * 1024; nLen *= 2) {
        LPSTR pBuffer = str.GetBuffer(nLen);
        if (pBuffer == NULL) {
            str.Empty();
            break;
        }
        GetItemText(nItem, nSubItem, pBuffer, nLen);
        str.ReleaseBuffer();
        if (str.GetLength() < nLen - 1)
            break;
    }
    return str;
}

// Copies at most nLen - 1 characters and a terminator; returns the length.
int CListCtrl::GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const {
    if (lpszText == NULL || nLen <= 0)
        return 0;
    lpszText[0] = '\0';
    LVITEM item = {};
    item.iSubItem = nSubItem;
    item.cchTextMax = nLen;
    item.pszText = lpszText;
    ::SendMessageA(m_hWnd, LVM_GETITEMTEXTA, nItem, (LPARAM)&item);
    lpszText[nLen - 1] = '\0';
    return (int)strlen(lpszText);
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData) {
    LVITEM item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    item.lParam = (LPARAM)dwData;
    return SetItem(&item);
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const {
    LVITEM item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    GetItem(&item);
    return (DWORD_PTR)item.lParam;
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask) {
    LVITEM item = {};
    item.state = nState;
    item.stateMask = nMask;
    return SetItemState(nItem, &item);
}

BOOL CListCtrl::SetItemState(int nItem, LVITEM* pItem) {
    return (BOOL)::SendMessageA(m_hWnd, LVM_SETITEMSTATE, nItem, (LPARAM)pItem);
}

UINT CListCtrl::GetItemState(int nItem, UINT nMask) const {
    return (UINT)::SendMessageA(m_hWnd, LVM_GETITEMSTATE, nItem, nMask);
}

UINT CListCtrl::GetSelectedCount() const {
    return (UINT)::SendMessageA(m_hWnd, LVM_GETSELECTEDCOUNT, 0, 0);
}

int CListCtrl::GetNextItem(int nItem, int nFlags) const {
    return (int)::SendMessageA(m_hWnd, LVM_GETNEXTITEM, nItem, MAKELPARAM(nFlags, 0));
}

// Positions of selected items are the item index plus one (NULL: no more).
POSITION CListCtrl::GetFirstSelectedItemPosition() const {
    return (POSITION)(INT_PTR)(1 + GetNextItem(-1, LVNI_SELECTED));
}

int CListCtrl::GetNextSelectedItem(POSITION& pos) const {
    int nItem = (int)(INT_PTR)pos - 1;
    pos = (POSITION)(INT_PTR)(1 + GetNextItem(nItem, LVNI_SELECTED));
    return nItem;
}

int CListCtrl::FindItem(LVFINDINFO* pFindInfo, int nStart) const {
    return (int)::SendMessageA(m_hWnd, LVM_FINDITEMA, nStart, (LPARAM)pFindInfo);
}

BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const {
    lpRect->left = nCode;
    return (BOOL)::SendMessageA(m_hWnd, LVM_GETITEMRECT, nItem, (LPARAM)lpRect);
}

BOOL CListCtrl::GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) {
    ref.top = iSubItem;
    ref.left = nArea;
    return (BOOL)::SendMessageA(m_hWnd, LVM_GETSUBITEMRECT, iItem, (LPARAM)(LPRECT)ref);
}

int CListCtrl::HitTest(LVHITTESTINFO* pHitTestInfo) const {
    return (int)::SendMessageA(m_hWnd, LVM_HITTEST, 0, (LPARAM)pHitTestInfo);
}

int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const {
    LVHITTESTINFO hti = {};
    hti.pt = pt;
    int nRes = HitTest(&hti);
    if (pFlags != NULL)
        *pFlags = hti.flags;
    return nRes;
}

BOOL CListCtrl::EnsureVisible(int nItem, BOOL bPartialOK) {
    return (BOOL)::SendMessageA(m_hWnd, LVM_ENSUREVISIBLE, nItem, MAKELPARAM(bPartialOK, 0));
}

BOOL CListCtrl::Update(int nItem) {
    return (BOOL)::SendMessageA(m_hWnd, LVM_UPDATE, nItem, 0);
}

BOOL CListCtrl::RedrawItems(int nFirst, int nLast) {
    return (BOOL)::SendMessageA(m_hWnd, LVM_REDRAWITEMS, nFirst, nLast);
}

int CListCtrl::GetTopIndex() const {
    return (int)::SendMessageA(m_hWnd, LVM_GETTOPINDEX, 0, 0);
}
int CListCtrl::GetCountPerPage() const {
    return (int)::SendMessageA(m_hWnd, LVM_GETCOUNTPERPAGE, 0, 0);
}
BOOL CListCtrl::Scroll(CSize size) {
    return (BOOL)::SendMessageA(m_hWnd, LVM_SCROLL, size.cx, size.cy);
}

BOOL CListCtrl::SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData) {
    return (BOOL)::SendMessageA(m_hWnd, LVM_SORTITEMS, dwData, (LPARAM)pfnCompare);
}

int CListCtrl::InsertColumn(int nCol, const LVCOLUMN* pColumn) {
    return (int)::SendMessageA(m_hWnd, LVM_INSERTCOLUMNA, nCol, (LPARAM)pColumn);
}

int CListCtrl::InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat, int nWidth,
                            int nSubItem) {
    LVCOLUMN column = {};
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.pszText = (LPTSTR)lpszColumnHeading;
    column.fmt = nFormat;
    if (nWidth != -1) {
        column.mask |= LVCF_WIDTH;
        column.cx = nWidth;
    }
    if (nSubItem != -1) {
        column.mask |= LVCF_SUBITEM;
        column.iSubItem = nSubItem;
    }
    return InsertColumn(nCol, &column);
}

BOOL CListCtrl::DeleteColumn(int nCol) {
    return (BOOL)::SendMessageA(m_hWnd, LVM_DELETECOLUMN, nCol, 0);
}

BOOL CListCtrl::GetColumn(int nCol, LVCOLUMN* pColumn) const {
    LPSTR pszGiven = (pColumn->mask & LVCF_TEXT) ? pColumn->pszText : NULL;
    BOOL bResult = (BOOL)::SendMessageA(m_hWnd, LVM_GETCOLUMNA, nCol, (LPARAM)pColumn);
    TerminateText(pszGiven, pColumn->pszText, pColumn->cchTextMax);
    return bResult;
}

BOOL CListCtrl::SetColumn(int nCol, const LVCOLUMN* pColumn) {
    return (BOOL)::SendMessageA(m_hWnd, LVM_SETCOLUMNA, nCol, (LPARAM)pColumn);
}

int CListCtrl::GetColumnWidth(int nCol) const {
    return (int)::SendMessageA(m_hWnd, LVM_GETCOLUMNWIDTH, nCol, 0);
}

BOOL CListCtrl::SetColumnWidth(int nCol, int cx) {
    return (BOOL)::SendMessageA(m_hWnd, LVM_SETCOLUMNWIDTH, nCol, MAKELPARAM(cx, 0));
}

void CListCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    // An ON_WM_DRAWITEM_REFLECT entry wins; otherwise the virtual DrawItem.
    if (CWnd::OnChildNotify(message, wParam, lParam, pResult))
        return TRUE;
    DrawItem((LPDRAWITEMSTRUCT)lParam);
    *pResult = TRUE;
    return TRUE;
}
