// Reading a channel-list reply into channel records, without a window. The
// reply is untrusted: every text is cut to its record field's width on a
// character boundary, and the channel count the server states only bounds
// how far the reading looks; it never decides how much is allocated.
//
// Reply keys: keyResult (equal to valueFailure: failed, with keyMessage),
// keyChannelNum, keyGameId, keySubId, and per channel i (from 1) the
// indexed keys keyChannelId i, keyChannelName i, keyIPAddress i (texts),
// keyPort i, keyMemberCnt i, keyMaxMember i, keyMaxRoom i,
// keyMaxRoomMembers i, keyMaxRoomViewers i (integers).
#pragma once

#include <afxwin.h>

#include "ChannelRecords.h"

class CKelpParser;

// Non-zero when the reply reports a failure (keyResult equal to
// valueFailure, byte for byte); strMessage then holds keyMessage, empty
// when the reply has none. A reply without keyResult is no failure.
PELTORA_API int TsIsFailureReply(const CKelpParser& reply, CString& strMessage);

// How many channel indexes to look at: keyChannelNum, but never more than
// the reply's values (every channel present takes at least one), and 0
// when it is missing, not a number or below 1.
PELTORA_API int TsReplyChannelLimit(const CKelpParser& reply);

// Fills channel from the reply's channel nIndex and the reply's sub id
// (keySubId; empty when missing). Returns 0 when the reply has no
// keyChannelId nIndex (no such channel: channel is left as it was).
// Every other key that is missing, or is not a number where one is
// expected, gives an empty text or 0 for that field alone; nothing carries
// over from another channel.
PELTORA_API int TsReadReplyChannel(const CKelpParser& reply, int nIndex,
                                   CTsChannelListData& channel);
