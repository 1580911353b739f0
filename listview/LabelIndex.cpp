// The index of the labels shown by a list view.
#include "LabelIndex.h"

namespace {

const DWORD kKeyFlags = LCMAP_SORTKEY | NORM_IGNORECASE;

// True when the list view's string search would take a for b.
bool SameLabel(const std::string& a, const char* b) {
    return ::lstrcmpiA(a.c_str(), b) == 0;
}

} // namespace

CTsLabelIndex::CTsLabelIndex() : m_nRows(0) {}

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

void CTsLabelIndex::Sync(const CListCtrl& list) {
    if (list.GetSafeHwnd() == NULL) {
        Clear();
        return;
    }
    const int nCount = list.GetItemCount();
    if (nCount == m_nRows)
        return;
    Clear();
    for (int i = 0; i < nCount; i++)
        Add(list.GetItemText(i, 0));
}

bool CTsLabelIndex::Contains(const char* pszLabel) const {
    if (pszLabel == NULL)
        return false;
    const auto it = m_labels.find(KeyOf(pszLabel));
    if (it == m_labels.end())
        return false;
    for (const std::string& strLabel : it->second)
        if (SameLabel(strLabel, pszLabel))
            return true;
    return false;
}

void CTsLabelIndex::Add(const char* pszLabel) {
    if (pszLabel == NULL)
        pszLabel = "";
    m_labels[KeyOf(pszLabel)].push_back(pszLabel);
    m_nRows++;
}

void CTsLabelIndex::Remove(const char* pszLabel) {
    if (pszLabel == NULL)
        return;
    const auto it = m_labels.find(KeyOf(pszLabel));
    if (it == m_labels.end())
        return;
    std::vector<std::string>& labels = it->second;
    for (size_t i = 0; i < labels.size(); i++) {
        if (SameLabel(labels[i], pszLabel)) {
            labels.erase(labels.begin() + (ptrdiff_t)i);
            m_nRows--;
            break;
        }
    }
    if (labels.empty())
        m_labels.erase(it);
}

void CTsLabelIndex::Clear() {
    m_labels.clear();
    m_nRows = 0;
}
