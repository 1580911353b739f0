// Reading a channel-list reply into channel records.
#include "ChannelReply.h"

#include <stdio.h>

#include <KelpParser.h>

#include "TsCopyField.h"

namespace {

// keyName followed by the decimal index, as the reply names its channels.
void IndexedKey(const char* pszKey, int nIndex, char (&szKey)[64]) {
    _snprintf(szKey, sizeof(szKey) - 1, "%s%d", pszKey, nIndex);
    szKey[sizeof(szKey) - 1] = '\0';
}

// The text of pszKey (nIndex > 0: the indexed key), or null.
const char* ReplyText(const CKelpParser& reply, const char* pszKey, int nIndex = 0) {
    char szKey[64];
    if (nIndex > 0) {
        IndexedKey(pszKey, nIndex, szKey);
        pszKey = szKey;
    }
    char* pszText = NULL;
    int nLength = 0;
    return reply.GetValue(pszKey, pszText, nLength) ? pszText : NULL;
}

// The number of the indexed key, or 0.
int ReplyNumber(const CKelpParser& reply, const char* pszKey, int nIndex) {
    char szKey[64];
    IndexedKey(pszKey, nIndex, szKey);
    int nValue = 0;
    return reply.GetValue(szKey, nValue) ? nValue : 0;
}

} // namespace

int TsIsFailureReply(const CKelpParser& reply, CString& strMessage) {
    strMessage.Empty();
    const char* pszResult = ReplyText(reply, G::keyResult);
    if (pszResult == NULL || strcmp(pszResult, G::valueFailure) != 0)
        return 0;
    const char* pszMessage = ReplyText(reply, G::keyMessage);
    if (pszMessage != NULL)
        strMessage = pszMessage;
    return 1;
}

int TsReplyChannelLimit(const CKelpParser& reply) {
    int nCount = 0;
    if (!reply.GetValue(G::keyChannelNum, nCount) || nCount < 1)
        return 0;
    const int nValues = reply.GetItemCount();
    return nCount < nValues ? nCount : nValues;
}

int TsReadReplyChannel(const CKelpParser& reply, int nIndex, CTsChannelListData& channel) {
    const char* pszChannelId = ReplyText(reply, G::keyChannelId, nIndex);
    if (pszChannelId == NULL)
        return 0;
    TsCopyField(channel.m_szChannelId, pszChannelId);
    TsCopyField(channel.m_szChannelName, ReplyText(reply, G::keyChannelName, nIndex));
    TsCopyField(channel.m_szIPAddress, ReplyText(reply, G::keyIPAddress, nIndex));
    channel.m_nPort = ReplyNumber(reply, G::keyPort, nIndex);
    channel.m_nMemberCnt = ReplyNumber(reply, G::keyMemberCnt, nIndex);
    channel.m_nMaxMember = ReplyNumber(reply, G::keyMaxMember, nIndex);
    channel.m_nMaxRoom = ReplyNumber(reply, G::keyMaxRoom, nIndex);
    channel.m_nMaxRoomMembers = ReplyNumber(reply, G::keyMaxRoomMembers, nIndex);
    channel.m_nMaxRoomViewers = ReplyNumber(reply, G::keyMaxRoomViewers, nIndex);
    TsCopyField(channel.m_szSubId, ReplyText(reply, G::keySubId));
    return 1;
}
