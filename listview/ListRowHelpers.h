// What the two list controls share: finding a row by its label, comparing
// texts by bytes, the geometry of an owner-drawn row
// and the drawing of the text columns after the first. The per-control
// rules (colours, separators, sort orders) stay in the controls.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

// DrawText flags of the first column: single line, vertically centred, no
// prefix, no clipping by the text call, ellipsis at the end (0x8924).
const UINT TS_DT_NAME = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP | DT_END_ELLIPSIS;
// DrawText flags of the further columns, before their alignment (0x8824).
const UINT TS_DT_COLUMN = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;

// Index of the row labelled pszLabel, by the list view's own string search
// from the first row (whole label, letter case ignored); -1 when there is
// none or pszLabel is null.
int TsFindRowByLabel(const CListCtrl& list, const char* pszLabel);

// Byte comparison of two NUL-terminated strings: -1 when a's first
// differing byte is smaller, 1 when larger, 0 when equal. Null counts as "".
int TsCompareBytes(const char* a, const char* b);

// Sets the list view's text, text-background and background colours in
// this order, stopping at the first failure. Returns 1 when all three took.
int TsApplyListColours(CListCtrl& list, COLORREF clrText, COLORREF clrTextBk, COLORREF clrBk);

// Height of a row for the list's current font: |font height| + nExtra; a
// list without a font of its own measures the default GUI font.
int TsRowHeightForFont(CListCtrl& list, int nExtra);

// What an owner-drawn row needs to know about itself.
struct TsRowInfo {
    int nItem;          // row index
    UINT nState;        // LVIS_ state bits of the row
    LPARAM lParam;      // item data (the borrowed record)
    CRect rcBounds;     // whole row (LVIR_BOUNDS)
    CRect rcLabel;      // label of column 0 (LVIR_LABEL)
    int nOffset;        // twice the width of a space in the DC's font
    BOOL bHighlighted;  // drop-highlighted, or selected while focused or always shown
    BOOL bListHasFocus; // the list has the keyboard focus
};

// Reads the state, item data and rectangles of row nItem and measures the
// text offset in pDC. Returns 0 when the list does not know the row.
int TsGetRowInfo(CListCtrl& list, CDC* pDC, int nItem, TsRowInfo& info);

// Fills the row's bounds with a solid colour.
void TsFillRow(CDC* pDC, const TsRowInfo& info, COLORREF clrFill);

// Draws the first column's text (the record's name): clipped to column 0,
// in the label rectangle narrowed by half the offset on the left and the
// offset on the right, with TS_DT_NAME. The DC's clip is restored after.
void TsDrawRowName(CListCtrl& list, CDC* pDC, const TsRowInfo& info, const char* pszName);

// Draws the row's texts of columns 1, 2, ... while the list reports them:
// each column's rectangle follows the previous one, narrowed by the offset
// on both sides, aligned as the column is, with TS_DT_COLUMN. Empty texts
// are skipped. Clips the DC to the row's bounds first.
void TsDrawRowColumns(CListCtrl& list, CDC* pDC, const TsRowInfo& info);

// Focus rectangle around the row when it has the focus state and the list
// has the keyboard focus.
void TsDrawRowFocus(CDC* pDC, const TsRowInfo& info);
