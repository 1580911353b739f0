// Row helpers shared by the channel-group and channel list controls.
#include "ListRowHelpers.h"

#include <stdlib.h>

int TsFindRowByLabel(const CListCtrl& list, const char* pszLabel) {
    if (pszLabel == NULL || list.GetSafeHwnd() == NULL)
        return -1;
    LVFINDINFO find;
    ZeroMemory(&find, sizeof(find));
    find.flags = LVFI_STRING;
    find.psz = pszLabel;
    return list.FindItem(&find, -1);
}

int TsCompareBytes(const char* a, const char* b) {
    const unsigned char* pa = (const unsigned char*)(a != NULL ? a : "");
    const unsigned char* pb = (const unsigned char*)(b != NULL ? b : "");
    while (*pa != 0 && *pa == *pb) {
        pa++;
        pb++;
    }
    if (*pa < *pb)
        return -1;
    return *pa > *pb ? 1 : 0;
}

int TsApplyListColours(CListCtrl& list, COLORREF clrText, COLORREF clrTextBk, COLORREF clrBk) {
    if (!list.SetTextColor(clrText))
        return 0;
    if (!list.SetTextBkColor(clrTextBk))
        return 0;
    return list.SetBkColor(clrBk) ? 1 : 0;
}

int TsRowHeightForFont(CListCtrl& list, int nExtra) {
    HFONT hFont = (HFONT)list.SendMessage(WM_GETFONT);
    if (hFont == NULL)
        hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    LOGFONT lf;
    if (::GetObject(hFont, sizeof(lf), &lf) != sizeof(lf))
        return nExtra;
    return abs((int)lf.lfHeight) + nExtra;
}

int TsGetRowInfo(CListCtrl& list, CDC* pDC, int nItem, TsRowInfo& info) {
    LVITEM item;
    ZeroMemory(&item, sizeof(item));
    item.mask = LVIF_STATE | LVIF_PARAM;
    item.iItem = nItem;
    item.stateMask = 0xFFFF;
    if (!list.GetItem(&item))
        return 0;
    info.nItem = nItem;
    info.nState = item.state;
    info.lParam = item.lParam;
    info.bListHasFocus = (::GetFocus() == list.GetSafeHwnd());
    const BOOL bShowSelAlways = (list.GetStyle() & LVS_SHOWSELALWAYS) != 0;
    info.bHighlighted =
        (item.state & LVIS_DROPHILITED) != 0 ||
        ((item.state & LVIS_SELECTED) != 0 && (info.bListHasFocus || bShowSelAlways));
    list.GetItemRect(nItem, &info.rcBounds, LVIR_BOUNDS);
    list.GetItemRect(nItem, &info.rcLabel, LVIR_LABEL);
    info.nOffset = pDC->GetTextExtent(" ", 1).cx * 2;
    return 1;
}

void TsFillRow(CDC* pDC, const TsRowInfo& info, COLORREF clrFill) {
    CBrush brush;
    if (brush.CreateSolidBrush(clrFill))
        pDC->FillRect(&info.rcBounds, &brush);
}

void TsDrawRowName(CListCtrl& list, CDC* pDC, const TsRowInfo& info, const char* pszName) {
    const int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(info.rcBounds.left, info.rcBounds.top,
                           info.rcBounds.left + list.GetColumnWidth(0), info.rcBounds.bottom);
    CRect rcText = info.rcLabel;
    rcText.left += info.nOffset / 2;
    rcText.right -= info.nOffset;
    pDC->DrawText(pszName != NULL ? pszName : "", -1, &rcText, TS_DT_NAME);
    pDC->RestoreDC(nSaved);
}

// The alignment flag of DrawText for a column's format.
static UINT AlignmentOfFormat(int fmt) {
    switch (fmt & LVCFMT_JUSTIFYMASK) {
    case LVCFMT_RIGHT:
        return DT_RIGHT;
    case LVCFMT_CENTER:
        return DT_CENTER;
    default:
        return DT_LEFT;
    }
}

void TsDrawRowColumns(CListCtrl& list, CDC* pDC, const TsRowInfo& info) {
    pDC->IntersectClipRect(&info.rcBounds);
    CRect rcColumn = info.rcBounds;
    rcColumn.right = rcColumn.left + list.GetColumnWidth(0);
    for (int k = 1;; k++) {
        LVCOLUMN column;
        ZeroMemory(&column, sizeof(column));
        column.mask = LVCF_FMT | LVCF_WIDTH;
        if (!list.GetColumn(k, &column))
            break;
        rcColumn.left = rcColumn.right;
        rcColumn.right = rcColumn.left + column.cx;
        const CString strText = list.GetItemText(info.nItem, k);
        if (strText.IsEmpty())
            continue;
        CRect rcText = rcColumn;
        rcText.left += info.nOffset;
        rcText.right -= info.nOffset;
        pDC->DrawText(strText, &rcText, TS_DT_COLUMN | AlignmentOfFormat(column.fmt));
    }
}

void TsDrawRowFocus(CDC* pDC, const TsRowInfo& info) {
    if ((info.nState & LVIS_FOCUSED) != 0 && info.bListHasFocus)
        pDC->DrawFocusRect(&info.rcBounds);
}
