// Fuzz target: arbitrary bytes (up to the first NUL) as one catalogue line,
// split into a group record; also as a game id for the catalogue's file
// name. The record is compared field by field with the line's own split,
// the admission rule is evaluated for a table of members against its rule
// spelled out here, and the group message must read back with the group's
// limits. Built once per configuration: the Simplified-Chinese one has the
// two server positions.
#include "GroupCatalogue.h"

#include <KelpParser.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "FieldChecks.h"
#include "TsRegion.h"

namespace {

const int kPositions = TsRegion::kGroupServers ? 8 : 6;

// atoi's reading with results beyond 32 bits held at the nearest bound.
int AtoiClamped(const char* p) {
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    const bool bNegative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    long long llValue = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        llValue = llValue * 10 + (*p - '0');
        if (llValue > 1LL + INT_MAX)
            llValue = 1LL + INT_MAX;
    }
    llValue = bNegative ? -llValue : llValue;
    return llValue > INT_MAX ? INT_MAX : static_cast<int>(llValue);
}

CTsChannelGroupListData Stale() {
    CTsChannelGroupListData group;
    TsCopyField(group.m_szGroupId, "stale-id");
    TsCopyField(group.m_szGroupName, "stale-name");
    TsCopyField(group.m_szGrade, "st");
    group.m_nMinRating = group.m_nMaxRating = group.m_nMinLevel = group.m_nMaxLevel = -7;
#if defined(PELTORA_REGION_CN)
    TsCopyField(group.m_szListServerIp, "stale-ip");
    group.m_nListServerPort = -7;
#endif
    return group;
}

// Checks group against the line's fields before its last comma (positions
// 1 and on) and its grade; positions the line does not give stay stale.
void CheckSplit(const std::vector<std::string>& fields, const char* pszGrade,
                const CTsChannelGroupListData& group) {
    const CTsChannelGroupListData stale = Stale();
    auto given = [&fields](int nPosition) { return static_cast<int>(fields.size()) >= nPosition; };
    auto field = [&fields](int nPosition) { return fields[nPosition - 1].c_str(); };
    CheckFieldFrom(group.m_szGroupId, given(1) ? field(1) : stale.m_szGroupId);
    CheckFieldFrom(group.m_szGroupName, given(2) ? field(2) : stale.m_szGroupName);
    Require(group.m_nMinRating == (given(3) ? AtoiClamped(field(3)) : -7));
    Require(group.m_nMaxRating == (given(4) ? AtoiClamped(field(4)) : -7));
    Require(group.m_nMinLevel == (given(5) ? AtoiClamped(field(5)) : -7));
    Require(group.m_nMaxLevel == (given(6) ? AtoiClamped(field(6)) : -7));
#if defined(PELTORA_REGION_CN)
    std::string sAddress = stale.m_szListServerIp;
    if (given(7)) {
        std::vector<char> buffer(TS_CATALOGUE_LINE_SIZE + 1);
        const bool bUnpacked =
            CEncodeToWeb::unpackString(field(7), buffer.data(), static_cast<int>(buffer.size()));
        sAddress = bUnpacked ? buffer.data() : "";
    }
    CheckFieldFrom(group.m_szListServerIp, sAddress.c_str());
    Require(group.m_nListServerPort == (given(8) ? AtoiClamped(field(8)) : -7));
#endif
    CheckFieldFrom(group.m_szGrade, pszGrade != nullptr ? pszGrade : stale.m_szGrade);
}

bool SameIgnoringCase(const char* a, const char* b) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    for (; *a != '\0' && lower(*a) == lower(*b); ++a, ++b) {
    }
    return lower(*a) == lower(*b);
}

