// CTsLabelIndex: the labels a list view shows, filed under the key by
// which its string search (LVFI_STRING, letter case ignored) tells labels
// apart, so that "is a row with this label shown?" costs one lookup
// instead of a search through every row. The container keeps one per list
// in step with its row operations; rows added or removed around it show in
// the list's row count, and the labels are then read from the list again.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include <string>
#include <unordered_map>
#include <vector>

class CTsLabelIndex {
public:
    CTsLabelIndex();

    // Reads every row's label from the list again when its row count is
    // not the number of labels noted here.
    void Sync(const CListCtrl& list);

    // True when a noted label equals pszLabel with letter case ignored
    // (lstrcmpi, as the list view's string search); false for null.
    bool Contains(const char* pszLabel) const;
    // Notes one more row labelled pszLabel (null: an empty label).
    void Add(const char* pszLabel);
    // Forgets one row whose label equals pszLabel with letter case ignored.
    void Remove(const char* pszLabel);
    // Forgets every row.
    void Clear();

    int GetCount() const { return m_nRows; }

private:
    // Labels equal with letter case ignored share this key: the sort key
    // of the user's locale without case weights.
    static std::string KeyOf(const char* pszLabel);

    std::unordered_map<std::string, std::vector<std::string>> m_labels; // key -> labels shown
    int m_nRows;                                                        // labels noted
};
