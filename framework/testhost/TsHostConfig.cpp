// CTsHostConfig: the host's records and settings from a key = value text.
#include "TsHostConfig.h"

#include <stdlib.h>
#include <string.h>

#include "../mbcs/TsMbcsCut.h"

// Largest configuration file read.
static const long kMaxConfigFile = 65536;

// Copies src into a fixed field of nSize bytes, cut to fit between
// characters (never inside a double-byte one), NUL-terminated.
static void CopyField(char* pszDest, size_t nSize, LPCSTR lpszSrc) {
    size_t nLength = TsMbcsCutLength(lpszSrc, nSize - 1);
    memcpy(pszDest, lpszSrc, nLength);
    memset(pszDest + nLength, 0, nSize - nLength);
}

// At most nMax bytes of src, cut between characters.
static CString CutText(LPCSTR lpszSrc, size_t nMax) {
    return CString(lpszSrc, static_cast<int>(TsMbcsCutLength(lpszSrc, nMax)));
}

#define COPY_FIELD(field, value) CopyField(field, sizeof(field), value)

CTsHostConfig::CTsHostConfig()
    : m_dwOption(0), m_strRegKey(TS_DEFAULT_REGKEY), m_nHeaderTop(24), m_nHeaderHeight(30),
      m_bUseRating(1), m_nWidth(800), m_nHeight(540) {}

int CTsHostConfig::Set(LPCSTR lpszKey, LPCSTR lpszValue) {
    if (lpszKey == NULL || lpszValue == NULL) {
        return 0;
    }
    CString strKey(lpszKey);
    int nValue = atoi(lpszValue);
    if (strKey == "member.id") {
        COPY_FIELD(m_member.m_szId, lpszValue);
    } else if (strKey == "member.nick") {
        COPY_FIELD(m_member.m_szNick, lpszValue);
    } else if (strKey == "member.avatar") {
        COPY_FIELD(m_member.m_szAvatar, lpszValue);
    } else if (strKey == "member.grade") {
        COPY_FIELD(m_member.m_szGrade, lpszValue);
    } else if (strKey == "member.level") {
        m_member.m_nLevel = nValue;
    } else if (strKey == "game.id") {
        COPY_FIELD(m_gameInfo.m_szGameId, lpszValue);
    } else if (strKey == "game.code") {
        COPY_FIELD(m_gameInfo.m_szGameCode, lpszValue);
    } else if (strKey == "record.rating") {
        m_gameRecord.m_nRating = nValue;
    } else if (strKey == "record.rating2") {
        m_gameRecord.m_nRating2 = nValue;
    } else if (strKey == "record.money") {
        m_gameRecord.m_llMoney = strtoll(lpszValue, NULL, 10);
    } else if (strKey == "record.games") {
        m_gameRecord.m_nGameCount = nValue;
    } else if (strKey == "site.code") {
        COPY_FIELD(m_cfgSetting.m_szSiteCode, lpszValue);
    } else if (strKey == "ad.url") {
        COPY_FIELD(m_cfgSetting.m_szAdUrl, lpszValue);
    } else if (strKey == "ad.info") {
        COPY_FIELD(m_cfgSetting.m_szAdInfo, lpszValue);
    } else if (strKey == "option") {
        m_dwOption = static_cast<DWORD>(strtoul(lpszValue, NULL, 0));
    } else if (strKey == "regkey") {
        m_strRegKey = CutText(lpszValue, 255);
    } else if (strKey == "header.top") {
        m_nHeaderTop = nValue >= 0 && nValue <= 4096 ? nValue : m_nHeaderTop;
    } else if (strKey == "header.height") {
        m_nHeaderHeight = nValue >= 0 && nValue <= 4096 ? nValue : m_nHeaderHeight;
    } else if (strKey == "use-rating") {
        m_bUseRating = nValue;
    } else if (strKey == "frame.width") {
        m_nWidth = nValue > 0 && nValue <= 4096 ? nValue : m_nWidth;
    } else if (strKey == "frame.height") {
        m_nHeight = nValue > 0 && nValue <= 4096 ? nValue : m_nHeight;
    } else if (strKey == "title.money") {
        m_titleInfo.m_llMoney = strtoll(lpszValue, NULL, 10);
    } else if (strKey == "title.level") {
        m_titleInfo.m_nLevel = nValue;
    } else if (strKey == "title.rating") {
        m_titleInfo.m_nRating = nValue;
    } else if (strKey == "title.score") {
        m_titleInfo.m_nScore = nValue;
    } else if (strKey == "title.wins") {
        m_titleInfo.m_nWins = nValue;
    } else if (strKey == "title.losses") {
        m_titleInfo.m_nLosses = nValue;
    } else if (strKey == "title.ranking") {
        m_titleInfo.m_nRanking = nValue;
    } else if (strKey == "gamestring") {
        m_strGameString = lpszValue;
    } else if (strKey == "groupmsg") {
        m_strGroupMsg = lpszValue;
    } else if (strKey == "log.file") {
        m_strLogFile = CutText(lpszValue, MAX_PATH - 1);
    } else {
        return 0;
    }
    return 1;
}

// Splits the text into lines, each at its first '='; key and value are
// trimmed. Lines without '=' and comment lines are skipped.
int CTsHostConfig::Parse(LPCSTR lpszText) {
    if (lpszText == NULL) {
        return 0;
    }
    CString strText(lpszText);
    int nTaken = 0;
    int nStart = 0;
    while (nStart < strText.GetLength()) {
        int nEnd = strText.Find('\n', nStart);
        if (nEnd < 0) {
            nEnd = strText.GetLength();
        }
        CString strLine = strText.Mid(nStart, nEnd - nStart);
        nStart = nEnd + 1;
        strLine.TrimLeft();
        strLine.TrimRight();
        int nEqual = strLine.Find('=');
        if (strLine.IsEmpty() || strLine[0] == '#' || nEqual <= 0) {
            continue;
        }
        CString strKey = strLine.Left(nEqual);
        CString strValue = strLine.Mid(nEqual + 1);
        strKey.TrimRight();
        strValue.TrimLeft();
        nTaken += Set(strKey, strValue);
    }
    return nTaken;
}

int CTsHostConfig::LoadFile(LPCSTR lpszPath) {
    FILE* pFile = lpszPath != NULL ? fopen(lpszPath, "rb") : NULL;
    if (pFile == NULL) {
        return 0;
    }
    CString strText;
    char* pBuffer = strText.GetBuffer(kMaxConfigFile);
    if (pBuffer == NULL) { // no memory for the text
        fclose(pFile);
        return 0;
    }
    size_t nRead = fread(pBuffer, 1, kMaxConfigFile, pFile);
    fclose(pFile);
    strText.ReleaseBuffer(static_cast<int>(nRead));
    Parse(strText);
    return 1;
}
