// The continue-play values in the client's registry key.
#include "ContinuePlay.h"

#include <string.h>

#include "TsCopyField.h"
#include "TsRegion.h"

namespace {

// Opens (creating when missing) the client's key with only the access
// that the step needs: reading values, or setting and deleting them. A
// user without administrator rights may read a key under
// HKEY_LOCAL_MACHINE but not open it for writing.
HKEY OpenClientKey(LPCSTR pszRegKey, REGSAM samDesired) {
    HKEY hKey = NULL;
    if (pszRegKey == NULL ||
        ::RegCreateKeyExA(TsRegion::RegistryRoot(), pszRegKey, 0, NULL, REG_OPTION_NON_VOLATILE,
                          samDesired, NULL, &hKey, NULL) != ERROR_SUCCESS)
        return NULL;
    return hKey;
}

// Reads value pszName as text of at most nMax characters into pszText,
// which holds nMax + 1. The stored bytes need not end in a NUL (the text
// then ends after the bytes read), but a full-length text stored with its
// NUL, as the client stores texts, fits too. False when the value is
// missing or its text longer than nMax.
bool ReadText(HKEY hKey, LPCSTR pszName, char* pszText, DWORD nMax) {
    DWORD cbData = nMax + 1;
    memset(pszText, 0, nMax + 1);
    if (::RegQueryValueExA(hKey, pszName, NULL, NULL, (LPBYTE)pszText, &cbData) != ERROR_SUCCESS)
        return false;
    if (strnlen(pszText, nMax + 1) > nMax) {
        memset(pszText, 0, nMax + 1);
        return false;
    }
    return true;
}

} // namespace

int TsReadContinuePlay(LPCSTR pszRegKey, const char* pszMemberId, char (&szChannelId)[32],
                       int& nRoom) {
    HKEY hKey = OpenClientKey(pszRegKey, KEY_QUERY_VALUE);
    if (hKey == NULL)
        return 0;

    char szUser[256];
    int bFound = 0;
    if (ReadText(hKey, "ContPlayId", szUser, 255) && pszMemberId != NULL &&
        strcmp(szUser, pszMemberId) == 0) {
        bFound = 1;
        char szChannel[31];
        if (ReadText(hKey, "ContPlayChId", szChannel, 30))
            TsCopyField(szChannelId, szChannel);
        DWORD dwRoom = 0;
        DWORD cbRoom = sizeof(dwRoom);
        if (::RegQueryValueExA(hKey, "ContPlayGmId", NULL, NULL, (LPBYTE)&dwRoom, &cbRoom) ==
                ERROR_SUCCESS &&
            cbRoom == sizeof(dwRoom))
            nRoom = (int)dwRoom;
    }
    ::RegCloseKey(hKey);
    return bFound;
}

int TsDeleteContinuePlay(LPCSTR pszRegKey) {
    HKEY hKey = OpenClientKey(pszRegKey, KEY_SET_VALUE);
    if (hKey == NULL)
        return 0;
    static const char* const kValues[] = {"ContPlayId", "ContPlaySbId", "ContPlayChId",
                                          "ContPlayGmId"};
    for (const char* pszName : kValues)
        ::RegDeleteValueA(hKey, pszName);
    ::RegCloseKey(hKey);
    return 1;
}

int TsReadLastGroup(LPCSTR pszRegKey, char (&szGroupId)[256]) {
    szGroupId[0] = '\0';
    HKEY hKey = OpenClientKey(pszRegKey, KEY_QUERY_VALUE);
    if (hKey == NULL)
        return 0;
    const bool bRead = ReadText(hKey, "LastSelGrId", szGroupId, 255);
    ::RegCloseKey(hKey);
    if (!bRead)
        szGroupId[0] = '\0';
    return bRead ? 1 : 0;
}

int TsWriteLastGroup(LPCSTR pszRegKey, const char* pszGroupId) {
    HKEY hKey = OpenClientKey(pszRegKey, KEY_SET_VALUE);
    if (hKey == NULL || pszGroupId == NULL) {
        if (hKey != NULL)
            ::RegCloseKey(hKey);
        return 0;
    }
    const LONG nResult = ::RegSetValueExA(hKey, "LastSelGrId", 0, REG_SZ, (const BYTE*)pszGroupId,
                                          (DWORD)strlen(pszGroupId) + 1);
    ::RegCloseKey(hKey);
    return nResult == ERROR_SUCCESS ? 1 : 0;
}
