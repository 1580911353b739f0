// The channel-group catalogue line, its file name, the admission rule and
// the group message.
#include "GroupCatalogue.h"

#include <limits.h>
#include <stdlib.h>
#include <string.h>

#include <KelpParser.h>

#include "TsCopyField.h"
#include "TsRegion.h"

namespace {

// The catalogue's positions: 1 to 6, and in configurations whose groups
// name their own servers, 7 (the packed address) and 8 (the port).
const int kPositionCount = TsRegion::kGroupServers ? 8 : 6;

// atoi's reading (leading white space, sign, digits, anything after them
// ignored), with results beyond 32 bits clamped instead of undefined.
int CatalogueNumber(const char* pszField) {
    const long long llValue = strtoll(pszField, NULL, 10);
    if (llValue > INT_MAX)
        return INT_MAX;
    if (llValue < INT_MIN)
        return INT_MIN;
    return (int)llValue;
}

// Stores field nPosition (1-based) of a line into group.
void StoreField(int nPosition, const char* pszField, CTsChannelGroupListData& group) {
    switch (nPosition) {
    case 1:
        TsCopyField(group.m_szGroupId, pszField);
        break;
    case 2:
        TsCopyField(group.m_szGroupName, pszField);
        break;
    case 3:
        group.m_nMinRating = CatalogueNumber(pszField);
        break;
    case 4:
        group.m_nMaxRating = CatalogueNumber(pszField);
        break;
    case 5:
        group.m_nMinLevel = CatalogueNumber(pszField);
        break;
    case 6:
        group.m_nMaxLevel = CatalogueNumber(pszField);
        break;
#if defined(PELTORA_REGION_CN)
    case 7: {
        // Unpacked into a buffer as long as the line, then cut to the field;
        // a malformed packing gives an empty address.
        char szAddress[TS_CATALOGUE_LINE_SIZE + 1];
        if (!CEncodeToWeb::unpackString(pszField, szAddress, sizeof(szAddress)))
            szAddress[0] = '\0';
        TsCopyField(group.m_szListServerIp, szAddress);
        break;
    }
    case 8:
        group.m_nListServerPort = CatalogueNumber(pszField);
        break;
#endif
    }
}

bool EqualsIgnoringCase(const char* a, const char* b) {
    return _stricmp(a, b) == 0;
}

} // namespace

void TsSplitCatalogueLine(const char* pszLine, CTsChannelGroupListData& group) {
    if (pszLine == NULL)
        return;
    const char* pszLastComma = strrchr(pszLine, ',');
    if (pszLastComma == NULL)
        return;

    // The fields before the last comma, each copied out so that it ends in
    // a NUL of its own; StoreField cuts the texts to their fields' widths.
    const char* pszField = pszLine;
    for (int nPosition = 1; nPosition <= kPositionCount && pszField <= pszLastComma; ++nPosition) {
        const char* pszEnd = strchr(pszField, ',');
        const CString strField(pszField, (int)(pszEnd - pszField));
        StoreField(nPosition, strField, group);
        pszField = pszEnd + 1;
    }
    TsCopyField(group.m_szGrade, pszLastComma + 1);
}

CString TsCatalogueFileName(const char* pszGameId, const char* pszSiteCode) {
    CString strName(pszGameId != NULL ? pszGameId : "");
    // Lower-case ASCII letters only, stepping over double-byte characters
    // whose trail bytes may look like upper-case letters.
    char* p = strName.GetBuffer(0);
    for (; *p != '\0'; ++p) {
        if (IsDBCSLeadByte((BYTE)*p) && p[1] != '\0')
            ++p;
        else if (*p >= 'A' && *p <= 'Z')
            *p = (char)(*p - 'A' + 'a');
    }
    strName.ReleaseBuffer();
    strName += pszSiteCode != NULL ? pszSiteCode : "";
    strName += ".tsg";
    return strName;
}

int TsIsGroupAdmitted(const CTsMember& member, const CTsGameRecord& record, const char* pszGameId,
                      const CTsChannelGroupListData& group, int bRatingBand) {
    const char* pszGame = pszGameId != NULL ? pszGameId : "";
    const bool bSecondRating = strcmp(pszGame, "BILLIARD4") == 0 ||
                               strcmp(pszGame, "BILLIARD3") == 0 ||
                               strcmp(pszGame, "BILLIARD6") == 0;
    const int nRating = bSecondRating ? record.m_nRating2 : record.m_nRating;
    if (bRatingBand) {
        if (nRating < group.m_nMinRating)
            return 0;
        if (group.m_nMaxRating > 0 && nRating > group.m_nMaxRating)
            return 0;
    }

    const int nLevel = member.m_nLevel;
    if (group.m_nMinLevel != 0 && nLevel < group.m_nMinLevel)
        return 0;
    if (group.m_nMaxLevel != 0 && nLevel > group.m_nMaxLevel)
        return 0;

    if (EqualsIgnoringCase(group.m_szGrade, "A"))
        return 1;
    // The member's grade field holds one character; read it bounded in
    // case the host left it without a terminator.
    char szMemberGrade[sizeof(member.m_szGrade) + 1] = {0};
    memcpy(szMemberGrade, member.m_szGrade, sizeof(member.m_szGrade));
    return EqualsIgnoringCase(szMemberGrade, group.m_szGrade) ? 1 : 0;
}

int TsBuildGroupMessage(const CTsChannelGroupListData& group, CString& strMessage) {
    strMessage.Empty();
    CKelpParser parser(G::serviceGo, G::commandGo, NULL, 1, NULL, 0);
    char* pszText = NULL;
    int nLength = 0;
    if (!parser.AddValue(G::keyMinMember, group.m_nMinLevel) ||
        !parser.AddValue(G::keyMaxMember, group.m_nMaxLevel) ||
        !parser.AddValue(G::keyRating, group.m_nMinRating) ||
        !parser.AddValue(G::keyRatingMove, group.m_nMaxRating) || !parser.GetURL(pszText, nLength))
        return 0;
    strMessage = CString(pszText, nLength);
    return 1;
}
