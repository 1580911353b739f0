// The index of the labels shown by a list view.
#include "LabelIndex.h"

namespace {

const DWORD kKeyFlags = LCMAP_SORTKEY | NORM_IGNORECASE;

// True when the list view's string search would take a for b.
bool SameLabel(const std::string& a, const char* b) {
    return ::lstrcmpiA(a.c_str(), b) == 0;
}

} // namespace

CTsLabelIndex::CTsLabelIndex() : m_nRows(0), m_nEdits(0), m_bCurrent(false) {}

std::string CTsLabelIndex::KeyOf(const char* pszLabel) {
    char szKey[256];
    int nKey = ::LCMapStringA(LOCALE_USER_DEFAULT, kKeyFlags, pszLabel, -1, szKey, sizeof(szKey));
    if (nKey > 0)
        return std::string(szKey, (size_t)nKey);
    nKey = ::LCMapStringA(LOCALE_USER_DEFAULT, kKeyFlags, pszLabel, -1, NULL, 0);
    if (nKey > 0) {
        std::string strKey((size_t)nKey, '\0');
        nKey = ::LCMapStringA(LOCALE_USER_DEFAULT, kKeyFlags, pszLabel, -1, &strKey[0], nKey);
        if (nKey > 0) {
            strKey.resize((size_t)nKey);
            return strKey;
        }
    }
    // No sort key: such labels share one key and are told apart by lstrcmpi.
    return std::string();
}

void CTsLabelIndex::Sync(const CListCtrl& list, unsigned nEdits) {
    if (list.GetSafeHwnd() == NULL) {
        Clear();
        return;
    }
    const int nCount = list.GetItemCount();
    if (m_bCurrent && nEdits == m_nEdits && nCount == m_nRows)
        return;
    Clear();
    for (int i = 0; i < nCount; i++)
        AddEntry(list.GetItemText(i, 0), i);
    m_nEdits = nEdits;
    m_bCurrent = true;
}

int CTsLabelIndex::Find(const char* pszLabel) const {
    if (pszLabel == NULL)
        return -1;
    const auto it = m_labels.find(KeyOf(pszLabel));
    if (it == m_labels.end())
        return -1;
    for (const Entry& entry : it->second)
        if (SameLabel(entry.strLabel, pszLabel))
            return entry.nRow;
    return -1;
}

void CTsLabelIndex::Append(const char* pszLabel, int nRow, unsigned nEdits) {
    if (!m_bCurrent || nEdits != m_nEdits + 1 || nRow != m_nRows) {
        m_bCurrent = false;
        return;
    }
    AddEntry(pszLabel, nRow);
    m_nEdits = nEdits;
}

void CTsLabelIndex::Clear() {
    m_labels.clear();
    m_nRows = 0;
    m_bCurrent = false;
}

void CTsLabelIndex::AddEntry(const char* pszLabel, int nRow) {
    if (pszLabel == NULL)
        pszLabel = "";
    m_labels[KeyOf(pszLabel)].push_back(Entry{pszLabel, nRow});
    m_nRows++;
}
