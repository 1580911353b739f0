// Column settings of the two lists: columns (count, widths, titles), row
// colours, the list's rectangle in the channel-list window and its inset.
// The channel-list window owns one of each; the list controls keep a
// pointer to theirs, so a setting must outlive the lists bound to it.
#pragma once

#include <afxwin.h>
#include "PeltoraApi.h"

// Setting of the channel-group list (left list).
class PELTORA_API CTsChannelGroupListSetting {
public:
    CTsChannelGroupListSetting();
    // Each copy owns its own column arrays.
    CTsChannelGroupListSetting(const CTsChannelGroupListSetting& src);
    CTsChannelGroupListSetting& operator=(const CTsChannelGroupListSetting& src);
    virtual ~CTsChannelGroupListSetting();

    // Replaces the columns with copies of the caller's count widths and
    // titles. Returns 0 and changes nothing for a count below 1, a null
    // array or a failed allocation; else 1. Colours, rectangle and inset stay.
    int SetColumns(int nCount, const int* pnWidth, const CString* pstrTitle);

    int m_nColumnCount;           // number of columns
    int* m_pnColumnWidth;         // owned: width of each column in pixels
    CString* m_pstrColumnTitle;   // owned: title of each column
    COLORREF m_clrText;           // text colour given to the list
    COLORREF m_clrTextBk;         // text background given to the list; normal rows
    COLORREF m_clrBk;             // background given to the list; fill of normal rows
    COLORREF m_clrSelText;        // text of a highlighted row
    COLORREF m_clrSelTextBk;      // text background of a highlighted row
    COLORREF m_clrSelBk;          // fill of a highlighted row
    COLORREF m_clrDisabledText;   // text of a group the user may not join
    COLORREF m_clrDisabledTextBk; // text background of such a group
    COLORREF m_clrDisabledBk;     // fill of such a group's row
    RECT m_rcWindow;              // place of the list in the window; left/top place the container
    int m_nMargin;                // inset of the list inside the container

protected:
    // Sets every field to its default; called only by the constructor.
    void InitPrototype();
};

// Setting of the channel list (right list).
class PELTORA_API CTsChannelListSetting {
public:
    CTsChannelListSetting();
    // Each copy owns its own column arrays.
    CTsChannelListSetting(const CTsChannelListSetting& src);
    CTsChannelListSetting& operator=(const CTsChannelListSetting& src);
    virtual ~CTsChannelListSetting();

    // As CTsChannelGroupListSetting::SetColumns.
    int SetColumns(int nCount, const int* pnWidth, const CString* pstrTitle);

    int m_nColumnCount;         // number of columns
    int* m_pnColumnWidth;       // owned: width of each column in pixels
    CString* m_pstrColumnTitle; // owned: title of each column
    COLORREF m_clrText;         // text colour given to the list; normal rows
    COLORREF m_clrTextBk;       // text background given to the list; normal rows
    COLORREF m_clrBk;           // background given to the list; fill of normal rows
    COLORREF m_clrSelText;      // text of a highlighted row
    COLORREF m_clrSelTextBk;    // text background of a highlighted row
    COLORREF m_clrSelBk;        // fill of a highlighted row
    RECT m_rcWindow;            // place of the list; only width and height are used
    int m_nMargin;              // horizontal inset of the list inside the container

protected:
    // Sets every field to its default; called only by the constructor.
    void InitPrototype();
};
