// CHeaderCtrl: the header common control ("SysHeader32").
#include "afximpl.h"
#include "afxcmn.h"

CHeaderCtrl::CHeaderCtrl() {}
CHeaderCtrl::~CHeaderCtrl() {}

BOOL CHeaderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);
    return CWnd::Create(WC_HEADERA, NULL, dwStyle, rect, pParentWnd, nID);
}

int CHeaderCtrl::GetItemCount() const {
    return (int)::SendMessageA(m_hWnd, HDM_GETITEMCOUNT, 0, 0);
}

// Terminates a text buffer the control filled completely.
BOOL CHeaderCtrl::GetItem(int nPos, HDITEM* pHeaderItem) const {
    LPSTR pszGiven = (pHeaderItem->mask & HDI_TEXT) ? pHeaderItem->pszText : NULL;
    BOOL bResult = (BOOL)::SendMessageA(m_hWnd, HDM_GETITEMA, nPos, (LPARAM)pHeaderItem);
    if (pszGiven != NULL && pHeaderItem->pszText == pszGiven && pHeaderItem->cchTextMax > 0)
        pszGiven[pHeaderItem->cchTextMax - 1] = '\0';
    return bResult;
}

BOOL CHeaderCtrl::SetItem(int nPos, HDITEM* pHeaderItem) {
    return (BOOL)::SendMessageA(m_hWnd, HDM_SETITEMA, nPos, (LPARAM)pHeaderItem);
}

BOOL CHeaderCtrl::GetItemRect(int nIndex, LPRECT lpRect) const {
    return (BOOL)::SendMessageA(m_hWnd, HDM_GETITEMRECT, nIndex, (LPARAM)lpRect);
}

int CHeaderCtrl::InsertItem(int nPos, HDITEM* phdi) {
    return (int)::SendMessageA(m_hWnd, HDM_INSERTITEMA, nPos, (LPARAM)phdi);
}

BOOL CHeaderCtrl::DeleteItem(int nPos) {
    return (BOOL)::SendMessageA(m_hWnd, HDM_DELETEITEM, nPos, 0);
}

BOOL CHeaderCtrl::Layout(HDLAYOUT* pHeaderLayout) {
    return (BOOL)::SendMessageA(m_hWnd, HDM_LAYOUT, 0, (LPARAM)pHeaderLayout);
}

void CHeaderCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CHeaderCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    if (CWnd::OnChildNotify(message, wParam, lParam, pResult))
        return TRUE;
    DrawItem((LPDRAWITEMSTRUCT)lParam);
    *pResult = TRUE;
    return TRUE;
}
