// CTsLabelIndex: the labels a list view shows, each with a row that shows
// it, filed under the key by which its string search (LVFI_STRING, letter
// case ignored) tells labels apart, so that "is a row with this label
// shown?" costs one lookup instead of a search through every row.
//
// It must never answer differently from that search. It holds the labels as
// they stood at one count of the list's row edits
// (CTsSortedListCtrl::GetRowEdits), which every message that can change a
// label or move a row moves on, whoever sends it: Sync reads the list again
// whenever the count (or the row count) is not the one noted, so a miss is
// a miss of the list as it stands without a search. The container's own
// appends are noted as they happen, so that its fills cost no re-reading;
// anything else it or others do is read again at the next Sync. The
// container also checks every hit against the label of the row noted.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include <string>
#include <unordered_map>
#include <vector>

class CTsLabelIndex {
public:
    CTsLabelIndex();

    // Unless the index holds the labels of the list as of nEdits (the
    // list's row edits) and as many as the list has rows, reads every
    // row's label and place again and notes nEdits. A list without a window
    // shows no labels.
    void Sync(const CListCtrl& list, unsigned nEdits);

    // A row noted with a label equal to pszLabel with letter case ignored
    // (lstrcmpi, as the list view's string search); -1 for none and for null.
    int Find(const char* pszLabel) const;
    // Notes row nRow labelled pszLabel (null: an empty label) that the
    // caller has just appended, which took the row edits to nEdits. Unless
    // that is the one edit after the count noted and nRow the number of rows
    // noted (some other change came in between), the index is read again at
    // the next Sync instead.
    void Append(const char* pszLabel, int nRow, unsigned nEdits);
    // Makes the next Sync read the list again.
    void Invalidate() { m_bCurrent = false; }
    // Forgets every row; the next Sync reads the list again.
    void Clear();

    int GetCount() const { return m_nRows; }

private:
    struct Entry {
        std::string strLabel; // the label as the row shows it
        int nRow;             // the row that shows it
    };

    // Labels equal with letter case ignored share this key: the sort key
    // of the user's locale without case weights.
    static std::string KeyOf(const char* pszLabel);
    void AddEntry(const char* pszLabel, int nRow);

    std::unordered_map<std::string, std::vector<Entry>> m_labels; // key -> rows
    int m_nRows;                                                  // rows noted
    unsigned m_nEdits;                                            // row edits the labels stand at
    bool m_bCurrent;                                              // m_nEdits holds
};
