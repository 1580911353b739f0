// CTsTitleInfo: display texts of the member panel's title lines and the
// ad page read from the advertisement settings.
#include "TsTitleInfo.h"

#include <string.h>

#include "../mbcs/TsMbcsCut.h"

// Longest ad page address kept, in bytes.
static const int kMaxAdPage = 255;

CTsTitleInfo::CTsTitleInfo()
    : m_llMoney(0LL), m_nLevel(0), m_nRating(0), m_nScore(0), m_nWins(0), m_nLosses(0),
      m_nRanking(0) {}

// "Money 1,234,500": groups of three digits from the right, a leading minus
// kept in front.
CString CTsTitleInfo::GetMoneyInfo() const {
    long long llValue = m_llMoney.Get();
    unsigned long long ullAbs = llValue < 0 ? 0ULL - static_cast<unsigned long long>(llValue)
                                            : static_cast<unsigned long long>(llValue);
    char szDigits[32];
    snprintf(szDigits, sizeof(szDigits), "%llu", ullAbs);
    int nDigits = static_cast<int>(strlen(szDigits));
    CString strGrouped;
    for (int i = 0; i < nDigits; i++) {
        if (i > 0 && (nDigits - i) % 3 == 0) {
            strGrouped += ',';
        }
        strGrouped += szDigits[i];
    }
    CString strText;
    strText.Format("Money %s%s", llValue < 0 ? "-" : "", (LPCSTR)strGrouped);
    return strText;
}

CString CTsTitleInfo::GetLevelInfo() const {
    CString strText;
    strText.Format("Level %d", m_nLevel);
    return strText;
}

CString CTsTitleInfo::GetRatingInfo() const {
    CString strText;
    strText.Format("Rating %d", m_nRating);
    return strText;
}

CString CTsTitleInfo::GetScoreInfo() const {
    CString strText;
    strText.Format("Score %d", m_nScore);
    return strText;
}

// Percentage of games won, rounded down; counts below zero read as zero.
CString CTsTitleInfo::GetRateOfWinsInfo() const {
    long long llWins = m_nWins > 0 ? m_nWins : 0;
    long long llLosses = m_nLosses > 0 ? m_nLosses : 0;
    CString strText;
    if (llWins + llLosses > 0) {
        strText.Format("Wins %d%% (%dW %dL)", static_cast<int>(llWins * 100 / (llWins + llLosses)),
                       static_cast<int>(llWins), static_cast<int>(llLosses));
    }
    return strText;
}

CString CTsTitleInfo::GetRankingInfo() const {
    CString strText;
    if (m_nRanking > 0) {
        strText.Format("Ranking %d", m_nRanking);
    }
    return strText;
}

// Walks the ';'-separated items; the last "page=" item wins.
void CTsTitleInfo::ApplyAdInformation(const char* pszAdInfo) {
    m_strAdPage.Empty();
    if (pszAdInfo == NULL) {
        return;
    }
    CString strInfo(pszAdInfo);
    int nStart = 0;
    while (nStart <= strInfo.GetLength()) {
        int nEnd = strInfo.Find(';', nStart);
        if (nEnd < 0) {
            nEnd = strInfo.GetLength();
        }
        CString strItem = strInfo.Mid(nStart, nEnd - nStart);
        int nEqual = strItem.Find('=');
        if (nEqual > 0) {
            CString strKey = strItem.Left(nEqual);
            strKey.TrimLeft();
            strKey.TrimRight();
            if (strKey.CompareNoCase("page") == 0) {
                CString strValue = strItem.Mid(nEqual + 1);
                strValue.TrimLeft();
                strValue.TrimRight();
                // Cut between characters, never inside a double-byte one.
                m_strAdPage =
                    strValue.Left(static_cast<int>(TsMbcsCutLength(strValue, kMaxAdPage)));
            }
        }
        nStart = nEnd + 1;
    }
}
