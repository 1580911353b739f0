// CTsSortedHeaderCtrl: sort state of a list view's header and the drawing
// of its owner-drawn columns.
#include "TsSortedHeaderCtrl.h"

BEGIN_MESSAGE_MAP(CTsSortedHeaderCtrl, CHeaderCtrl)
ON_WM_PAINT()
END_MESSAGE_MAP()

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

// Takes the header's own sort arrow off every column: the triangle is drawn
// here instead (OnPaint, DrawItem).
void CTsSortedHeaderCtrl::UpdateSortFlags() {
    int nCount = GetItemCount();
    for (int i = 0; i < nCount; i++) {
        HDITEM item = {};
        item.mask = HDI_FORMAT;
        if (!GetItem(i, &item)) {
            continue;
        }
        const int fmt = item.fmt & ~(HDF_SORTUP | HDF_SORTDOWN);
        if (fmt != item.fmt) {
            item.fmt = fmt;
            SetItem(i, &item);
        }
    }
}

void CTsSortedHeaderCtrl::OnPaint() {
    Default();
    if (m_nSortColumn < 0 || m_nSortColumn >= GetItemCount()) {
        return;
    }
    HDITEM item = {};
    item.mask = HDI_FORMAT;
    CRect rcItem;
    if (!GetItem(m_nSortColumn, &item) || (item.fmt & HDF_OWNERDRAW) ||
        !GetItemRect(m_nSortColumn, &rcItem)) {
        return;
    }
    CClientDC dc(this);
    DrawSortTriangle(dc.GetSafeHdc(), rcItem, m_bSortAsc);
}

// Paints one owner-drawn column: a raised face, the column's title left
// aligned and cut with an ellipsis, and on the sorted column the triangle
// above it pointing up (ascending) or down.
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
    rcText.right -= 4;
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

CRect CTsSortedHeaderCtrl::SortTriangleRect(const RECT& rcItem) {
    const int x = (rcItem.left + rcItem.right - 5) / 2;
    return CRect(x, rcItem.top, x + 5, rcItem.top + 3);
}

// A filled triangle in SortTriangleRect, apex up when ascending. Nothing
// in an item too narrow to hold it.
void CTsSortedHeaderCtrl::DrawSortTriangle(HDC hdc, const RECT& rcItem, BOOL bAscending) {
    const CRect rc = SortTriangleRect(rcItem);
    if (rc.left < rcItem.left + 1 || rc.right > rcItem.right - 1) {
        return;
    }
    POINT pts[3];
    if (bAscending) {
        pts[0] = {rc.left + 2, rc.top};
        pts[1] = {rc.left, rc.bottom - 1};
        pts[2] = {rc.left + 4, rc.bottom - 1};
    } else {
        pts[0] = {rc.left, rc.top};
        pts[1] = {rc.left + 4, rc.top};
        pts[2] = {rc.left + 2, rc.bottom - 1};
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