// The admission rule, evaluated for a table of members, ratings and games.
void CheckAdmission(const CTsChannelGroupListData& group) {
    const int levels[] = {0, 5, INT_MIN, INT_MAX};
    const int ratings[][2] = {{0, 0}, {1500, -3}, {INT_MAX, INT_MIN}};
    const char grades[][2] = {{'A', '\0'}, {'b', '\0'}, {'B', 'C'}}; // the last one unterminated
    const char* const games[] = {"TETRIS", "BILLIARD4", nullptr};
    for (int nLevel : levels)
        for (const auto& rating : ratings)
            for (const auto& grade : grades)
                for (const char* pszGame : games)
                    for (int bBand = 0; bBand <= 1; ++bBand) {
                        CTsMember member;
                        member.m_nLevel = nLevel;
                        std::memcpy(member.m_szGrade, grade, sizeof member.m_szGrade);
                        CTsGameRecord record;
                        record.m_nRating = rating[0];
                        record.m_nRating2 = rating[1];
                        const int nRating =
                            pszGame != nullptr && std::strcmp(pszGame, "BILLIARD4") == 0
                                ? rating[1]
                                : rating[0];
                        const std::string sGrade(grade, sizeof grade);
                        bool bAdmitted = true;
                        if (bBand && (nRating < group.m_nMinRating ||
                                      (group.m_nMaxRating > 0 && nRating > group.m_nMaxRating)))
                            bAdmitted = false;
                        if ((group.m_nMinLevel != 0 && nLevel < group.m_nMinLevel) ||
                            (group.m_nMaxLevel != 0 && nLevel > group.m_nMaxLevel))
                            bAdmitted = false;
                        if (!SameIgnoringCase(group.m_szGrade, "A") &&
                            !SameIgnoringCase(sGrade.c_str(), group.m_szGrade))
                            bAdmitted = false;
                        Require(TsIsGroupAdmitted(member, record, pszGame, group, bBand) ==
                                (bAdmitted ? 1 : 0));
                    }
}

void CheckGroupMessage(const CTsChannelGroupListData& group) {
    CString strMessage;
    Require(TsBuildGroupMessage(group, strMessage) != 0);
    const CKelpParser message(strMessage, strMessage.GetLength(), nullptr);
    int values[4] = {0, 0, 0, 0};
    Require(message.IsValid() && message.GetItemCount() == 4 &&
            std::strcmp(message.GetService(), G::serviceGo) == 0 &&
            message.GetValue(G::keyMinMember, values[0]) &&
            message.GetValue(G::keyMaxMember, values[1]) &&
            message.GetValue(G::keyRating, values[2]) &&
            message.GetValue(G::keyRatingMove, values[3]));
    Require(values[0] == group.m_nMinLevel && values[1] == group.m_nMaxLevel &&
            values[2] == group.m_nMinRating && values[3] == group.m_nMaxRating);
}

// The file name lowers ASCII letters only, keeps double-byte characters
// whole, and appends the site code and ".tsg".
void CheckFileName(const std::string& sGameId) {
    const CString strName = TsCatalogueFileName(sGameId.c_str(), "ts1");
    const std::string sName(strName);
    Require(sName.size() == sGameId.size() + 7 && sName.compare(sGameId.size(), 7, "ts1.tsg") == 0);
    for (std::size_t i = 0; i < sGameId.size(); ++i) {
        const char ch = sGameId[i];
        if (IsDBCSLeadByte(static_cast<BYTE>(ch)) && i + 1 < sGameId.size()) {
            Require(sName[i] == ch && sName[i + 1] == sGameId[i + 1]);
            ++i;
        } else {
            Require(sName[i] == ((ch >= 'A' && ch <= 'Z') ? ch + 32 : ch));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string sLine(reinterpret_cast<const char*>(data),
                            strnlen(reinterpret_cast<const char*>(data), size));

    CTsChannelGroupListData group = Stale();
    TsSplitCatalogueLine(sLine.c_str(), group);
    const std::size_t nLastComma = sLine.rfind(',');
    std::vector<std::string> fields;
    if (nLastComma != std::string::npos) {
        std::size_t nStart = 0;
        for (;;) {
            const std::size_t nComma = sLine.find(',', nStart);
            fields.push_back(sLine.substr(nStart, nComma - nStart));
            if (nComma == nLastComma || static_cast<int>(fields.size()) == kPositions)
                break;
            nStart = nComma + 1;
        }
    }
    CheckSplit(fields, nLastComma != std::string::npos ? sLine.c_str() + nLastComma + 1 : nullptr,
               group);

    CheckAdmission(group);
    CheckGroupMessage(group);
    CheckFileName(sLine);
    return 0;
}
