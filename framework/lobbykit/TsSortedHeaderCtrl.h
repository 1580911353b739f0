// CTsSortedHeaderCtrl: a list view's header that remembers the sorted column
// and its direction and shows them: owner-drawn columns (SetOwnerDraw) are
// painted here with their title; every sorted column gets a small triangle
// centred in the top band of its item, above the title, so that the title
// keeps the column's whole width (the header's own sort arrow, HDF_SORTUP
// and HDF_SORTDOWN, takes its room from the title and leaves a short title
// of a narrow column as "..." only).
// Attach it with SubclassWindow over the list view's header (the list
// view's child with control id 0); the list view must be a framework window
// so that the header's WM_DRAWITEM is reflected back here.
#pragma once

#include <afxcmn.h>

#include "LobbyKitApi.h"

class LOBBYKIT_API CTsSortedHeaderCtrl : public CHeaderCtrl {
public:
    CTsSortedHeaderCtrl();
    virtual ~CTsSortedHeaderCtrl();

    // Makes column nColumn owner-drawn (HDF_OWNERDRAW). Returns non-zero
    // when the column exists.
    int SetOwnerDraw(int nColumn);
    // The column last given to SetSortImage; -1 before any.
    int GetSortedColumn() const { return m_nSortColumn; }
    // The direction last given to SetSortImage; TRUE before any.
    BOOL IsAscSorted() const { return m_bSortAsc; }
    // Remembers the sorted column and direction and redraws the header.
    void SetSortImage(int nColumn, BOOL bAscending);

    // Paints one owner-drawn column: face, title, triangle when sorted.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

    // The triangle's box in an item: 5 x 3 pixels, centred, in the item's
    // top rows, above the tallest glyphs of the title.
    static CRect SortTriangleRect(const RECT& rcItem);

protected:
    // The header paints itself, then the triangle of a sorted column that
    // it does not draw itself.
    afx_msg void OnPaint();

    DECLARE_MESSAGE_MAP()

private:
    void UpdateSortFlags();
    void DrawSortTriangle(HDC hdc, const RECT& rcItem, BOOL bAscending);

    int m_nSortColumn; // sorted column, -1 none
    BOOL m_bSortAsc;   // direction of the sorted column
};
