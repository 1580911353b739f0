// CTsSortedListCtrl: what the two owner-drawn lists of the container share:
// creation with the sorted header laid over the list view's own header, the
// sort state and its header click, and the building of columns from a
// setting. The lists themselves (CTsChannelGroupListCtrl,
// CTsChannelListCtrl) add their setting, their comparison, their clicks and
// the drawing of their rows.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>
#include <TsSortedHeaderCtrl.h>
#include "PeltoraApi.h"

class PELTORA_API CTsSortedListCtrl : public CListCtrl {
public:
    virtual ~CTsSortedListCtrl();

    // Creates the list (style 0x5600040D) as a child of pParent with id nID,
    // lays the sorted header over its header and gives it pFont when one is
    // given. pNotify receives the list's notifications. Returns 0 for a null
    // parent or a failed creation.
    int CreateList(CWnd* pParent, CWnd* pNotify, UINT nID, CFont* pFont);
    // Sorts by nColumn with the flag nFlag (its meaning is the list's own:
    // see CompareItems of each list), shown by the header as the sorted
    // column and its ascending flag. Returns 0 while sorting is disabled,
    // else the list view's result.
    int SortColumn(int nColumn, int nFlag);

    // Row edits: a count that moves on with every message this list
    // receives that can change a row's label or move a row (an insert, a
    // delete, a label set, a sort), whoever sends it (the container, or a
    // host through the public list pointers), and with a label the user
    // edits. The container's label index compares it with the count it last
    // saw, so it notices every change it did not make itself.
    unsigned GetRowEdits() const { return m_nRowEdits; }
    // True while a label may come from LVN_GETDISPINFO (a row given
    // LPSTR_TEXTCALLBACK since the list was last emptied, or the style
    // LVS_OWNERDATA): such a label changes without any message, so only the
    // list view's own search can tell whether it is shown.
    BOOL HasCallbackLabels() const;

    int m_nSortColumn;               // column of the current order; -1 unsorted
    int m_bSortAscending;            // sort flag, handed to the header as its ascending flag
    int m_bSortEnabled;              // 1 once columns are built; sorting refused while 0
    CWnd* m_pParentWnd;              // the container
    CWnd* m_pNotifyWnd;              // receives the list's messages to the channel-list window
    CFont* m_pFont;                  // borrowed from the container
    CTsSortedHeaderCtrl m_wndHeader; // subclassed over the list view's header

protected:
    CTsSortedListCtrl();

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    // Counts the row edits of every message, then handles it as CListCtrl.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // The list view's comparison for SortColumn; lParamSort is this list.
    virtual PFNLVCOMPARE GetCompareFunction() const = 0;
    // Whether a setting is bound; a header click sorts only then.
    virtual BOOL HasSetting() const = 0;

    // Replaces columns 0..nCount-1 with the given titles and widths: column
    // 0 left-aligned, the others with nOtherFormat; with bOwnerDrawHeader
    // each header column is drawn by the sorted header. Then resets the
    // sort state and enables sorting. Returns 0 for no columns or when a
    // column cannot be inserted (the columns inserted so far stay).
    int BuildColumnsFrom(int nCount, const int* pnWidths, const CString* pstrTitles,
                         int nOtherFormat, BOOL bOwnerDrawHeader);

    // LVN_COLUMNCLICK: a click on another column than the header's sorted
    // one sorts it with flag 1; each further click on it flips the flag.
    afx_msg void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    // LVN_ENDLABELEDIT: the list view sets the edited label itself, without
    // a message, once the parent accepts it; counted as a row edit, and
    // handed on to the parent.
    afx_msg BOOL OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()

private:
    // Moves the row edits on for a message that can change a label or the
    // order of the rows, and notes callback labels.
    void CountRowEdit(UINT message, LPARAM lParam);

    unsigned m_nRowEdits;   // row edits so far (wraps)
    BOOL m_bCallbackLabels; // a row was given LPSTR_TEXTCALLBACK since the last delete-all
};
