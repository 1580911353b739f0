// Fuzz target: arbitrary bytes (up to the first NUL, as the window reads
// it) as the host's game string. Whatever reads must give the header's
// server, the game id and the automatic join exactly as the message holds
// them, each text cut to its field on a character boundary, the sub id
// too.
#include "GameString.h"

#include <KelpParser.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "FieldChecks.h"

namespace {

const char* Text(const CKelpParser& parser, const char* pszKey) {
    char* pszText = nullptr;
    int nLength = 0;
    return parser.GetValue(pszKey, pszText, nLength) ? pszText : nullptr;
}

int Number(const CKelpParser& parser, const char* pszKey) {
    int nValue = 0;
    return parser.GetValue(pszKey, nValue) ? nValue : 0;
}

void CheckGameString(const CKelpParser& parser) {
    TsGameString game;
    std::memset(&game, 0x5A, sizeof game);
    const TsGameString stale = game;
    const char* pszGameId = Text(parser, G::keyGameId);
    const bool bNamed = parser.IsValid() && pszGameId != nullptr && pszGameId[0] != '\0';
    Require((TsReadGameString(parser, game) != 0) == bNamed);
    if (!bNamed) {
        Require(std::memcmp(&game, &stale, sizeof game) == 0);
        return;
    }
    Require(game.pszServerIp != nullptr &&
            std::strcmp(game.pszServerIp, parser.GetIPAddress()) == 0 &&
            game.nServerPort == parser.GetPort());
    CheckFieldFrom(game.szGameId, pszGameId);
    Require(game.szGameId[0] != '\0' || IsDBCSLeadByte(static_cast<BYTE>(pszGameId[0])));
}

void CheckAutoJoin(const CKelpParser& parser) {
    TsAutoJoin join;
    std::memset(&join, 0x5A, sizeof join);
    const TsAutoJoin stale = join;
    const char* pszChannelId = Text(parser, G::keyChannelId);
    const char* pszIp = Text(parser, G::keyIPAddress);
    const bool bAsked = pszChannelId != nullptr && pszIp != nullptr;
    Require((TsReadAutoJoin(parser, join) != 0) == bAsked);
    if (!bAsked) {
        Require(std::memcmp(&join, &stale, sizeof join) == 0);
        return;
    }
    CheckFieldFrom(join.szChannelId, pszChannelId);
    CheckFieldFrom(join.szIp, pszIp);
    // At most five bytes of the stored id from its first character that
    // starts no earlier than eight bytes before the end, whole characters.
    const std::string sId(join.szChannelId);
    const std::size_t nFirst = sId.size() > 8 ? sId.size() - 8 : 0;
    std::size_t nStart = 0;
    while (nStart < nFirst)
        nStart += IsDBCSLeadByte(static_cast<BYTE>(sId[nStart])) && nStart + 1 < sId.size() ? 2 : 1;
    Require(nStart <= nFirst + 1);
    CheckFieldFrom(join.szSubId, sId.c_str() + std::min(nStart, sId.size()));
    Require(join.nPort == Number(parser, G::keyPort) &&
            join.nMaxRoom == Number(parser, G::keyMaxRoom) &&
            join.nMaxRoomMembers == Number(parser, G::keyMaxRoomMembers) &&
            join.nMaxRoomViewers == Number(parser, G::keyMaxRoomViewers));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > static_cast<std::size_t>(CKelpParser::kMaxMessageSize))
        return 0;
    const std::string sGameString(reinterpret_cast<const char*>(data), size);
    const CKelpParser parser(sGameString.c_str(), 0, nullptr);
    CheckGameString(parser);
    CheckAutoJoin(parser);
    return 0;
}
