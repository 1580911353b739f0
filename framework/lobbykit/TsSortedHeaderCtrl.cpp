// CTsSortedHeaderCtrl: sort state of a list view's header and the drawing
// of its owner-drawn columns.
#include "TsSortedHeaderCtrl.h"

CTsSortedHeaderCtrl::CTsSortedHeaderCtrl() : m_nSortColumn(-1), m_bSortAsc(TRUE) {}

CTsSortedHeaderCtrl::~CTsSortedHeaderCtrl() {}

int CTsSortedHeaderCtrl::SetOwnerDraw(int nColumn) {
    if (GetSafeHwnd() == NULL || nColumn < 0 || nColumn >= GetItemCount()) {
        return 0;
    }
    HDITEM item = {};
    item.mask = HDI_FORMAT;
    if (!GetItem(nColumn, &item)) {
        return 0;
    }
    item.fmt |= HDF_OWNERDRAW;
    return SetItem(nColumn, &item) ? 1 : 0;
}

void CTsSortedHeaderCtrl::SetSortImage(int nColumn, BOOL bAscending) {
    m_nSortColumn = nColumn;
    m_bSortAsc = bAscending ? TRUE : FALSE;
    if (GetSafeHwnd() == NULL) {
        return;
    }
    UpdateSortFlags();
    Invalidate();
}

// Puts the header's own sort arrow on the sorted column when it is not
// owner-drawn, and takes it off every other column.
void CTsSortedHeaderCtrl::UpdateSortFlags() {
    int nCount = GetItemCount();
    for (int i = 0; i < nCount; i++) {
        HDITEM item = {};
        item.mask = HDI_FORMAT;
        if (!GetItem(i, &item)) {
            continue;
        }
        int fmt = item.fmt & ~(HDF_SORTUP | HDF_SORTDOWN);
        if (i == m_nSortColumn && !(fmt & HDF_OWNERDRAW)) {
            fmt |= m_bSortAsc ? HDF_SORTUP : HDF_SORTDOWN;
        }
        if (fmt != item.fmt) {
            item.fmt = fmt;
            SetItem(i, &item);
        }
    }
}

// Paints one owner-drawn column: a raised face, the column's title left
// aligned and cut with an ellipsis, and on the sorted column a triangle at
// the right pointing up (ascending) or down.
void CTsSortedHeaderCtrl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    if (lpDrawItemStruct == NULL || lpDrawItemStruct->hDC == NULL) {
        return;
    }
    HDC hdc = lpDrawItemStruct->hDC;
    RECT rc = lpDrawItemStruct->rcItem;
    int nColumn = static_cast<int>(lpDrawItemStruct->itemID);
    BOOL bPressed = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;

    ::FillRect(hdc, &rc, ::GetSysColorBrush(COLOR_BTNFACE));
    RECT rcEdge = rc;
    ::DrawEdge(hdc, &rcEdge, bPressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);

    char szTitle[256] = "";
    HDITEM item = {};
    item.mask = HDI_TEXT;
    item.pszText = szTitle;
    item.cchTextMax = sizeof(szTitle) - 1;
    GetItem(nColumn, &item);
    szTitle[sizeof(szTitle) - 1] = '\0';

    RECT rcText = rc;
    rcText.left += 6 + (bPressed ? 1 : 0);
    rcText.right -= (nColumn == m_nSortColumn) ? 18 : 4;
    int nOldMode = ::SetBkMode(hdc, TRANSPARENT);
    COLORREF clrOld = ::SetTextColor(hdc, ::GetSysColor(COLOR_BTNTEXT));
    ::DrawTextA(hdc, szTitle, -1, &rcText,
                DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    ::SetTextColor(hdc, clrOld);
    ::SetBkMode(hdc, nOldMode);

    if (nColumn == m_nSortColumn) {
        DrawSortTriangle(hdc, rc, m_bSortAsc);
    }
}

// A filled triangle 7 pixels wide and 4 high, 12 pixels from the right
// edge, vertically centred.
void CTsSortedHeaderCtrl::DrawSortTriangle(HDC hdc, const RECT& rcItem, BOOL bAscending) {
    int x = rcItem.right - 14;
    int y = (rcItem.top + rcItem.bottom) / 2 - 2;
    if (x < rcItem.left + 2) {
        return;
    }
    POINT pts[3];
    if (bAscending) {
        pts[0] = {x + 3, y};
        pts[1] = {x, y + 4};
        pts[2] = {x + 7, y + 4};
    } else {
        pts[0] = {x, y};
        pts[1] = {x + 7, y};
        pts[2] = {x + 3, y + 4};
    }
    HBRUSH hBrush = ::CreateSolidBrush(::GetSysColor(COLOR_BTNSHADOW));
    HPEN hPen = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
    HGDIOBJ hOldBrush = ::SelectObject(hdc, hBrush);
    HGDIOBJ hOldPen = ::SelectObject(hdc, hPen);
    ::Polygon(hdc, pts, 3);
    ::SelectObject(hdc, hOldPen);
    ::SelectObject(hdc, hOldBrush);
    ::DeleteObject(hPen);
    ::DeleteObject(hBrush);
}
