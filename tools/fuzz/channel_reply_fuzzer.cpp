// Fuzz target: arbitrary bytes read as a channel-list reply, then read into
// channel records the way the window does: the failure check, the channel
// limit, and each channel from 1 to the limit. Every record must hold
// exactly what the reply gives, cut to its fields on character boundaries;
// the limit never passes the stated count or the values present.
#include "ChannelReply.h"

#include <KelpParser.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "FieldChecks.h"

namespace {

// The text of key (index > 0: the indexed key), or null.
const char* Text(const CKelpParser& reply, const char* pszKey, int nIndex = 0) {
    char szKey[64];
    if (nIndex > 0) {
        std::snprintf(szKey, sizeof szKey, "%s%d", pszKey, nIndex);
        pszKey = szKey;
    }
    char* pszText = nullptr;
    int nLength = 0;
    return reply.GetValue(pszKey, pszText, nLength) ? pszText : nullptr;
}

// The number of the indexed key, or 0.
int Number(const CKelpParser& reply, const char* pszKey, int nIndex) {
    char szKey[64];
    std::snprintf(szKey, sizeof szKey, "%s%d", pszKey, nIndex);
    int nValue = 0;
    return reply.GetValue(szKey, nValue) ? nValue : 0;
}

void CheckFailure(const CKelpParser& reply) {
    CString strMessage("left over");
    const int bFailed = TsIsFailureReply(reply, strMessage);
    const char* pszResult = Text(reply, G::keyResult);
    Require((bFailed != 0) == (pszResult != nullptr && std::strcmp(pszResult, "FAIL") == 0));
    const char* pszMessage = bFailed ? Text(reply, G::keyMessage) : nullptr;
    Require(std::strcmp(strMessage, pszMessage != nullptr ? pszMessage : "") == 0);
}

// A record whose every field is set, to see what a read leaves alone.
CTsChannelListData Stale() {
    CTsChannelListData channel;
    TsCopyField(channel.m_szChannelId, "stale-id");
    TsCopyField(channel.m_szChannelName, "stale-name");
    TsCopyField(channel.m_szIPAddress, "stale-ip");
    TsCopyField(channel.m_szSubId, "stale-sub");
    channel.m_nPort = channel.m_nMemberCnt = channel.m_nMaxMember = -7;
    channel.m_nMaxRoom = channel.m_nMaxRoomMembers = channel.m_nMaxRoomViewers = -7;
    return channel;
}

// Texts compare up to their NULs: a copy of a record ends each field in a
// NUL of its own, whatever the bytes after the text.
bool Same(const CTsChannelListData& a, const CTsChannelListData& b) {
    return std::strcmp(a.m_szChannelId, b.m_szChannelId) == 0 &&
           std::strcmp(a.m_szChannelName, b.m_szChannelName) == 0 &&
           std::strcmp(a.m_szIPAddress, b.m_szIPAddress) == 0 &&
           std::strcmp(a.m_szSubId, b.m_szSubId) == 0 && a.m_nPort == b.m_nPort &&
           a.m_nMemberCnt == b.m_nMemberCnt && a.m_nMaxMember == b.m_nMaxMember &&
           a.m_nMaxRoom == b.m_nMaxRoom && a.m_nMaxRoomMembers == b.m_nMaxRoomMembers &&
           a.m_nMaxRoomViewers == b.m_nMaxRoomViewers;
}

void CheckChannel(const CKelpParser& reply, int i, const CTsChannelListData& channel) {
    CheckFieldFrom(channel.m_szChannelId, Text(reply, G::keyChannelId, i));
    CheckFieldFrom(channel.m_szChannelName, Text(reply, G::keyChannelName, i));
    CheckFieldFrom(channel.m_szIPAddress, Text(reply, G::keyIPAddress, i));
    CheckFieldFrom(channel.m_szSubId, Text(reply, G::keySubId));
    Require(channel.m_nPort == Number(reply, G::keyPort, i));
    Require(channel.m_nMemberCnt == Number(reply, G::keyMemberCnt, i));
    Require(channel.m_nMaxMember == Number(reply, G::keyMaxMember, i));
    Require(channel.m_nMaxRoom == Number(reply, G::keyMaxRoom, i));
    Require(channel.m_nMaxRoomMembers == Number(reply, G::keyMaxRoomMembers, i));
    Require(channel.m_nMaxRoomViewers == Number(reply, G::keyMaxRoomViewers, i));
}

void CheckChannels(const CKelpParser& reply) {
    const int nLimit = TsReplyChannelLimit(reply);
    const int nValues = reply.GetItemCount();
    int nStated = 0;
    if (reply.GetValue(G::keyChannelNum, nStated) && nStated >= 1)
        Require(nLimit == std::min(nStated, nValues));
    else
        Require(nLimit == 0);

    // The window's loop, and two indexes past it: a channel that is not
    // there leaves the record as it was.
    const CTsChannelListData stale = Stale();
    int nRead = 0;
    for (int i = 1; i <= nLimit + 2; ++i) {
        CTsChannelListData channel = stale;
        const bool bPresent = Text(reply, G::keyChannelId, i) != nullptr;
        Require((TsReadReplyChannel(reply, i, channel) != 0) == bPresent);
        if (!bPresent) {
            Require(Same(channel, stale));
            continue;
        }
        CheckChannel(reply, i, channel);
        if (i <= nLimit)
            ++nRead;
    }
    Require(nRead <= nLimit && nRead <= nValues);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0 || size > static_cast<std::size_t>(CKelpParser::kMaxMessageSize))
        return 0;
    const CKelpParser reply(reinterpret_cast<const char*>(data), static_cast<int>(size), nullptr);
    CheckFailure(reply);
    CheckChannels(reply);
    return 0;
}
